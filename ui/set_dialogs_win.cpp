// The load, delete and save dialogs fill their controls, hand the selection or
// the typed name to the main window, and show what it answers.
#include "ui/set_dialogs_win.h"

#include "resources/resource_ids.h"
#include "savedsets/set_name.h"
#include "savedsets/set_operations.h"
#include "ui/application_win.h"
#include "ui/dialog_win.h"
#include "ui/message_box_win.h"
#include "ui/text_win.h"
#include "ui/texts.h"

namespace kivora {
namespace {

enum class ListRole { Load, Delete };

struct SetList {
  Application& app;
  ListRole role;
};

// Under the tab stop the dates line up after names padded to 20 bytes.
constexpr int kDateTabStop = 84;

void FillSetList(HWND dialog, const SavedSetTable& table) {
  const HWND list = GetDlgItem(dialog, IDC_SET_LIST);
  int tabStop = kDateTabStop;
  SendMessageW(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  for (const SavedKeySet& set : table.sets) {
    SendMessageW(list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Cp932ToWide(SetListRow(set)).c_str()));
  }
}

// The selected row is the set's position: the list is never sorted.
std::optional<std::size_t> SelectedSet(HWND dialog) {
  const auto row = SendDlgItemMessageW(dialog, IDC_SET_LIST, LB_GETCURSEL, 0, 0);
  if (row == LB_ERR) return std::nullopt;
  return static_cast<std::size_t>(row);
}

// Shows the outcome's messages and ends the dialog unless it stays open.
void Finish(HWND dialog, const SetDialogOutcome& outcome) {
  for (std::string_view text : outcome.messages) ShowWarning(dialog, text);
  if (!outcome.stayOpen) EndDialog(dialog, 1);
}

INT_PTR CALLBACK SetListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* list = DialogParam<const SetList>(dialog);
  switch (message) {
    case WM_INITDIALOG: {
      KeepDialogParam(dialog, lParam);
      list = reinterpret_cast<const SetList*>(lParam);
      CentreOnScreen(dialog);
      const bool load = list->role == ListRole::Load;
      SetDlgItemTextW(
          dialog, IDC_SET_HEADING,
          load ? L"保存されたキー情報を読み込みます" : L"保存されたキー情報を削除します");
      ShowWindow(GetDlgItem(dialog, load ? IDC_DELETE : IDC_LOAD), SW_HIDE);
      FillSetList(dialog, list->app.savedSets);
      return FALSE;
    }
    case WM_COMMAND:
      if (wParam == IDC_LOAD && list->role == ListRole::Load) {
        Finish(dialog, list->app.controller.LoadSet(SelectedSet(dialog)));
      } else if (wParam == IDC_DELETE && list->role == ListRole::Delete) {
        Finish(dialog, list->app.controller.DeleteSet(SelectedSet(dialog)));
      } else if (wParam == IDM_CANCEL) {
        EndDialog(dialog, 1);
      }
      return FALSE;
    default:
      return DialogTail(dialog, message, wParam, lParam);
  }
}

void RunSetList(Application& app, ListRole role) {
  SetList list{app, role};
  RunModalDialog(app, IDD_SET_LIST, SetListProc, &list);
}

struct SaveDialog {
  Application& app;
  // The name box's text as last seen within kivora.ini's 20 bytes, and its caret.
  std::wstring fitting;
  DWORD selection = 0;
};

// The name box takes no more than a name holds, counted in code page 932 bytes
// as kivora.ini stores it (20 half-width or 10 full-width characters): typing
// or pasting past that is undone at once, so the name shown is the name saved.
void KeepNameWithinLimit(HWND dialog, SaveDialog& save) {
  const HWND box = GetDlgItem(dialog, IDC_SET_NAME);
  std::wstring text = WindowText(box);
  if (FitsSetName(WideToCp932Substituting(text))) {
    save.fitting = std::move(text);
    save.selection = static_cast<DWORD>(SendMessageW(box, CB_GETEDITSEL, 0, 0));
    return;
  }
  const DWORD caret = save.selection;  // setting the text may notify again
  SetWindowTextW(box, save.fitting.c_str());
  SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(caret), HIWORD(caret)));
  save.selection = caret;
  MessageBeep(MB_OK);
}

// A name picked from the list replaces the text without an edit notification.
void TakePickedName(HWND dialog, SaveDialog& save) {
  const HWND box = GetDlgItem(dialog, IDC_SET_NAME);
  const auto row = SendMessageW(box, CB_GETCURSEL, 0, 0);
  const auto length = SendMessageW(box, CB_GETLBTEXTLEN, row, 0);
  if (row == CB_ERR || length == CB_ERR) return;
  std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
  name.resize(static_cast<std::size_t>(
      SendMessageW(box, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(name.data()))));
  save.fitting = std::move(name);
  save.selection = MAKELONG(save.fitting.size(), save.fitting.size());
}

// The name box's text as code page 932 bytes, or nothing when it cannot be. A
// text that reads as a saved set's name is that set's own bytes: not every name
// a file holds comes back byte for byte from its characters.
std::optional<std::string> TypedName(HWND dialog, const SavedSetTable& table) {
  const std::wstring text = WindowText(GetDlgItem(dialog, IDC_SET_NAME));
  for (const SavedKeySet& set : table.sets) {
    if (Cp932ToWide(set.name) == text) return set.name;
  }
  std::string name;
  if (!WideToCp932(text, name)) return std::nullopt;
  return name;
}

CalendarDate Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

INT_PTR CALLBACK SaveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* save = DialogParam<SaveDialog>(dialog);
  switch (message) {
    case WM_INITDIALOG: {
      KeepDialogParam(dialog, lParam);
      CentreOnScreen(dialog);
      const HWND box = GetDlgItem(dialog, IDC_SET_NAME);
      const auto& sets = reinterpret_cast<const SaveDialog*>(lParam)->app.savedSets.sets;
      for (std::size_t i = 0; i < sets.size(); ++i) {
        SendMessageW(box, CB_INSERTSTRING, i,
                     reinterpret_cast<LPARAM>(Cp932ToWide(sets[i].name).c_str()));
      }
      return FALSE;
    }
    case WM_COMMAND:
      if (wParam == IDC_SAVE) {
        Finish(dialog,
               save->app.controller.SaveSet(TypedName(dialog, save->app.savedSets), Today()));
      } else if (wParam == IDM_CANCEL) {
        EndDialog(dialog, 1);
      } else if (wParam == MAKEWPARAM(IDC_SET_NAME, CBN_EDITCHANGE)) {
        KeepNameWithinLimit(dialog, *save);
      } else if (wParam == MAKEWPARAM(IDC_SET_NAME, CBN_SELCHANGE)) {
        TakePickedName(dialog, *save);
      }
      return FALSE;
    default:
      return DialogTail(dialog, message, wParam, lParam);
  }
}

}  // namespace

void RunLoadDialog(Application& app) { RunSetList(app, ListRole::Load); }
void RunDeleteDialog(Application& app) { RunSetList(app, ListRole::Delete); }
void RunSaveDialog(Application& app) {
  SaveDialog save{.app = app, .fitting = {}, .selection = 0};
  RunModalDialog(app, IDD_SAVE_SET, SaveProc, &save);
}

}  // namespace kivora
