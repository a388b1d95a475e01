// A long session on the real main window, in process: thousands of changes,
// relabels and redraws, hundreds of mode switches and changes of display scale
// must not grow the GDI objects the program owns nor the process's handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

#include "keymodel/mapping_operations.h"
#include "resources/resource_ids.h"
#include "ui/application_win.h"

namespace kivora {
namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// GetProcessHandleCount answers 0 under Wine; asking for every possible handle
// value below 64K whether it is open counts the kernel handles there too.
DWORD HandleCount() {
  DWORD count = 0;
  EXPECT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &count));
  return count;
}
DWORD OpenHandleValues() {
  DWORD open = 0;
  for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++open;
  }
  return open;
}

// Beyond what the owners hold, a leak could come from any GDI call. Wine accepts
// a GDI handle by its low word alone, so every live pen, brush and font of the
// process can be counted there; on Windows this count finds nothing and only
// the owners' checks below apply.
struct GdiCounts {
  int pens = 0, brushes = 0, fonts = 0;
  friend bool operator==(const GdiCounts&, const GdiCounts&) = default;
};
void PrintTo(const GdiCounts& c, std::ostream* os) {
  *os << "pens " << c.pens << ", brushes " << c.brushes << ", fonts " << c.fonts;
}
GdiCounts LiveGdiObjects() {
  GdiCounts counts;
  for (std::uintptr_t value = 0; value < 0x10000; ++value) {
    switch (GetObjectType(reinterpret_cast<HGDIOBJ>(value))) {
      case OBJ_PEN:
        ++counts.pens;
        break;
      case OBJ_BRUSH:
        ++counts.brushes;
        break;
      case OBJ_FONT:
        ++counts.fonts;
        break;
      default:
        break;
    }
  }
  return counts;
}

struct Owned {
  std::size_t fonts;
  HBRUSH mainBrush, changeBrush;
  DWORD handles;
  DWORD openValues;
  GdiCounts gdi;
};

Owned Count(const Application& app) {
  return {app.fonts.Count(), app.mainBackground.get(), app.changeBackground.get(),
          HandleCount(),     OpenHandleValues(),       LiveGdiObjects()};
}

// Every font on a key button comes from the cache and is alive, and the
// background brushes and mark pens are the ones made at start and still alive.
void ExpectLiveObjects(const Application& app, const Owned& first) {
  for (int id = IdFromSlot(kFirstKeySlot); id <= IdFromSlot(kLastKeySlot); ++id) {
    const auto font =
        reinterpret_cast<HFONT>(SendDlgItemMessageW(app.mainWindow, id, WM_GETFONT, 0, 0));
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << id;
  }
  EXPECT_EQ(app.mainBackground.get(), first.mainBrush);
  EXPECT_EQ(app.changeBackground.get(), first.changeBrush);
  EXPECT_EQ(GetObjectType(first.mainBrush), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(GetObjectType(first.changeBrush), static_cast<DWORD>(OBJ_BRUSH));
  for (const auto* pen : {&app.pens.change, &app.pens.erase, &app.pens.source}) {
    EXPECT_EQ(GetObjectType(pen->get()), static_cast<DWORD>(OBJ_PEN));
  }
}

TEST(Soak, ChangesAndModeSwitchesGrowNoObjects) {
  const auto started = std::chrono::steady_clock::now();
  Application app(GetModuleHandleW(nullptr));
  const HWND main = CreateDialogParamW(app.instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                       MainWindowProc, reinterpret_cast<LPARAM>(&app));
  ASSERT_NE(main, nullptr);
  // Hidden: the drawing calls are the same, without the cost of painting.
  ShowWindow(main, SW_HIDE);
  Pump();

  // The first cycle changes keys to targets of every label height (7, 8, 10
  // and 12), so every font the run can need exists after it.
  ApplyChange(app.catalogue, 202, 274);
  ApplyChange(app.catalogue, 203, 280);
  ApplyChange(app.catalogue, 204, 243);
  ApplyChange(app.catalogue, 205, 201);
  LabelKeyButtons(main, app.catalogue, app.fonts, true);
  DrawChangeMarks(main, app.catalogue, app.markOrigin, app.pens);
  Pump();
  const Owned first = Count(app);
  ExpectLiveObjects(app, first);

  std::mt19937 random(5);
  std::uniform_int_distribution<int> key(201, 309);
  std::uniform_int_distribution<int> target(200, 310);
  for (int cycle = 1; cycle < 5000; ++cycle) {
    const int t = target(random);
    ApplyChange(app.catalogue, key(random), t == 200 ? 350 : t == 310 ? 349 : t);
    LabelKeyButtons(main, app.catalogue, app.fonts, true);
    DrawChangeMarks(main, app.catalogue, app.markOrigin, app.pens);
    if (cycle % 100 == 0) Pump();
  }
  for (int i = 0; i < 500; ++i) {
    SendMessageW(main, WM_COMMAND, i % 2 == 0 ? IDM_USER_MODE : IDM_ADMIN_MODE, 0);
    if (i % 50 == 0) Pump();
  }
  // Dragged to and fro between a 200 % and a 100 % screen: each scale's fonts
  // replace the other's, and fonts no key shows any more go with them.
  RECT at96;
  GetWindowRect(main, &at96);
  for (int i = 0; i < 20; ++i) {
    const int dpi = i % 2 == 0 ? 192 : 96;
    RECT suggested = {at96.left, at96.top, at96.left + (at96.right - at96.left) * dpi / 96,
                      at96.top + (at96.bottom - at96.top) * dpi / 96};
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump();
  }

  const Owned last = Count(app);
  ExpectLiveObjects(app, first);
  EXPECT_LE(last.fonts, first.fonts);
  EXPECT_LE(last.handles, first.handles);
  EXPECT_LE(last.openValues, first.openValues);
  // The same pens and brushes; fewer fonts by exactly those the cache let go.
  const int released = static_cast<int>(first.fonts - last.fonts);
  EXPECT_EQ(last.gdi, (GdiCounts{first.gdi.pens, first.gdi.brushes, first.gdi.fonts - released}));
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
  std::printf(
      "soak: font cache %zu -> %zu, background brushes 2 -> 2; live in the process: pens %d -> "
      "%d, brushes %d -> %d, fonts %d -> %d; GetProcessHandleCount %lu -> %lu, open handles "
      "%lu -> %lu; %.1f s\n",
      first.fonts, last.fonts, first.gdi.pens, last.gdi.pens, first.gdi.brushes, last.gdi.brushes,
      first.gdi.fonts, last.gdi.fonts, static_cast<unsigned long>(first.handles),
      static_cast<unsigned long>(last.handles), static_cast<unsigned long>(first.openValues),
      static_cast<unsigned long>(last.openValues), seconds.count());
  DestroyWindow(main);
}

}  // namespace
}  // namespace kivora
