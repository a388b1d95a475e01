// The labelling code on a real dialog 11, in process: fonts can only be looked
// at by the process that owns them.
#include "ui/key_buttons_win.h"

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "resources/resource_ids.h"

namespace kivora {
namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(KeyButtonFonts, EachButtonShowsItsLabelInItsFont) {
  const HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN),
                                         nullptr, PlainDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  KeyCatalogue catalogue;
  FontCache fonts;
  ApplyChange(catalogue, 243, 274);  // CapsLock -> 前変換
  ApplyChange(catalogue, 201, 350);  // Esc disabled
  struct {
    bool showChanges;
    int id;
    const wchar_t* text;
    LONG height, weight;
  } const rows[] = {
      {true, 243, L"前変換\n変換(次候補)", 7, 700},
      {true, 201, L"無効\n", 10, 700},
      {true, 244, L"Ａ　\n　ち", 10, 0},
      {false, 201, L"Esc\n", 12, 0},
      {false, 243, L"CapsLock\n英数", 10, 0},
  };
  for (const auto& row : rows) {
    LabelKeyButtons(dialog, catalogue, fonts, row.showChanges);
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, row.id, text, 64);
    EXPECT_STREQ(text, row.text) << row.id;
    LOGFONTW font{};
    ASSERT_NE(
        GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, row.id, WM_GETFONT, 0, 0)),
                   sizeof font, &font),
        0)
        << row.id;
    EXPECT_EQ(font.lfHeight, row.height) << row.id;
    EXPECT_EQ(font.lfWeight, row.weight) << row.id;
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ ゴシック") << row.id;
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET) << row.id;
  }
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace kivora
