// The program's private window messages (WM_USER + n) and command ids, shared
// by the core rules and the dialogs.
#pragma once

namespace kivora {

inline constexpr unsigned kWmUser = 0x0400;
inline constexpr unsigned UM_REDRAW_MARKS = kWmUser + 1;
inline constexpr unsigned UM_MARK_SOURCE = kWmUser + 2;
inline constexpr unsigned UM_NUMLOCK_NOTE = kWmUser + 3;
inline constexpr unsigned UM_NEXT_GROUP = kWmUser + 4;
inline constexpr unsigned UM_PREV_GROUP = kWmUser + 5;
// Main window or change dialog, after WM_DPICHANGED: relabel and redraw the
// keys at the new scale, once the dialog manager has rescaled the template.
inline constexpr unsigned UM_RESCALE_KEYS = kWmUser + 6;

}  // namespace kivora
