#include "ui/dialog_win.h"

#include "ui/application_win.h"
#include "ui/dpi_win.h"
#include "ui/geometry.h"

namespace kivora {

void CentreOnScreen(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const Point topLeft =
      CentredTopLeft(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
  MoveWindow(window, topLeft.x, topLeft.y, width, height, TRUE);
}

INT_PTR RunModalDialog(const Application& app, int templateId, DLGPROC procedure, void* param,
                       HWND owner) {
  return DialogBoxParamW(app.instance, MAKEINTRESOURCEW(templateId), owner ? owner : app.mainWindow,
                         procedure, reinterpret_cast<LPARAM>(param));
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

INT_PTR DialogTail(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR closeResult,
                   UINT afterDpiChange) {
  switch (message) {
    case WM_CLOSE:
      EndDialog(dialog, closeResult);
      return TRUE;
    case WM_DPICHANGED:
      return FollowDpiChange(dialog, wParam, lParam, afterDpiChange);
    case WM_NCDESTROY:
      ForgetDpi(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace kivora
