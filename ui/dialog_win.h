// What every dialog of the program does the same way: centring, opening a
// modal dialog from our resources, keeping its parameter, reading a text.
#pragma once

#include <windows.h>

#include <string>

namespace kivora {

struct Application;

void CentreOnScreen(HWND window);

// Runs a dialog template of ours modally over `owner` (the main window when
// null); `param` reaches the procedure at WM_INITDIALOG.
INT_PTR RunModalDialog(const Application& app, int templateId, DLGPROC procedure, void* param,
                       HWND owner = nullptr);

// WM_INITDIALOG keeps the parameter; every later message fetches it. Null
// for the few messages a dialog receives before WM_INITDIALOG.
inline void KeepDialogParam(HWND dialog, LPARAM param) {
  SetWindowLongPtrW(dialog, DWLP_USER, param);
}
template <typename Param>
Param* DialogParam(HWND dialog) {
  return reinterpret_cast<Param*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

std::wstring WindowText(HWND window);

// The cases every dialog procedure of ours ends with, as its default: the close
// box (and Alt+F4) ends the dialog with `closeResult`; a change of display
// scale is followed, then `afterDpiChange` posted when it is not 0, and the
// scale kept for it is forgotten when the dialog goes; anything else is left
// to the dialog manager.
INT_PTR DialogTail(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR closeResult = 1,
                   UINT afterDpiChange = 0);

}  // namespace kivora
