// Opening a web page in the user's browser, from a program that an
// administrator runs elevated.
#pragma once

#include <windows.h>

namespace kivora {

// Opens `address` through the desktop shell, so that the browser runs as the
// desktop user and not with our administrator token; where that shell cannot
// be reached (no Explorer, or Wine), with ShellExecuteW directly.
void OpenWebPage(HWND owner, const wchar_t* address);

}  // namespace kivora
