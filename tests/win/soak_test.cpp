// A long session on the real main window, in process: changes, relabels,
// redraws and mode switches must not grow the process's GDI objects or handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "keymodel/mapping_operations.h"
#include "resources/resource_ids.h"
#include "ui/application_win.h"

namespace kivora {
namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
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
    Pump();
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
  DestroyWindow(main);
}

}  // namespace
}  // namespace kivora
