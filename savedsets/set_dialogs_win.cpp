#include "savedsets/set_dialogs_win.h"

#include "resources/resource_ids.h"
#include "savedsets/saved_set_file.h"
#include "savedsets/set_name.h"
#include "savedsets/set_operations.h"
#include "ui/application_win.h"
#include "ui/dpi_win.h"
#include "ui/message_box_win.h"
#include "ui/text_win.h"
#include "ui/texts.h"

namespace kivora {
namespace {

enum class ListRole { Load, Delete };

struct ListDialog {
  Application& app;
  ListRole role;
};

void FillSetList(HWND dialog, const SavedSetTable& table) {
  const HWND list = GetDlgItem(dialog, IDC_SET_LIST);
  int tabStop = 84;
  SendMessageW(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  for (const SavedKeySet& set : table.sets) {
    SendMessageW(list, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Cp932ToWide(SetListRow(set)).c_str()));
  }
}

// The selected row is the set's position: the list is never sorted.
int SelectedSet(HWND dialog) {
  const auto row = static_cast<int>(SendDlgItemMessageW(dialog, IDC_SET_LIST, LB_GETCURSEL, 0, 0));
  return row == LB_ERR ? -1 : row;
}

void Load(HWND dialog, Application& app, int position) {
  LoadSet(app.catalogue, app.savedSets.sets[static_cast<std::size_t>(position)]);
  app.view.LabelKeys(true);
  for (int slot = 1; slot <= kDisableSlot; ++slot) app.view.EraseChangeMark(slot);
  app.view.DrawChangeMarks();
  ShowWarning(dialog, message::kSetLoaded);
  app.controller.State().dirty = true;
}

void Delete(HWND dialog, Application& app, int position) {
  app.savedSets.deleted[static_cast<std::size_t>(position)] = true;
  if (!WriteSavedSetFile(app.savedSets, app.files))
    ShowWarning(dialog, message::kSetFileWriteFailed);
  // Read back whatever the write did: the table then matches the file again.
  if (!ReadSavedSetFile(app.savedSets, app.files, ExecutableDirectory())) {
    ShowWarning(dialog, message::kSetFileReadFailed);
  }
}

INT_PTR CALLBACK SetListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      const auto& setup = *reinterpret_cast<const ListDialog*>(lParam);
      CentreOnScreen(dialog);
      const bool load = setup.role == ListRole::Load;
      SetDlgItemTextW(
          dialog, IDC_SET_HEADING,
          load ? L"保存されたキー情報を読み込みます" : L"保存されたキー情報を削除します");
      ShowWindow(GetDlgItem(dialog, load ? IDC_DELETE : IDC_LOAD), SW_HIDE);
      FillSetList(dialog, setup.app.savedSets);
      return FALSE;
    }
    case WM_COMMAND: {
      const auto& setup =
          *reinterpret_cast<const ListDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
      if ((wParam == IDC_LOAD && setup.role == ListRole::Load) ||
          (wParam == IDC_DELETE && setup.role == ListRole::Delete)) {
        const int position = SelectedSet(dialog);
        if (position >= 0) {
          if (setup.role == ListRole::Load) {
            Load(dialog, setup.app, position);
          } else {
            Delete(dialog, setup.app, position);
          }
        }
        EndDialog(dialog, 1);
      } else if (wParam == IDM_CANCEL) {
        EndDialog(dialog, 1);
      }
      return FALSE;
    }
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return FALSE;
    case WM_DPICHANGED:
      return FollowDpiChange(dialog, wParam, lParam);
    default:
      return FALSE;
  }
}

void RunSetList(Application& app, ListRole role) {
  ListDialog setup{app, role};
  DialogBoxParamW(app.instance, MAKEINTRESOURCEW(IDD_SET_LIST), app.mainWindow, SetListProc,
                  reinterpret_cast<LPARAM>(&setup));
}

std::wstring NameBoxText(HWND dialog) {
  const HWND box = GetDlgItem(dialog, IDC_SET_NAME);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return text;
}

// True when the dialog is done (saved, failed to write, or nothing to save).
bool Save(HWND dialog, Application& app) {
  std::string typed;
  if (!WideToCp932(NameBoxText(dialog), typed)) {
    ShowWarning(dialog, message::kSetNameNotStorable);
    return false;
  }
  const std::string name = CutToByteLimit(typed, kMaxSetNameBytes);
  if (name.empty()) return true;
  const auto pairs = MappingAsPairs(app.catalogue);
  if (!pairs) {
    ShowWarning(dialog, message::kTooManyPairs);
    return true;
  }
  const auto existing = FindSetByName(app.savedSets, name);
  if (existing && !AskOkCancel(dialog, message::kSetNameExists)) return false;
  SYSTEMTIME today;
  GetLocalTime(&today);
  PutSet(app.savedSets, existing.value_or(app.savedSets.sets.size()),
         {.name = name, .date = SaveDate(today.wYear, today.wMonth, today.wDay), .pairs = *pairs});
  if (!WriteSavedSetFile(app.savedSets, app.files)) {
    ShowWarning(dialog, message::kSetFileWriteFailed);
  }
  return true;
}

INT_PTR CALLBACK SaveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      CentreOnScreen(dialog);
      const HWND box = GetDlgItem(dialog, IDC_SET_NAME);
      // Characters here; the name is cut to 20 code page 932 bytes when saved.
      SendMessageW(box, CB_LIMITTEXT, kMaxSetNameBytes, 0);
      const auto& sets = reinterpret_cast<Application*>(lParam)->savedSets.sets;
      for (std::size_t i = 0; i < sets.size(); ++i) {
        SendMessageW(box, CB_INSERTSTRING, i,
                     reinterpret_cast<LPARAM>(Cp932ToWide(sets[i].name).c_str()));
      }
      return FALSE;
    }
    case WM_COMMAND:
      if (wParam == IDC_SAVE) {
        if (Save(dialog, *AppOf(dialog))) EndDialog(dialog, 1);
      } else if (wParam == IDM_CANCEL) {
        EndDialog(dialog, 1);
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return FALSE;
    case WM_DPICHANGED:
      return FollowDpiChange(dialog, wParam, lParam);
    default:
      return FALSE;
  }
}

}  // namespace

void RunLoadDialog(Application& app) { RunSetList(app, ListRole::Load); }
void RunDeleteDialog(Application& app) { RunSetList(app, ListRole::Delete); }

void RunSaveDialog(Application& app) {
  DialogBoxParamW(app.instance, MAKEINTRESOURCEW(IDD_SAVE_SET), app.mainWindow, SaveProc,
                  reinterpret_cast<LPARAM>(&app));
}

}  // namespace kivora
