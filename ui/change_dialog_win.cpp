#include "ui/change_dialog_win.h"

#include "resources/resource_ids.h"
#include "ui/application_win.h"
#include "ui/change_rules.h"
#include "ui/dpi_win.h"
#include "ui/message_box_win.h"
#include "ui/text_win.h"
#include "ui/texts.h"
#include "ui/window_messages.h"

namespace kivora {
namespace {

int SourceSlot(const Application& app) { return SlotFromId(app.controller.State().sourceId); }

// The edit's text as code page 932 bytes; a character without a code there
// becomes '?', which the check then refuses like any other non-digit.
std::string EditTextCp932(HWND edit) {
  const int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), length + 1)));
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                       0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

void AcceptScancode(HWND dialog, Application& app) {
  const int source = SourceSlot(app);
  const EntryCheck check = CheckScancodeEntry(EditTextCp932(GetDlgItem(dialog, IDC_ENTRY_EDIT)),
                                              app.catalogue[source].scancode);
  switch (check.verdict) {
    case EntryVerdict::NotFourCharacters:
      ShowWarning(dialog, message::kEntryNotFourCharacters);
      return;
    case EntryVerdict::NotHexadecimal:
      ShowWarning(dialog, message::kEntryNotHexadecimal);
      return;
    case EntryVerdict::SameAsOwn:
      ShowWarning(dialog, message::kEntrySameAsOwn);
      return;
    case EntryVerdict::Accepted:
      app.catalogue[kScancodeEntrySlot].scancode = check.value;
      EndDialog(dialog, 1);
      return;
  }
}

INT_PTR CALLBACK ScancodeEntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  Application* app = AppOf(dialog);
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      app = reinterpret_cast<Application*>(lParam);
      CentreOnScreen(dialog);
      SetDlgItemTextW(dialog, IDC_ENTRY_PROMPT,
                      Utf8ToWide(ScancodeEntryPrompt(app->catalogue, SourceSlot(*app))).c_str());
      return FALSE;
    case WM_COMMAND:
      if (wParam == IDC_OK) {
        AcceptScancode(dialog, *app);
      } else if (wParam == IDM_CANCEL) {
        EndDialog(dialog, 0);
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return FALSE;
    case WM_DPICHANGED:
      return FollowDpiChange(dialog, wParam, lParam);
    default:
      return FALSE;
  }
}

void SetUpChangeDialog(HWND dialog, Application& app) {
  const int source = SourceSlot(app);
  SetWindowTextW(dialog, Utf8ToWide(ChangeDialogCaption(app.catalogue, source)).c_str());
  LabelKeyButtons(dialog, app.catalogue, app.fonts, false);
  PostMessageW(dialog, UM_MARK_SOURCE, 0, 0);
  const ButtonState typed = ScancodeButtonState(app.catalogue, source);
  if (typed != ButtonState::Unchanged) {
    EnableWindow(GetDlgItem(dialog, IDC_TYPED_SCANCODE), typed == ButtonState::Enabled);
  }
  SubclassKeyButtons(dialog, app.changeButtons);
  app.controller.State().chosenTargetId = 0;
}

void Choose(HWND dialog, Application& app, int id) {
  if ((id >= 200 && id <= 310) || id == IDC_DISABLE) {
    app.controller.State().chosenTargetId = id;
  } else if (id == IDC_TYPED_SCANCODE) {
    // Cancelling the entry ends the change too, with nothing chosen.
    if (DialogBoxParamW(app.instance, MAKEINTRESOURCEW(IDD_SCANCODE_ENTRY), dialog,
                        ScancodeEntryProc, reinterpret_cast<LPARAM>(&app)) == 1) {
      app.controller.State().chosenTargetId = IDC_TYPED_SCANCODE;
    }
  } else if (id != IDM_CANCEL) {
    return;
  }
  PostMessageW(dialog, WM_CLOSE, 0, 0);
}

INT_PTR CALLBACK ChangeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  Application* app = AppOf(dialog);
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      SetUpChangeDialog(dialog, *reinterpret_cast<Application*>(lParam));
      return TRUE;  // the focus goes to Esc
    case WM_COMMAND:
      if (app && wParam <= 0xFFFF) Choose(dialog, *app, static_cast<int>(wParam));
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return FALSE;
    case WM_CTLCOLORDLG:
      if (!app) return FALSE;
      return BackgroundWithMarks(dialog, wParam, UM_MARK_SOURCE, app->changeBackground.get());
    case UM_MARK_SOURCE:
      if (app) MarkSourceKey(dialog, SourceSlot(*app), app->pens);
      return TRUE;
    case UM_NEXT_GROUP:
    case UM_PREV_GROUP:
      FocusNextGroup(dialog, message);
      return TRUE;
    case WM_DPICHANGED:
      return FollowDpiChange(dialog, wParam, lParam, UM_RESCALE_KEYS);
    case UM_RESCALE_KEYS:
      if (app) RescaleKeyButtons(dialog, app->catalogue, app->fonts, false);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int RunChangeDialogFor(Application& app) {
  app.controller.State().chosenTargetId = 0;
  DialogBoxParamW(app.instance, MAKEINTRESOURCEW(IDD_CHANGE), app.mainWindow, ChangeDialogProc,
                  reinterpret_cast<LPARAM>(&app));
  return app.controller.State().chosenTargetId;
}

}  // namespace kivora
