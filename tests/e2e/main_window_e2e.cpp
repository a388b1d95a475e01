// The real kivora.exe under Wine, driven from outside like a user would.
#include <gtest/gtest.h>

#include "tests/e2e/kivora_driver.h"

namespace kivora::e2e {
namespace {

using Bytes = std::vector<BYTE>;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

constexpr int kEsc = 201, kCapsLock = 243, kA = 244, kS = 245, kCtrlLeft = 269, kMuhenkan = 272;
constexpr int kSpace = 273, kCtrlRight = 279, kNumLock = 293, kUpArrow = 289;

// Scancode Map with the given (to, from) entries.
Bytes MapOf(std::initializer_list<std::pair<WORD, WORD>> entries) {
  Bytes value(12, 0);
  value[8] = static_cast<BYTE>(entries.size() + 1);
  for (auto [to, from] : entries) {
    for (WORD w : {to, from}) {
      value.push_back(static_cast<BYTE>(w & 0xFF));
      value.push_back(static_cast<BYTE>(w >> 8));
    }
  }
  value.resize(value.size() + 4, 0);
  return value;
}

class KivoraE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteStoredMap(HKEY_LOCAL_MACHINE);
    DeleteStoredMap(HKEY_CURRENT_USER);
  }
  void TearDown() override {
    DeleteStoredMap(HKEY_LOCAL_MACHINE);
    DeleteStoredMap(HKEY_CURRENT_USER);
  }

  // Clicks a key, waits for the change dialog and returns it.
  static HWND OpenChange(const Kivora& kivora, int keyId) {
    kivora.ClickKey(keyId);
    return kivora.WaitForDialog();
  }
  static void Choose(const Kivora& kivora, HWND change, int id) {
    Kivora::Click(change, id);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(change); }));
    ASSERT_TRUE(WaitFor([&] { return kivora.NoDialogOpen(); }));
  }
  static bool MarkBecomes(HWND dialog, int id, COLORREF colour) {
    return WaitFor([&] { return MarkHasColour(dialog, id, colour); });
  }
};

TEST_F(KivoraE2e, StartShowsTheStoredMappingWithRedFrames) {
  SetStoredMap(HKEY_LOCAL_MACHINE, MapOf({{0x001D, 0x003A}, {0x0000, 0x0001}, {0x001E, 0x0056}}));
  Kivora kivora;
  EXPECT_EQ(WindowText(kivora.Main()), kAdminTitle);
  EXPECT_EQ(kivora.KeyLabelSoon(kCapsLock, L"Ctrl\n左"), L"Ctrl\n左");
  EXPECT_EQ(kivora.KeyLabelSoon(kEsc, L"無効\n"), L"無効\n");
  EXPECT_EQ(kivora.KeyLabelSoon(kA, L"Ａ　\n　ち"), L"Ａ　\n　ち");
  ASSERT_TRUE(MarkBecomes(kivora.Main(), kCapsLock, kRed));
  EXPECT_TRUE(MarkHasColour(kivora.Main(), kEsc, kRed));
  for (int id = 202; id <= 309; ++id) {
    if (id != kCapsLock) {
      EXPECT_TRUE(MarkLacksColour(kivora.Main(), id, kRed, {kEsc, kCapsLock})) << id;
    }
  }
  // Centred with integer halves on the 1280 x 1024 desktop.
  RECT r;
  GetWindowRect(kivora.Main(), &r);
  EXPECT_EQ(r.left, 1280 / 2 - (r.right - r.left) / 2);
  EXPECT_EQ(r.top, 1024 / 2 - (r.bottom - r.top) / 2);
}

TEST_F(KivoraE2e, ChangingAKeyThroughTheChangeDialog) {
  Kivora kivora;
  HWND change = OpenChange(kivora, kA);
  ASSERT_TRUE(change);
  EXPECT_EQ(WindowText(change), L"【Ａ　 　ち】キーをどのキーに変更しますか？");
  EXPECT_TRUE(MarkBecomes(change, kA, kBlue));
  EXPECT_EQ(WindowText(GetDlgItem(change, 350)), L"キーを無効にする！\n");
  Choose(kivora, change, kEsc);
  EXPECT_EQ(kivora.KeyLabelSoon(kA, L"Esc\n"), L"Esc\n");
  EXPECT_TRUE(MarkBecomes(kivora.Main(), kA, kRed));

  change = OpenChange(kivora, kA);
  EXPECT_EQ(WindowText(change),
            L"変更前【Ａ　 　ち】---> 変更後【Esc 】キーをどのキーに変更しますか？");
  EXPECT_EQ(WindowText(GetDlgItem(change, kA)), L"Ａ　\n　ち");  // own labels there
  Choose(kivora, change, kA);                                    // the key itself: the change goes
  EXPECT_EQ(kivora.KeyLabelSoon(kA, L"Ａ　\n　ち"), L"Ａ　\n　ち");
  EXPECT_TRUE(WaitFor([&] { return MarkLacksColour(kivora.Main(), kA, kRed); }));
}

