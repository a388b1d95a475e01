// The labelling code on a real dialog 11, in process: fonts can only be looked
// at by the process that owns them.
#include "ui/key_buttons_win.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "keymodel/mapping_operations.h"
#include "resources/resource_ids.h"

namespace kivora {
namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class KeyButtonFonts : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                PlainDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
  }
  void TearDown() override { DestroyWindow(dialog); }

  LOGFONTW FontOf(int id) const {
    LOGFONTW font{};
    const auto handle =
        reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(dialog, id), WM_GETFONT, 0, 0));
    EXPECT_NE(GetObjectW(handle, sizeof font, &font), 0) << id;
    return font;
  }
  std::wstring TextOf(int id) const {
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, id, text, 64);
    return text;
  }

  HWND dialog = nullptr;
  KeyCatalogue catalogue;
  FontCache fonts;
  MarkPens pens;
};

TEST_F(KeyButtonFonts, ChangedKeysAreBoldAtTheirTargetsHeight) {
  ApplyChange(catalogue, 243, 274);  // CapsLock -> 前変換
  ApplyChange(catalogue, 201, 350);  // Esc disabled
  LabelKeyButtons(dialog, catalogue, fonts, true);

  const LOGFONTW changed = FontOf(243);
  EXPECT_EQ(TextOf(243), L"前変換\n変換(次候補)");
  EXPECT_EQ(changed.lfHeight, 7);
  EXPECT_EQ(changed.lfWeight, 700);
  EXPECT_STREQ(changed.lfFaceName, L"ＭＳ ゴシック");
  EXPECT_EQ(changed.lfCharSet, SHIFTJIS_CHARSET);

  const LOGFONTW disabled = FontOf(201);
  EXPECT_EQ(TextOf(201), L"無効\n");
  EXPECT_EQ(disabled.lfHeight, 10);
  EXPECT_EQ(disabled.lfWeight, 700);

  const LOGFONTW unchanged = FontOf(244);
  EXPECT_EQ(TextOf(244), L"Ａ　\n　ち");
  EXPECT_EQ(unchanged.lfHeight, 10);
  EXPECT_EQ(unchanged.lfWeight, 0);

  LabelKeyButtons(dialog, catalogue, fonts, false);  // as the change dialog shows them
  EXPECT_EQ(TextOf(201), L"Esc\n");
  EXPECT_EQ(FontOf(201).lfHeight, 12);
  EXPECT_EQ(FontOf(201).lfWeight, 0);
}

TEST_F(KeyButtonFonts, AThousandChangesCreateNoFurtherFonts) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> key(201, 309);
  std::uniform_int_distribution<int> target(200, 310);
  // Hidden, so the thousand rounds cost no painting; fonts are handed out the same.
  ShowWindow(dialog, SW_HIDE);
  LabelKeyButtons(dialog, catalogue, fonts, true);
  std::set<HFONT> seen;
  for (int i = 0; i < 1000; ++i) {
    const int t = target(random);
    ApplyChange(catalogue, key(random), t == 200 ? 350 : t == 310 ? 349 : t);
    LabelKeyButtons(dialog, catalogue, fonts, true);
    DrawChangeMarks(dialog, catalogue, ComputeMarkOrigin(dialog), pens);
    if (i % 100 != 99) continue;
    for (int id = 201; id <= 309; ++id) {
      seen.insert(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(dialog, id), WM_GETFONT, 0, 0)));
    }
  }
  // Heights 7, 8, 10 and 12, each plain and bold: never more fonts than that.
  EXPECT_LE(fonts.Count(), 8u);
  EXPECT_LE(seen.size(), fonts.Count());
  for (HFONT font : seen) EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
}

}  // namespace
}  // namespace kivora
