// The display scale of our windows. The manifest makes the program per-monitor
// DPI aware, so Windows no longer stretches it as a bitmap: every size set in
// pixels follows the window's DPI, and a window moved to a screen of another
// scale follows it on WM_DPICHANGED.
#pragma once

#include <windows.h>

namespace kivora {

// The DPI of the screen the window is on: the one the last WM_DPICHANGED gave
// it, else what the system reports.
int WindowDpi(HWND window);

// WM_DPICHANGED of any of our dialogs: keeps the new DPI, takes the window
// rectangle Windows suggests for it and posts `followUp` (when not 0) for what
// the dialog sizes itself. Returns FALSE, so that the dialog manager
// (per-monitor v2) goes on to rescale the template's controls and font first.
INT_PTR FollowDpiChange(HWND dialog, WPARAM wParam, LPARAM lParam, UINT followUp = 0);
// WM_NCDESTROY: the DPI kept goes with the window.
void ForgetDpi(HWND dialog);

}  // namespace kivora
