// The main keyboard window (dialog 11): its procedure, and the view through
// which its decisions reach the screen.
#pragma once

#include <windows.h>

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
  void LabelKeys(bool showChanges) override;
  void DrawChangeMarks() override;
  void EraseChangeMark(int slot) override;
  void PostClose() override;
  void Beep() override;
  ChangeChoice RunChangeDialog(int sourceId) override;
  void RunDialog(Dialog dialog) override;
  bool SetShutdownPrivilege(bool enable) override;
  bool RequestRestart() override;
  WindowsVersion RunningWindowsVersion() override;

 private:
  Application& app_;
};

// Runs the main keyboard window until it closes.
void RunMainWindow(Application& app);
// The main window's procedure; its dialog parameter is the Application.
INT_PTR CALLBACK MainWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kivora
