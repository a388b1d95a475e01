// Saving, overwriting, deleting and loading key sets on the real exe.
#include <gtest/gtest.h>

#include "tests/e2e/kivora_driver.h"

namespace kivora::e2e {
namespace {

constexpr int kEsc = 201, kCapsLock = 243;
const std::wstring kSaveCaption = L"キー情報をファイルに保存します";
const std::wstring kListCaption = L"保存ファイルを読込・削除します";
const std::string kHyou = "\x95\x5C\x83\x4C\x81\x5B";  // 表キー in code page 932

class SavedSetsE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteStoredMap(HKEY_LOCAL_MACHINE);
    std::filesystem::remove(IniPath());
  }
  void TearDown() override {
    DeleteStoredMap(HKEY_LOCAL_MACHINE);
    std::filesystem::remove(IniPath());
  }
  static void TypeName(HWND save, const wchar_t* name) {
    SendMessageW(GetDlgItem(save, 108), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
  }
  static void Save(const Kivora& kivora, const wchar_t* name) {
    kivora.Command(53);
    HWND save = kivora.WaitForDialog(kSaveCaption);
    ASSERT_TRUE(save);
    TypeName(save, name);
    Kivora::Click(save, 105);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(save); }));
  }
  static HWND OpenList(const Kivora& kivora, int command) {
    kivora.Command(command);
    return kivora.WaitForDialog(kListCaption);
  }
  static void Change(const Kivora& kivora, int key, int target) {
    kivora.ClickKey(key);
    HWND change = kivora.WaitForDialog();
    Kivora::Click(change, target);
    WaitFor([&] { return kivora.NoDialogOpen(); });
  }
};

TEST_F(SavedSetsE2e, SaveOverwriteDeleteAndLoad) {
  const std::string date = Today();
  const std::string myKeys = "name=MyKeys              " + date + "\r\nchg=   58   29\r\n";
  {
    Kivora kivora;
    Change(kivora, kCapsLock, 269);
    Save(kivora, L"MyKeys");
    EXPECT_EQ(IniBytes(), myKeys);

    Change(kivora, kEsc, 350);
    Save(kivora, L"表キー");
    const std::string hyou =
        "name=" + kHyou + std::string(14, ' ') + date + "\r\nchg=    1    0\r\nchg=   58   29\r\n";
    EXPECT_EQ(IniBytes(), myKeys + hyou);

    // The same name again: Cancel keeps the dialog and the text, OK overwrites
    // in place.
    kivora.Command(53);
    HWND save = kivora.WaitForDialog(kSaveCaption);
    TypeName(save, L"MyKeys");
    Kivora::Click(save, 105);
    EXPECT_EQ(kivora.Answer(IDCANCEL),
              L"そのファイル名は既に存在します。\n上書きしてもよろしいですか？");
    EXPECT_TRUE(IsWindow(save));
    EXPECT_EQ(ControlText(GetDlgItem(save, 108)), L"MyKeys");
    EXPECT_EQ(IniBytes(), myKeys + hyou);
    Kivora::Click(save, 105);
    kivora.Answer(IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(save); }));
    const std::string both =
        "name=MyKeys              " + date + "\r\nchg=    1    0\r\nchg=   58   29\r\n";
    EXPECT_EQ(IniBytes(), both + hyou);

    // Deleting the first of three closes the gap.
    kivora.Command(51);
    Save(kivora, L"third");
    const std::string third = "name=third               " + date + "\r\n";
    HWND list = OpenList(kivora, 54);
    ASSERT_TRUE(list);
    EXPECT_EQ(WindowText(GetDlgItem(list, 131)), L"保存されたキー情報を削除します");
    EXPECT_EQ(ListRows(GetDlgItem(list, 18)).size(), 3u);
    SendDlgItemMessageW(list, 18, LB_SETCURSEL, 0, 0);
    Kivora::Click(list, 106);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(list); }));
    EXPECT_EQ(IniBytes(), hyou + third);
    PostMessageW(kivora.Main(), WM_CLOSE, 0, 0);
    kivora.Answer(IDOK);
  }
  // The Japanese name comes back from the file after a restart, and loads.
  Kivora kivora;
  HWND list = OpenList(kivora, 52);
  ASSERT_TRUE(list);
  EXPECT_EQ(WindowText(GetDlgItem(list, 131)), L"保存されたキー情報を読み込みます");
  const std::wstring wideDate(date.begin(), date.end());
  EXPECT_EQ(ListRows(GetDlgItem(list, 18)),
            (std::vector<std::wstring>{L"表キー" + std::wstring(14, L' ') + L"\t" + wideDate,
                                       L"third" + std::wstring(15, L' ') + L"\t" + wideDate}));
  SendDlgItemMessageW(list, 18, LB_SETCURSEL, 0, 0);
  Kivora::Click(list, 104);
  EXPECT_EQ(kivora.Answer(IDOK),
            L"読み込んだ内容を有効にするには、［登録］して再起動する必要があります。");
  EXPECT_EQ(kivora.KeyLabelSoon(kCapsLock, L"Ctrl\n左"), L"Ctrl\n左");
  EXPECT_EQ(kivora.KeyLabelSoon(kEsc, L"無効\n"), L"無効\n");
  EXPECT_TRUE(WaitFor([&] { return MarkHasColour(kivora.Main(), kCapsLock, RGB(255, 0, 0)); }));
  PostMessageW(kivora.Main(), WM_CLOSE, 0, 0);  // a load is a change: the close asks
  EXPECT_EQ(kivora.Answer(IDCANCEL).substr(0, 8), L"キー変更した内容");
}

TEST_F(SavedSetsE2e, TwentySetsAtMostAndNamesStoredAsTyped) {
  std::string nineteen;
  for (int i = 0; i < 19; ++i) nineteen += "name=set" + std::to_string(i) + "\r\n";
  WriteIni(nineteen);
  Kivora kivora;
  // A character code page 932 lacks is refused, not stored mangled.
  kivora.Command(53);
  HWND save = kivora.WaitForDialog(kSaveCaption);
  TypeName(save, L"caf\u00e9");
  Kivora::Click(save, 105);
  EXPECT_EQ(kivora.Answer(IDOK),
            L"この名前には保存できない文字が含まれています。\n別の名前を入力して下さい。");
  EXPECT_EQ(ControlText(GetDlgItem(save, 108)), L"caf\u00e9");
  TypeName(save, L"twenty");
  Kivora::Click(save, 105);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(save); }));
  const std::string ini = IniBytes();  // rewritten whole, each set line padded
  EXPECT_EQ(ini.substr(ini.rfind("name="), 11), "name=twenty");
  EXPECT_EQ(ini.substr(0, 27), "name=set0" + std::string(16, ' ') + "\r\n");

  kivora.Command(53);
  EXPECT_EQ(kivora.Answer(IDOK),
            L"申し訳有りません。\n保存できるファイルの数は最大２０件です。\nいくつかのファイルを"
            L"削除して再実行して下さい。");
  EXPECT_TRUE(kivora.NoDialogOpen());
}

}  // namespace
}  // namespace kivora::e2e
