#include "ui/change_dialog_win.h"

#include "resources/resource_ids.h"
#include "ui/application_win.h"
#include "ui/change_rules.h"
#include "ui/dialog_win.h"
#include "ui/message_box_win.h"
#include "ui/text_win.h"
#include "ui/texts.h"
#include "ui/window_messages.h"

namespace kivora {
namespace {

struct ChangeDialog {
  Application& app;
  int sourceSlot;
  ChangeChoice choice;  // out
};

struct ScancodeEntry {
  const KeyCatalogue& catalogue;
  int sourceSlot;
  Scancode typed = 0;  // out, when the dialog ends with 1
};

void AcceptScancode(HWND dialog, ScancodeEntry& entry) {
  // A character without a code page 932 form arrives as '?', which the check
  // refuses like any other non-digit.
  const EntryCheck check =
      CheckScancodeEntry(WideToCp932Substituting(WindowText(GetDlgItem(dialog, IDC_ENTRY_EDIT))),
                         entry.catalogue[entry.sourceSlot].scancode);
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
      entry.typed = check.value;
      EndDialog(dialog, 1);
      return;
  }
}

INT_PTR CALLBACK ScancodeEntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* entry = DialogParam<ScancodeEntry>(dialog);
  switch (message) {
    case WM_INITDIALOG:
      KeepDialogParam(dialog, lParam);
      entry = reinterpret_cast<ScancodeEntry*>(lParam);
      CentreOnScreen(dialog);
      // A fifth character would be ignored, and "0e01d" taken for 0x0E01.
      SendDlgItemMessageW(dialog, IDC_ENTRY_EDIT, EM_LIMITTEXT, kScancodeEntryDigits, 0);
      SetDlgItemTextW(dialog, IDC_ENTRY_PROMPT,
                      Utf8ToWide(ScancodeEntryPrompt(entry->catalogue, entry->sourceSlot)).c_str());
      return FALSE;
    case WM_COMMAND:
      if (wParam == IDC_OK) {
        AcceptScancode(dialog, *entry);
      } else if (wParam == IDM_CANCEL) {
        EndDialog(dialog, 0);
      } else if (wParam == MAKEWPARAM(IDC_ENTRY_EDIT, EN_MAXTEXT)) {
        // A fifth character, typed or pasted ("0e01d" cut to "0e01"): said, so
        // that the four left are not taken for the code meant.
        ShowWarning(dialog, message::kEntryNotFourCharacters);
        SendDlgItemMessageW(dialog, IDC_ENTRY_EDIT, EM_SETSEL, 0, -1);
      }
      return FALSE;
    default:
      return DialogTail(dialog, message, wParam, lParam, 0);  // nothing typed
  }
}

void SetUpChangeDialog(HWND dialog, ChangeDialog& change) {
  Application& app = change.app;
  SetWindowTextW(dialog, Utf8ToWide(ChangeDialogCaption(app.catalogue, change.sourceSlot)).c_str());
  LabelKeyButtons(dialog, app.catalogue, app.fonts, false);
  PostMessageW(dialog, UM_MARK_SOURCE, 0, 0);
  const ButtonState typed = ScancodeButtonState(app.catalogue, change.sourceSlot);
  if (typed != ButtonState::Unchanged) {
    EnableWindow(GetDlgItem(dialog, IDC_TYPED_SCANCODE), typed == ButtonState::Enabled);
  }
  SubclassKeyButtons(dialog, app.changeButtons);
}

void Choose(HWND dialog, ChangeDialog& change, int id) {
  if (IsChangeTarget(id)) {
    change.choice = {.targetId = id};
  } else if (id == IDC_TYPED_SCANCODE) {
    ScancodeEntry entry{.catalogue = change.app.catalogue, .sourceSlot = change.sourceSlot};
    // Cancelling the entry ends the change too, with nothing chosen.
    if (RunModalDialog(change.app, IDD_SCANCODE_ENTRY, ScancodeEntryProc, &entry, dialog) == 1) {
      change.choice = {.targetId = IDC_TYPED_SCANCODE, .typedScancode = entry.typed};
    }
  } else if (id != IDM_CANCEL) {
    return;
  }
  PostMessageW(dialog, WM_CLOSE, 0, 0);
}

INT_PTR CALLBACK ChangeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* change = DialogParam<ChangeDialog>(dialog);
  switch (message) {
    case WM_INITDIALOG:
      KeepDialogParam(dialog, lParam);
      SetUpChangeDialog(dialog, *reinterpret_cast<ChangeDialog*>(lParam));
      return TRUE;  // the focus goes to Esc
    case WM_COMMAND:
      if (change && wParam <= 0xFFFF) Choose(dialog, *change, static_cast<int>(wParam));
      return TRUE;
    case WM_CTLCOLORDLG:
      if (!change) return FALSE;
      return BackgroundWithMarks(dialog, wParam, UM_MARK_SOURCE,
                                 change->app.changeBackground.get());
    case UM_MARK_SOURCE:
      if (change) MarkSourceKey(dialog, change->sourceSlot, change->app.pens);
      return TRUE;
    default:
      return KeyboardDialogTail(dialog, message, wParam, lParam, change ? &change->app : nullptr,
                                false);
  }
}

}  // namespace

ChangeChoice RunChangeDialog(Application& app, int sourceId) {
  ChangeDialog change{.app = app, .sourceSlot = SlotFromId(sourceId), .choice = {}};
  RunModalDialog(app, IDD_CHANGE, ChangeDialogProc, &change);
  return change.choice;
}

}  // namespace kivora
