// The key investigation dialog with real key events, the changed-key list, the
// about box and help.
#include <gtest/gtest.h>

#include "tests/e2e/kivora_driver.h"

namespace kivora::e2e {
namespace {

const std::wstring kInvestigation = L"キーボードのキーを調べます";

class InvestigationE2e : public ::testing::Test {
 protected:
  void SetUp() override { DeleteStoredMap(HKEY_LOCAL_MACHINE); }
  void TearDown() override { DeleteStoredMap(HKEY_LOCAL_MACHINE); }

  static HWND Open(const Kivora& kivora) {
    kivora.Command(55);
    HWND dialog = kivora.WaitForDialog(kInvestigation);
    if (dialog) SetForegroundWindow(dialog);
    return dialog;
  }
  // Presses the key and returns the three texts once the scancode shows.
  static std::vector<std::wstring> Investigate(HWND dialog, WORD scancode,
                                               const std::wstring& expected) {
    PressKey(scancode);
    WaitFor([&] { return ControlText(GetDlgItem(dialog, 151)) == expected; }, 3000);
    return {ControlText(GetDlgItem(dialog, 151)), ControlText(GetDlgItem(dialog, 152)),
            ControlText(GetDlgItem(dialog, 153))};
  }
  using Texts = std::vector<std::wstring>;
};

TEST_F(InvestigationE2e, ShowsKeysAndChangesOneThePictureLacks) {
  Kivora kivora;
  HWND dialog = Open(kivora);
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 107)));
  EXPECT_EQ(Investigate(dialog, 0x1E, L" 0x001e  "), (Texts{L" 0x001e  ", L"Ａ　", L"　ち"}));
  EXPECT_EQ(Investigate(dialog, 0xE01D, L" 0xe01d  "), (Texts{L" 0xe01d  ", L"Ctrl", L"右"}));

  PressKey(0x45);  // NumLock: the note about NumLock and Pause
  EXPECT_EQ(kivora.Answer(IDOK).substr(0, 3), L"注意！");
  EXPECT_EQ(ControlText(GetDlgItem(dialog, 152)), L"Num");

  SetForegroundWindow(dialog);
  EXPECT_EQ(Investigate(dialog, 0x56, L" 0x0056  "), (Texts{L" 0x0056  ", L"該当なし", L""}));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 107)));
  Kivora::Click(dialog, 103);  // clears the texts, keeps the button
  ASSERT_TRUE(WaitFor([&] { return ControlText(GetDlgItem(dialog, 151)).empty(); }));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 107)));

  Kivora::Click(dialog, 107);
  HWND change =
      kivora.WaitForDialog(L"【Scan code】スキャンコード 0x0056 をどのキーに変更しますか？");
  ASSERT_TRUE(change);
  EXPECT_FALSE(IsWindow(dialog));
  Kivora::Click(change, 244);  // A
  ASSERT_TRUE(WaitFor([&] { return kivora.NoDialogOpen(); }));

  kivora.Command(56);
  HWND list = kivora.WaitForDialog(L"変更になったキー情報を一覧表示します");
  ASSERT_TRUE(list);
  EXPECT_EQ(ListRows(GetDlgItem(list, 18)),
            std::vector<std::wstring>{L"Scancode\t0x0056\t→\tＡ　　ち\t0x001e"});
  PostMessageW(list, WM_COMMAND, 77, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(list); }));
}

TEST_F(InvestigationE2e, TenRawSlotsAtMost) {
  // Ten stored pairs whose keys the picture lacks fill every raw slot at start.
  std::vector<BYTE> map(12, 0);
  map[8] = 11;
  for (BYTE from = 0x59; from < 0x63; ++from) map.insert(map.end(), {0x1E, 0, from, 0});
  map.resize(map.size() + 4, 0);
  SetStoredMap(HKEY_LOCAL_MACHINE, map);
  Kivora kivora;
  HWND dialog = Open(kivora);
  ASSERT_TRUE(dialog);
  Investigate(dialog, 0x64, L" 0x0064  ");
  EXPECT_TRUE(WaitFor([&] {
    return ControlText(GetDlgItem(dialog, 135)) == L"スキャンコード変更は最大１０件です";
  }));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 107)));
  // A key already holding a slot is still offered.
  Investigate(dialog, 0x5A, L" 0x005a  ");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 107)));
  EXPECT_EQ(ControlText(GetDlgItem(dialog, 135)), L"");
}

TEST_F(InvestigationE2e, ChangedKeyListAboutAndHelp) {
  std::vector<BYTE> map = {0,    0, 0,    0, 0, 0, 0,    0, 3, 0, 0, 0,
                           0x1D, 0, 0x3A, 0, 0, 0, 0x01, 0, 0, 0, 0, 0};
  SetStoredMap(HKEY_LOCAL_MACHINE, map);
  Kivora kivora;
  kivora.Command(56);
  HWND list = kivora.WaitForDialog(L"変更になったキー情報を一覧表示します");
  ASSERT_TRUE(list);
  EXPECT_EQ(ListRows(GetDlgItem(list, 18)),
            (std::vector<std::wstring>{L"Esc\t0x0001\t→\tキーを無効にする！\t0x0000",
                                       L"CapsLock英数\t0x003a\t→\tCtrl左\t0x001d"}));
  PostMessageW(list, WM_COMMAND, IDCANCEL, 0);  // Esc closes nothing
  Sleep(300);
  EXPECT_TRUE(IsWindow(list));
  Kivora::Click(list, 102);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(list); }));

  kivora.Command(72);
  HWND about = kivora.WaitForDialog(kProductTitle);
  ASSERT_TRUE(about);
  EXPECT_EQ(WindowText(GetDlgItem(about, 101)), L"Veltorのホームページへ...");
  Kivora::Click(about, 101);  // the home page opens; the about box stays
  Sleep(500);
  EXPECT_TRUE(IsWindow(about));
  Kivora::Click(about, 102);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }));

  kivora.Command(71);
  EXPECT_EQ(kivora.Answer(IDOK),
            L"ごめんなさい！　ヘルプファイルは作ってません。(^^;;;\n何か疑問などありましたらメー"
            L"ル下さいませ。");
}

}  // namespace
}  // namespace kivora::e2e
