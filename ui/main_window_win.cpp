// The main keyboard window (dialog 11): Win32 messages in, MainWindow decisions
// out through MainWindowViewWin.
#include "ui/main_window_win.h"

#include "keymodel/privilege_win.h"
#include "resources/resource_ids.h"
#include "ui/application_win.h"
#include "ui/change_dialog_win.h"
#include "ui/dialog_win.h"
#include "ui/info_dialogs_win.h"
#include "ui/investigation_win.h"
#include "ui/message_box_win.h"
#include "ui/set_dialogs_win.h"
#include "ui/system_function_win.h"
#include "ui/text_win.h"
#include "ui/window_messages.h"

namespace kivora {

INT_PTR CALLBACK MainWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  Application* app = DialogParam<Application>(dialog);
  switch (message) {
    case WM_INITDIALOG:
      app = reinterpret_cast<Application*>(lParam);
      KeepDialogParam(dialog, lParam);
      app->mainWindow = dialog;
      CentreOnScreen(dialog);
      SetClassLongPtrW(dialog, GCLP_HICON,
                       reinterpret_cast<LONG_PTR>(LoadIconW(app->instance, L"ABOUT_ICON")));
      SubclassKeyButtons(dialog, app->mainButtons);
      app->controller.Start(ExecutableDirectory());
      return TRUE;  // the focus goes to the first key button
    case WM_COMMAND:
      // The whole wParam: only clicks and menu picks (notification 0) act.
      if (app && wParam <= 0xFFFF) app->controller.Command(static_cast<int>(wParam));
      return TRUE;
    case WM_CLOSE:
      if (app && app->controller.MayClose()) EndDialog(dialog, 1);
      return TRUE;
    case WM_CTLCOLORDLG:
      if (!app) return FALSE;
      return BackgroundWithMarks(dialog, wParam, UM_REDRAW_MARKS, app->mainBackground.get());
    case UM_REDRAW_MARKS:
      if (app) DrawChangeMarks(dialog, app->catalogue, app->pens);
      return TRUE;
    default:
      return KeyboardDialogTail(dialog, message, wParam, lParam, app, true);
  }
}

void RunMainWindow(Application& app) {
  // The main window is the first of our windows: it has no owner.
  DialogBoxParamW(app.instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainWindowProc,
                  reinterpret_cast<LPARAM>(&app));
}

namespace {

// A question asked while one of the main window's dialogs is open belongs to
// that dialog, so that closing it brings the dialog back, not the main window.
HWND FrontWindow(const Application& app) {
  const HWND popup = GetLastActivePopup(app.mainWindow);
  return popup ? popup : app.mainWindow;
}

}  // namespace

void MainWindowViewWin::ShowWarning(std::string_view text) {
  kivora::ShowWarning(FrontWindow(app_), text);
}
void MainWindowViewWin::ShowInformation(std::string_view text) {
  kivora::ShowInformation(FrontWindow(app_), text);
}
bool MainWindowViewWin::Ask(std::string_view question) {
  return AskOkCancel(FrontWindow(app_), question);
}
void MainWindowViewWin::SetTitle(std::string_view title) {
  SetWindowTextW(app_.mainWindow, Utf8ToWide(title).c_str());
}
void MainWindowViewWin::CheckModeItem(StoreKind mode) {
  CheckMenuRadioItem(GetMenu(app_.mainWindow), IDM_ADMIN_MODE, IDM_USER_MODE,
                     mode == StoreKind::Machine ? IDM_ADMIN_MODE : IDM_USER_MODE, MF_BYCOMMAND);
}
void MainWindowViewWin::GreyAdminModeItem() {
  EnableMenuItem(GetMenu(app_.mainWindow), IDM_ADMIN_MODE, MF_BYCOMMAND | MF_GRAYED);
}
void MainWindowViewWin::LabelKeys(bool showChanges) {
  LabelKeyButtons(app_.mainWindow, app_.catalogue, app_.fonts, showChanges);
}
void MainWindowViewWin::DrawChangeMarks() {
  kivora::DrawChangeMarks(app_.mainWindow, app_.catalogue, app_.pens);
}
void MainWindowViewWin::EraseChangeMark(int slot) {
  kivora::EraseChangeMark(app_.mainWindow, slot, app_.pens);
}
void MainWindowViewWin::PostClose() { PostMessageW(app_.mainWindow, WM_CLOSE, 0, 0); }
void MainWindowViewWin::Beep() { ::Beep(2400, 20); }
ChangeChoice MainWindowViewWin::RunChangeDialog(int sourceId) {
  return kivora::RunChangeDialog(app_, sourceId);
}
void MainWindowViewWin::RunDialog(Dialog dialog) {
  switch (dialog) {
    case Dialog::LoadSet:
      RunLoadDialog(app_);
      break;
    case Dialog::SaveSet:
      RunSaveDialog(app_);
      break;
    case Dialog::DeleteSet:
      RunDeleteDialog(app_);
      break;
    case Dialog::Investigation:
      RunInvestigationDialog(app_);
      break;
    case Dialog::ChangedKeyList:
      RunChangedKeyList(app_);
      break;
    case Dialog::About:
      RunAboutBox(app_);
      break;
  }
}
bool MainWindowViewWin::SetShutdownPrivilege(bool enable) {
  return SetPrivilege(L"SeShutdownPrivilege", enable);
}
bool MainWindowViewWin::RequestRestart() { return ExitWindowsEx(EWX_REBOOT, 0) != 0; }
// GetVersionExW answers what the manifest declares; ntdll tells the truth.
WindowsVersion MainWindowViewWin::RunningWindowsVersion() {
  const auto rtlGetVersion =
      SystemFunction<LONG(WINAPI*)(RTL_OSVERSIONINFOW*)>(L"ntdll.dll", "RtlGetVersion");
  RTL_OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!rtlGetVersion || rtlGetVersion(&info) != 0) return {};
  return {info.dwMajorVersion, info.dwMinorVersion};
}

}  // namespace kivora
