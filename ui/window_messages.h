// The program's private window messages (WM_APP + n), shared by the core rules
// and the dialogs.
#pragma once

namespace kivora {

// WM_APP and up, not WM_USER: in a dialog, WM_USER + n are the dialog manager's
// own (DM_GETDEFID, DM_SETDEFID, DM_REPOSITION), which the default button needs.
inline constexpr unsigned kWmApp = 0x8000;
inline constexpr unsigned UM_REDRAW_MARKS = kWmApp + 1;
inline constexpr unsigned UM_MARK_SOURCE = kWmApp + 2;
inline constexpr unsigned UM_NUMLOCK_NOTE = kWmApp + 3;
inline constexpr unsigned UM_NEXT_GROUP = kWmApp + 4;
inline constexpr unsigned UM_PREV_GROUP = kWmApp + 5;
// Main window or change dialog, after WM_DPICHANGED: relabel and redraw the
// keys at the new scale, once the dialog manager has rescaled the template.
inline constexpr unsigned UM_RESCALE_KEYS = kWmApp + 6;

}  // namespace kivora
