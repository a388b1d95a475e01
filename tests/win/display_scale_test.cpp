// The real main window at the display scale the prefix is set to, and following
// WM_DPICHANGED, in process: fonts can only be looked at by their own process.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "keymodel/mapping_operations.h"
#include "resources/resource_ids.h"
#include "ui/application_win.h"

namespace kivora {
namespace {

void Pump() {
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(2);
  }
}

// HKCU\Control Panel\Desktop\LogPixels, which Wine reads when its server starts.
int PrefixDpi() {
  DWORD dpi = 0, size = sizeof dpi;
  return RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", RRF_RT_REG_DWORD,
                      nullptr, &dpi, &size) == ERROR_SUCCESS
             ? static_cast<int>(dpi)
             : 96;
}

constexpr int kEsc = 201, kCapsLock = 243;

// Keys of every label height, plain and changed: heights at 96 DPI.
struct FontRow {
  int id, height, weight;
};
constexpr FontRow kFonts[] = {
    {kEsc, 10, 700},      // disabled: 無効
    {kCapsLock, 7, 700},  // changed to 前変換
    {244, 10, 0},         // Ａ
    {273, 12, 0},         // space
    {280, 8, 0},          // Print Screen
};

class DisplayScale : public ::testing::Test {
 protected:
  void SetUp() override {
    main = CreateDialogParamW(app.instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainWindowProc,
                              reinterpret_cast<LPARAM>(&app));
    ASSERT_NE(main, nullptr);
    ApplyChange(app.catalogue, kCapsLock, 274);
    ApplyChange(app.catalogue, kEsc, IDC_DISABLE);
    app.view.LabelKeys(true);
    app.view.DrawChangeMarks();
    Pump();
  }
  void TearDown() override { DestroyWindow(main); }

  LOGFONTW FontOf(int id) const {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendDlgItemMessageW(main, id, WM_GETFONT, 0, 0));
    EXPECT_NE(GetObjectW(handle, sizeof font, &font), 0) << id;
    return font;
  }
  void ExpectFontsAt(int dpi) const {
    for (const FontRow& row : kFonts) {
      const LOGFONTW font = FontOf(row.id);
      EXPECT_EQ(font.lfHeight, MulDiv(row.height, dpi, 96)) << row.id << " at " << dpi;
      EXPECT_EQ(font.lfWeight, row.weight) << row.id << " at " << dpi;
      EXPECT_STREQ(font.lfFaceName, L"ＭＳ ゴシック") << row.id << " at " << dpi;
    }
  }
  std::set<HFONT> FontsShown() const {
    std::set<HFONT> fonts;
    for (int id = IdFromSlot(kFirstKeySlot); id <= IdFromSlot(kLastKeySlot); ++id) {
      fonts.insert(reinterpret_cast<HFONT>(SendDlgItemMessageW(main, id, WM_GETFONT, 0, 0)));
    }
    return fonts;
  }
  // Every ring of the red mark, in the middle of its top and left edges.
  bool MarkIsRed(int id, int dpi) const {
    RECT r;
    GetWindowRect(GetDlgItem(main, id), &r);
    POINT client{0, 0};
    ClientToScreen(main, &client);
    const MarkFrame frame{app.markOrigin, {client.x, client.y}, dpi};
    const ClientDC dc(main);
    bool red = true;
    for (int ring = 0; ring < MarkWidth(dpi); ++ring) {
      const auto p = MarkPolyline({r.left, r.top, r.right, r.bottom}, frame, ring);
      red = red && GetPixel(dc.get(), (p[0].x + p[1].x) / 2, p[0].y) == RGB(255, 0, 0) &&
            GetPixel(dc.get(), p[0].x, (p[0].y + p[3].y) / 2) == RGB(255, 0, 0);
    }
    return red;
  }

  Application app{GetModuleHandleW(nullptr)};
  HWND main = nullptr;
};

// At the prefix's scale, then dragged to a screen of another and back.
TEST_F(DisplayScale, LabelFontsFollowTheScale) {
  const int base = PrefixDpi();
  ExpectFontsAt(base);
  std::printf("display scale: %d DPI: label heights", base);
  for (const FontRow& row : kFonts) std::printf(" %d -> %ld", row.height, FontOf(row.id).lfHeight);
  std::printf("\n");

  RECT start;
  GetWindowRect(main, &start);
  for (const int dpi : {base == 192 ? 96 : 192, base}) {
    const std::set<HFONT> before = FontsShown();
    RECT suggested = {start.left, start.top,
                      start.left + MulDiv(start.right - start.left, dpi, base),
                      start.top + MulDiv(start.bottom - start.top, dpi, base)};
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump();
    RECT now;
    GetWindowRect(main, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested)) << dpi;
    ExpectFontsAt(dpi);
    // The previous scale's fonts are gone; the cache holds what is shown.
    for (HFONT old : before) EXPECT_EQ(GetObjectType(old), 0u) << dpi;
    EXPECT_EQ(app.fonts.Count(), FontsShown().size()) << dpi;
    // Esc stays inside the window whichever way it was resized (only the
    // dialog manager of Windows moves the keys themselves).
    EXPECT_TRUE(MarkIsRed(kEsc, dpi)) << dpi;
  }
}

}  // namespace
}  // namespace kivora
