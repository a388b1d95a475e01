// The program's entry point.
#include <windows.h>

#include "ui/application_win.h"
#include "ui/message_box_win.h"
#include "ui/system_function_win.h"
#include "ui/text_win.h"
#include "ui/texts.h"

namespace {

// A second copy would overwrite the first one's registry value and saved sets,
// so any window of a running copy counts: its message boxes and about box carry
// the bare product title, its main window one of the two suffixed titles.
HWND RunningCopy() {
  for (const std::string& title :
       {std::string(kivora::kProductTitle), kivora::MainWindowTitle(kivora::StoreKind::Machine),
        kivora::MainWindowTitle(kivora::StoreKind::User)}) {
    if (const HWND window = FindWindowW(nullptr, kivora::Utf8ToWide(title).c_str())) return window;
  }
  return nullptr;
}

// The user who starts Kivora again is looking for it: the running copy comes to
// the front, restored if minimised, with whichever of its dialogs is open.
void BringToFront(HWND window) {
  const HWND main = GetAncestor(window, GA_ROOTOWNER);
  if (IsIconic(main)) ShowWindowAsync(main, SW_RESTORE);  // not held up by a copy that hangs
  SetForegroundWindow(GetLastActivePopup(main));
}

// An administrator runs this program elevated, often straight from a download
// folder: a DLL there named like a system one (uxtheme.dll, loaded later by the
// common controls) would run with administrator rights. Only the system folder
// is searched from here on. Windows 7 and Vista without update KB2533623 lack
// SetDefaultDllDirectories, hence the lookup; they still lose the current folder.
void SearchDllsInSystemFolderOnly() {
  const auto setDefault = kivora::SystemFunction<decltype(&SetDefaultDllDirectories)>(
      L"kernel32.dll", "SetDefaultDllDirectories");
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryW(L"");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  SearchDllsInSystemFolderOnly();
  if (const HWND running = RunningCopy()) {
    BringToFront(running);
    return 0;
  }
  if (GetVersion() & 0x80000000u) {
    kivora::ShowWarning(nullptr, kivora::message::kNotNtFamily);
    return 0;
  }
  kivora::Application app(instance);
  kivora::RunMainWindow(app);
  return 0;
}