TEST_F(KivoraE2e, CancellingTheChangeDialogChangesNothing) {
  Kivora kivora;
  HWND change = OpenChange(kivora, kS);
  ASSERT_TRUE(change);
  PostMessageW(change, WM_COMMAND, IDCANCEL, 0);  // Esc does nothing
  Sleep(300);
  EXPECT_TRUE(IsWindow(change));
  PostMessageW(change, WM_COMMAND, 78, 0);  // the menu's キャンセル
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(change); }));
  EXPECT_EQ(kivora.KeyLabelSoon(kS, L"Ｓ　\n　と"), L"Ｓ　\n　と");
  // Nothing became dirty: closing asks nothing.
  PostMessageW(kivora.Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(kivora.HasExited(5000));
  EXPECT_EQ(kivora.ExitCode(), 0u);
}

TEST_F(KivoraE2e, DisableTypeAScancodeAndRegister) {
  Kivora kivora;
  Choose(kivora, OpenChange(kivora, kMuhenkan), 350);
  EXPECT_EQ(kivora.KeyLabelSoon(kMuhenkan, L"無効\n"), L"無効\n");

  HWND change = OpenChange(kivora, kSpace);
  Kivora::Click(change, 349);
  HWND entry = kivora.WaitForDialog(L"スキャンコードを直接入力します");
  ASSERT_TRUE(entry);
  EXPECT_EQ(WindowText(GetDlgItem(entry, 134)), L"キー[space][0x0039]を変更します");
  const std::pair<const wchar_t*, const wchar_t*> refused[] = {
      {L"1d", L"４桁で入力して下さい。"},
      {L"E0 1", L"コードは１６進数で入力して下さい。"},
      {L"0039", L"変更前と変更後のスキャンコードが同じです。"}};
  for (auto [typed, message] : refused) {
    SendMessageW(GetDlgItem(entry, 154), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
    Kivora::Click(entry, 102);
    EXPECT_EQ(kivora.Answer(IDOK), message) << typed;
    EXPECT_TRUE(IsWindow(entry));
    EXPECT_EQ(ControlText(GetDlgItem(entry, 154)), typed);  // kept for correction
  }
  SendMessageW(GetDlgItem(entry, 154), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"e01d"));
  Kivora::Click(entry, 102);
  ASSERT_TRUE(WaitFor([&] { return kivora.NoDialogOpen(); }));
  EXPECT_EQ(kivora.KeyLabelSoon(kSpace, L"Scan\ncode"), L"Scan\ncode");

  kivora.Command(50);
  EXPECT_EQ(kivora.Answer(IDCANCEL),
            L"キー情報をレジストリに登録しました。\n変更した内容を有効にするには再起動する必要が"
            L"あります。\n再起動しますか？");
  EXPECT_FALSE(kivora.HasExited(300));
  EXPECT_EQ(StoredMap(HKEY_LOCAL_MACHINE), (Bytes{0, 0, 0,    0, 0,    0,    0,    0, 3, 0, 0, 0,
                                                  0, 0, 0x7B, 0, 0x1D, 0xE0, 0x39, 0, 0, 0, 0, 0}));
  // Registered: closing asks nothing. Registering again and agreeing to the
  // restart closes the window (Wine's restart request succeeds and ends nothing).
  kivora.Command(50);
  kivora.Answer(IDOK);
  EXPECT_TRUE(kivora.HasExited(5000));
  EXPECT_EQ(kivora.ExitCode(), 0u);
  WaitForSessionEnd();
}

