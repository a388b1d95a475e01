#include "ui/info_dialogs_win.h"

#include "ui/application_win.h"

#include "resources/resource_ids.h"
#include "ui/changed_key_list.h"
#include "ui/dialog_win.h"
#include "ui/text_win.h"
#include "ui/texts.h"
#include "ui/web_page_win.h"

namespace kivora {
namespace {

constexpr wchar_t kHomePage[] = L"https://www.example.com/kivora/";

INT_PTR CALLBACK ChangedKeyListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      CentreOnScreen(dialog);
      const HWND list = GetDlgItem(dialog, IDC_CHANGED_KEYS);
      // Under the headings コード, →, キー and コード.
      int tabStops[] = {80, 112, 128, 208};
      SendMessageW(list, LB_SETTABSTOPS, std::size(tabStops), reinterpret_cast<LPARAM>(tabStops));
      for (const std::string& row :
           ChangedKeyRows(reinterpret_cast<const Application*>(lParam)->catalogue)) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(row).c_str()));
      }
      return FALSE;
    }
    case WM_COMMAND:
      if (wParam == IDM_END || wParam == IDC_OK) EndDialog(dialog, 1);
      return FALSE;
    default:
      return DialogTail(dialog, message, wParam, lParam);
  }
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      CentreOnScreen(dialog);
      SetWindowTextW(dialog, Utf8ToWide(kProductTitle).c_str());
      return TRUE;
    case WM_COMMAND:
      if (wParam == IDC_HOME_PAGE) {
        OpenWebPage(dialog, kHomePage);
        return FALSE;
      }
      if (wParam == IDC_OK) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        return TRUE;
      }
      return FALSE;
    default:
      return DialogTail(dialog, message, wParam, lParam);
  }
}

}  // namespace

void RunChangedKeyList(Application& app) {
  RunModalDialog(app, IDD_CHANGED_KEYS, ChangedKeyListProc, &app);
}

void RunAboutBox(Application& app) { RunModalDialog(app, IDD_ABOUT, AboutProc, nullptr); }

}  // namespace kivora
