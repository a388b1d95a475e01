// The program's entry point.
#include <windows.h>

#include "ui/application_win.h"
#include "ui/message_box_win.h"
#include "ui/text_win.h"
#include "ui/texts.h"

namespace {

// A second copy would overwrite the first one's registry value and saved sets,
// so any window of a running copy counts: its message boxes and about box carry
// the bare product title, its main window one of the two suffixed titles.
bool AnotherCopyRuns() {
  for (const std::string& title :
       {std::string(kivora::kProductTitle), kivora::MainWindowTitle(kivora::StoreKind::Machine),
        kivora::MainWindowTitle(kivora::StoreKind::User)}) {
    if (FindWindowW(nullptr, kivora::Utf8ToWide(title).c_str())) return true;
  }
  return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (AnotherCopyRuns()) return 0;
  if (GetVersion() & 0x80000000u) {
    kivora::ShowWarning(nullptr, kivora::message::kNotNtFamily);
    return 0;
  }
  kivora::Application app(instance);
  kivora::RunMainWindow(app);
  return 0;
}
