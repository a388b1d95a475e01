#include "ui/dpi_win.h"

#include "ui/gdi_win.h"
#include "ui/system_function_win.h"

namespace kivora {

int WindowDpi(HWND window) {
  // GWLP_USERDATA of our dialogs holds the DPI of the last WM_DPICHANGED: on
  // Windows 8.1 GetDeviceCaps still tells the system DPI after a move.
  if (const LONG_PTR kept = GetWindowLongPtrW(window, GWLP_USERDATA)) return static_cast<int>(kept);
  // Windows 10 1607 on; before it every window has the system DPI.
  if (const auto getDpiForWindow =
          SystemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow")) {
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  const ClientDC screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

INT_PTR FollowDpiChange(HWND dialog, WPARAM wParam, LPARAM lParam, UINT followUp) {
  SetWindowLongPtrW(dialog, GWLP_USERDATA, HIWORD(wParam));
  const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (followUp) PostMessageW(dialog, followUp, 0, 0);
  return FALSE;
}

}  // namespace kivora
