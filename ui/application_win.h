// The one application state: everything the run owns, reached by the dialogs
// through their DWLP_USER pointer.
#pragma once

#include <windows.h>

#include "keymodel/key_catalogue.h"
#include "keymodel/registry_store_win.h"
#include "savedsets/saved_set_table.h"
#include "savedsets/set_file_system_win.h"
#include "ui/gdi_win.h"
#include "ui/key_buttons_win.h"
#include "ui/main_window.h"

namespace kivora {

struct Application;

class MainWindowViewWin final : public MainWindowView {
 public:
  explicit MainWindowViewWin(Application& app) : app_(app) {}
  void ShowWarning(std::string_view text) override;
  void ShowInformation(std::string_view text) override;
  bool Ask(std::string_view question) override;
  void SetTitle(std::string_view title) override;
  void CheckModeItem(StoreKind mode) override;
  void GreyAdminModeItem() override;
  void ComputeMarkOrigin() override;
  void LabelKeys(bool showChanges) override;
  void DrawChangeMarks() override;
  void EraseChangeMark(int slot) override;
  void PostClose() override;
  void Beep() override;
  int RunChangeDialog() override;
  void RunDialog(int command) override;
  bool SetShutdownPrivilege(bool enable) override;
  bool RequestRestart() override;
  WindowsVersion RunningWindowsVersion() override;

 private:
  Application& app_;
};

struct Application {
  explicit Application(HINSTANCE inst) : instance(inst) {}
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  HINSTANCE instance;
  KeyCatalogue catalogue;
  SavedSetTable savedSets;
  RegistryStore store;
  WinSetFileSystem files;

  HWND mainWindow = nullptr;
  Point markOrigin;
  KeyButtonSet mainButtons;
  KeyButtonSet changeButtons;
  FontCache fonts;
  GdiObject<HBRUSH> mainBackground{CreateSolidBrush(kMainBackground)};
  GdiObject<HBRUSH> changeBackground{CreateSolidBrush(kChangeBackground)};
  MarkPens pens;

  MainWindowViewWin view{*this};
  MainWindow controller{catalogue, savedSets, store, files, view};
};

// The Application that a dialog was opened with (its DWLP_USER); null before
// WM_INITDIALOG has stored it.
inline Application* AppOf(HWND dialog) {
  return reinterpret_cast<Application*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Runs the main keyboard window until it closes.
void RunMainWindow(Application& app);
// The main window's procedure; its dialog parameter is the Application.
INT_PTR CALLBACK MainWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kivora
