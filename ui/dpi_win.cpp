#include "ui/dpi_win.h"

#include "ui/gdi_win.h"
#include "ui/system_function_win.h"

namespace kivora {
namespace {

// The DPI of a dialog's last WM_DPICHANGED: on Windows 8.1 GetDeviceCaps still
// tells the system DPI after a move. A property of its own, where no other
// window of ours keeps anything else.
constexpr wchar_t kDpiProperty[] = L"Kivora.Dpi";

}  // namespace

int WindowDpi(HWND window) {
  if (const HANDLE kept = GetPropW(window, kDpiProperty)) {
    return static_cast<int>(reinterpret_cast<UINT_PTR>(kept));
  }
  // Windows 10 1607 on; before it every window has the system DPI.
  if (const auto getDpiForWindow =
          SystemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow")) {
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  const ClientDC screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

INT_PTR FollowDpiChange(HWND dialog, WPARAM wParam, LPARAM lParam, UINT followUp) {
  SetPropW(dialog, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(HIWORD(wParam))));
  const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (followUp) PostMessageW(dialog, followUp, 0, 0);
  return FALSE;
}

void ForgetDpi(HWND dialog) { RemovePropW(dialog, kDpiProperty); }

}  // namespace kivora
