#include "ui/dialog_win.h"

#include "ui/application_win.h"
#include "ui/dpi_win.h"
#include "ui/geometry.h"

namespace kivora {

namespace {

// STARTUPINFO's flag for a monitor handle in hStdOutput, which mingw-w64's
// headers do not name.
constexpr DWORD kStartOnMonitor = 0x400;

// The monitor a window belongs on: its owner's, so that a dialog opens where
// the user is working; for the main window, which has none, the one the
// program was started on when its launcher named one, else the one the window
// is on.
HMONITOR MonitorFor(HWND window) {
  if (const HWND owner = GetWindow(window, GW_OWNER)) {
    return MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const auto started = reinterpret_cast<HMONITOR>(startup.hStdOutput);
  if ((startup.dwFlags & kStartOnMonitor) && GetMonitorInfoW(started, &info)) return started;
  return MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
}

// Without the taskbar and the docked bars: a window centred on the whole
// screen could open under them.
Rect WorkAreaOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
  }
  return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

}  // namespace

void CentreOnScreen(HWND window) {
  const Rect area = WorkAreaOf(MonitorFor(window));
  // Moved onto a monitor of another scale, the window takes that scale's size
  // at once (WM_DPICHANGED): the second pass centres it at that size.
  for (int pass = 0; pass < 2; ++pass) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const Point topLeft = CentredTopLeft(area, width, height);
    if (topLeft == Point{r.left, r.top}) return;
    MoveWindow(window, topLeft.x, topLeft.y, width, height, TRUE);
  }
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