TEST_F(KivoraE2e, RegisterNeedsCtrlAltAndDelete) {
  const Bytes before = MapOf({{0x0000, 0x007B}});
  SetStoredMap(HKEY_LOCAL_MACHINE, before);
  Kivora kivora;
  Choose(kivora, OpenChange(kivora, kCtrlLeft), 350);
  Choose(kivora, OpenChange(kivora, kCtrlRight), 350);
  kivora.Command(50);
  EXPECT_EQ(kivora.Answer(IDOK),
            L"Ctrl, Alt, Delete の３つのキーは必須です。\nキー内容を変更して下さい。");
  EXPECT_EQ(StoredMap(HKEY_LOCAL_MACHINE), before);

  // Closing now asks; Cancel keeps every change on screen.
  PostMessageW(kivora.Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(kivora.Answer(IDCANCEL),
            L"キー変更した内容を有効にするには「登録」する必要があります。\nこのまま終了すると変"
            L"更内容は無効になります。\n終了してもよろしいですか？");
  EXPECT_FALSE(kivora.HasExited(300));
  EXPECT_EQ(kivora.KeyLabelSoon(kCtrlLeft, L"無効\n"), L"無効\n");
  kivora.Command(79);  // 終り
  kivora.Answer(IDOK);
  EXPECT_TRUE(kivora.HasExited(5000));
  EXPECT_EQ(StoredMap(HKEY_LOCAL_MACHINE), before);  // nothing written on close
}

TEST_F(KivoraE2e, EscapeAndEnterCloseNothing) {
  Kivora kivora;
  const HWND focused = kivora.Focus();
  ASSERT_EQ(GetDlgCtrlID(focused), kEsc);
  PostMessageW(focused, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(kivora.Main(), WM_COMMAND, IDCANCEL, 0);
  PostMessageW(kivora.Main(), WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(kivora.HasExited(500));
  EXPECT_TRUE(kivora.NoDialogOpen());
}

TEST_F(KivoraE2e, SwitchingBetweenTheMachineAndUserStores) {
  SetStoredMap(HKEY_LOCAL_MACHINE, MapOf({{0x001D, 0x003A}}));
  SetStoredMap(HKEY_CURRENT_USER, MapOf({{0x0000, 0x0001}}));
  Kivora kivora;
  kivora.Command(61);
  ASSERT_TRUE(WaitFor([&] { return WindowText(kivora.Main()) == kUserTitle; }));
  EXPECT_EQ(kivora.KeyLabelSoon(kCapsLock, L"CapsLock\n英数"), L"CapsLock\n英数");
  EXPECT_EQ(kivora.KeyLabelSoon(kEsc, L"無効\n"), L"無効\n");
  kivora.Command(60);
  ASSERT_TRUE(WaitFor([&] { return WindowText(kivora.Main()) == kAdminTitle; }));
  EXPECT_EQ(kivora.KeyLabelSoon(kCapsLock, L"Ctrl\n左"), L"Ctrl\n左");
  EXPECT_EQ(kivora.KeyLabelSoon(kEsc, L"Esc\n"), L"Esc\n");
  EXPECT_TRUE(MarkBecomes(kivora.Main(), kCapsLock, kRed));
  // A switch is not a change: closing asks nothing.
  PostMessageW(kivora.Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(kivora.HasExited(5000));
}

// Wine reports Windows 7 or later, which applies only the machine-wide value.
TEST_F(KivoraE2e, RegisteringInUserModeSaysWindowsWillNotApplyIt) {
  Kivora kivora;
  kivora.Command(61);
  ASSERT_TRUE(WaitFor([&] { return WindowText(kivora.Main()) == kUserTitle; }));
  Choose(kivora, OpenChange(kivora, kMuhenkan), 350);
  kivora.Command(50);
  EXPECT_EQ(kivora.Answer(IDOK),
            L"キー情報をユーザー用のレジストリに登録しました。\nこのバージョンのWindowsでは、キー"
            L"変更はコンピューター全体の登録（管理者モード）だけが有効です。\n変更内容を有効にする"
            L"には、Kivoraを管理者として起動し、管理者モードで登録して下さい。");
  EXPECT_EQ(StoredMap(HKEY_CURRENT_USER), MapOf({{0x0000, 0x007B}}));
  // No restart question follows, and being registered, closing asks nothing.
  PostMessageW(kivora.Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(kivora.HasExited(5000));
}

TEST_F(KivoraE2e, PageUpAndPageDownMoveBetweenKeyGroups) {
  Kivora kivora;
  const auto press = [&](int key) {
    const HWND from = kivora.Focus();
    PostMessageW(from, WM_KEYDOWN, key, 0);
    WaitFor([&] { return kivora.Focus() != from; }, 2000);
    return GetDlgCtrlID(kivora.Focus());
  };
  ASSERT_EQ(GetDlgCtrlID(kivora.Focus()), kEsc);
  EXPECT_EQ(press(VK_PRIOR), kNumLock);  // from Esc round to the keypad
  EXPECT_EQ(press(VK_PRIOR), kUpArrow);
  EXPECT_EQ(press(VK_NEXT), kNumLock);
  EXPECT_EQ(press(VK_NEXT), kEsc);  // past the keypad back to Esc
  EXPECT_EQ(press(VK_NEXT), 214);
  EXPECT_EQ(press(VK_PRIOR), kEsc);
}

TEST_F(KivoraE2e, ASecondCopyEndsAtOnce) {
  Kivora first;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION second{};
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe = path;
  exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"kivora.exe";
  ASSERT_TRUE(CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &second));
  EXPECT_EQ(WaitForSingleObject(second.hProcess, 5000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(second.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(second.hThread);
  CloseHandle(second.hProcess);
  EXPECT_FALSE(first.HasExited());
}

}  // namespace
}  // namespace kivora::e2e
