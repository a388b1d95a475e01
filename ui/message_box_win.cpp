#include "ui/message_box_win.h"

#include "ui/text_win.h"
#include "ui/texts.h"

namespace kivora {
namespace {

int Show(HWND owner, std::string_view text, UINT type) {
  return MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(kProductTitle).c_str(), type);
}

}  // namespace

void ShowWarning(HWND owner, std::string_view text) { Show(owner, text, MB_OK | MB_ICONWARNING); }

void ShowInformation(HWND owner, std::string_view text) {
  Show(owner, text, MB_OK | MB_ICONINFORMATION);
}

bool AskOkCancel(HWND owner, std::string_view question) {
  return Show(owner, question, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

}  // namespace kivora
