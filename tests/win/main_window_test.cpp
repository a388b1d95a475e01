// The real main window procedure, run modeless in this process, for what only
// the owning process can read: the menu's radio check and the keyboard focus.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "ui/application_win.h"

namespace kivora {
namespace {

// As the modal loop does, so that Esc and Enter become dialog commands.
void Pump(HWND dialog) {
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageW(dialog, &msg)) DispatchMessageW(&msg);
    }
    Sleep(2);
  }
}

bool Checked(HWND window, UINT item) {
  return GetMenuState(GetMenu(window), item, MF_BYCOMMAND) & MF_CHECKED;
}

TEST(MainWindow, ModeRadioCheckKeysAndTheFocus) {
  Application app(GetModuleHandleW(nullptr));
  const HWND main = CreateDialogParamW(app.instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                       MainWindowProc, reinterpret_cast<LPARAM>(&app));
  ASSERT_NE(main, nullptr);
  Pump(main);
  for (UINT mode : {IDM_ADMIN_MODE, IDM_USER_MODE, IDM_ADMIN_MODE}) {
    SendMessageW(main, WM_COMMAND, mode, 0);
    Pump(main);
    EXPECT_TRUE(Checked(main, mode)) << mode;
    EXPECT_FALSE(Checked(main, mode == IDM_USER_MODE ? IDM_ADMIN_MODE : IDM_USER_MODE)) << mode;
  }

  // PageUp from Esc goes round to the keypad, PageDown back; Esc and Enter close nothing.
  const struct {
    WPARAM key;
    int focused;
  } presses[] = {{VK_PRIOR, 293}, {VK_PRIOR, 289},  {VK_NEXT, 293},
                 {VK_NEXT, 201},  {VK_ESCAPE, 201}, {VK_RETURN, 201}};
  SetFocus(GetDlgItem(main, 201));
  for (const auto& press : presses) {
    PostMessageW(GetFocus(), WM_KEYDOWN, press.key, 0);
    Pump(main);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), press.focused) << press.key;
    EXPECT_TRUE(IsWindowVisible(main)) << press.key;
  }
  DestroyWindow(main);
}

}  // namespace
}  // namespace kivora
