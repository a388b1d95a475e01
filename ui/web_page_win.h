// Opening a web page in the user's browser, from a program that an
// administrator runs elevated.
#pragma once

#include <windows.h>

namespace kivora {

// Opens `address` through the desktop shell, so that the browser runs as the
// desktop user and not with our administrator token. Where that shell cannot
// be reached (Explorer not running, another shell, Server Core), a Kivora that
// is not elevated opens it with ShellExecuteW; an elevated one shows the
// address in a dialog of its own, owned by `owner`, for the user to open.
void OpenWebPage(HWND owner, const wchar_t* address);

}  // namespace kivora
