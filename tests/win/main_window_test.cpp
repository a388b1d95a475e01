// The real main window procedure, run modeless in this process, for what only
// the owning process can read: the menu's radio checks and greying.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "ui/application_win.h"

namespace kivora {
namespace {

void Pump() {
  MSG msg;
  for (int i = 0; i < 50; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(2);
  }
}

UINT MenuState(HWND window, UINT item) { return GetMenuState(GetMenu(window), item, MF_BYCOMMAND); }

TEST(MainWindowMenu, ModeSwitchMovesTheRadioCheck) {
  Application app(GetModuleHandleW(nullptr));
  const HWND main = CreateDialogParamW(app.instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                       MainWindowProc, reinterpret_cast<LPARAM>(&app));
  ASSERT_NE(main, nullptr);
  Pump();
  EXPECT_TRUE(MenuState(main, IDM_ADMIN_MODE) & MF_CHECKED);
  EXPECT_FALSE(MenuState(main, IDM_USER_MODE) & MF_CHECKED);
  EXPECT_FALSE(MenuState(main, IDM_ADMIN_MODE) & MF_GRAYED);

  SendMessageW(main, WM_COMMAND, IDM_USER_MODE, 0);
  Pump();
  EXPECT_TRUE(MenuState(main, IDM_USER_MODE) & MF_CHECKED);
  EXPECT_FALSE(MenuState(main, IDM_ADMIN_MODE) & MF_CHECKED);
  EXPECT_EQ(app.controller.State().mode, StoreKind::User);

  SendMessageW(main, WM_COMMAND, IDM_ADMIN_MODE, 0);
  Pump();
  EXPECT_TRUE(MenuState(main, IDM_ADMIN_MODE) & MF_CHECKED);
  EXPECT_FALSE(MenuState(main, IDM_USER_MODE) & MF_CHECKED);
  DestroyWindow(main);
}

}  // namespace
}  // namespace kivora
