// The real main window procedure, run modeless in this process, for what only
// the owning process can read: the menu's radio check, the keyboard focus, and
// over a long session of changes, relabels, redraws, mode switches and changes
// of display scale, the process's GDI objects and handles, which must not grow.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>

#include "keymodel/mapping_operations.h"
#include "resources/resource_ids.h"
#include "ui/application_win.h"

namespace kivora {
namespace {

// As the modal loop does, so that Esc and Enter become dialog commands.
void Pump(HWND dialog, int rounds = 20) {
  MSG msg;
  for (int i = 0; i < rounds; ++i) {
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

// Wine accepts a GDI handle by its low word alone, so every live pen, brush and
// font of the process can be counted; GetProcessHandleCount answers 0 there, so
// open handles are counted by asking for every handle value below 64K.
struct Live {
  std::size_t cachedFonts = 0;
  int pens = 0, brushes = 0, fonts = 0, handles = 0;
  friend bool operator==(const Live&, const Live&) = default;
};
void PrintTo(const Live& l, std::ostream* os) {
  *os << "font cache " << l.cachedFonts << ", pens " << l.pens << ", brushes " << l.brushes
      << ", fonts " << l.fonts << ", handles " << l.handles;
}
Live Count(const Application& app) {
  Live live{.cachedFonts = app.fonts.Count()};
  for (std::uintptr_t value = 0; value < 0x10000; ++value) {
    const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(value));
    live.pens += type == OBJ_PEN;
    live.brushes += type == OBJ_BRUSH;
    live.fonts += type == OBJ_FONT;
    DWORD flags = 0;
    live.handles += value % 4 == 0 && GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags);
  }
  return live;
}

TEST(Soak, ChangesAndModeSwitchesGrowNoObjects) {
  Application app(GetModuleHandleW(nullptr));
  const HWND main = CreateDialogParamW(app.instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                       MainWindowProc, reinterpret_cast<LPARAM>(&app));
  ASSERT_NE(main, nullptr);
  ShowWindow(main, SW_HIDE);  // the drawing calls are the same, without painting
  // Targets of every label height (7, 8, 10, 12), so every font the run needs exists.
  for (auto [key, target] : {std::pair{202, 274}, {203, 280}, {204, 243}, {205, 201}}) {
    ApplyChange(app.catalogue, key, target);
  }
  const auto cycle = [&] {
    LabelKeyButtons(main, app.catalogue, app.fonts, true);
    DrawChangeMarks(main, app.catalogue, app.markOrigin, app.pens);
    SendMessageW(main, WM_COMMAND, IDM_USER_MODE, 0);
    SendMessageW(main, WM_COMMAND, IDM_ADMIN_MODE, 0);
    Pump(main, 1);
  };
  cycle();
  const Live first = Count(app);
  std::mt19937 random(5);
  std::uniform_int_distribution<int> key(201, 309), target(200, 310);
  for (int i = 0; i < 200; ++i) {
    const int t = target(random);
    ApplyChange(app.catalogue, key(random), t == 200 ? 350 : t == 310 ? 349 : t);
    cycle();
  }
  EXPECT_EQ(Count(app), first);

  // Dragged between a 200 % and a 100 % screen: each scale's fonts replace the
  // other's, and the fonts no key shows any more are deleted with the cache's.
  for (int i = 0; i < 20; ++i) {
    const int dpi = i % 2 == 0 ? 192 : 96;
    RECT suggested;
    GetWindowRect(main, &suggested);
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump(main, 1);
  }
  const auto uncached = [](Live live) {
    live.fonts -= static_cast<int>(std::exchange(live.cachedFonts, 0));
    return live;
  };
  EXPECT_EQ(uncached(Count(app)), uncached(first));
  DestroyWindow(main);
}

}  // namespace
}  // namespace kivora
