// Whole user journeys on the real kivora.exe under Wine, driven from another
// process as a user would: finding its windows, clicking buttons and menu
// items, reading texts, pixels and bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace kivora::e2e {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<BYTE>;

const std::wstring kProductTitle = L"Kivora キヴォラ v1.50  ";
const wchar_t *kMachineKey = L"System\\CurrentControlSet\\Control\\Keyboard Layout",
              *kUserKey = L"KeyBoard Layout";
constexpr int kEsc = 201, kF5 = 206, kCapsLock = 243, kA = 244, kS = 245, kKeypadDot = 309,
              kList = 18;
constexpr int kRegister = 50, kLoad = 52, kSave = 53, kInvestigate = 55, kChangedList = 56,
              kUserMode = 61;

// Polls `condition` until it holds or `timeoutMs` passes.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
  for (const ULONGLONG end = GetTickCount64() + timeoutMs; GetTickCount64() < end; Sleep(25)) {
    if (condition()) return true;
  }
  return condition();
}

// Any window's text, an edit's or a static's of another process included.
std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
  return text;
}

// Posted, so a modal dialog that the click opens does not block the driver.
void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Keys as the keyboard sends them: {key, 0} down, {key, KEYEVENTF_KEYUP} up; a
// key that goes down again unreleased repeats. Windows takes the virtual key
// from the make code; Wine needs it given.
struct Key {
  WORD virtualKey, makeCode;
};
void Keys(std::initializer_list<std::pair<Key, DWORD>> strokes) {
  std::vector<INPUT> inputs;
  for (auto [key, up] : strokes) {
    inputs.push_back(
        {.type = INPUT_KEYBOARD,
         .ki = {.wVk = key.virtualKey, .wScan = key.makeCode, .dwFlags = KEYEVENTF_SCANCODE | up}});
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

fs::path Beside(const wchar_t* name) {
  wchar_t path[MAX_PATH * 4];
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return fs::path(path).parent_path() / name;
}

// Every journey runs kivora.exe from a folder that also holds a DLL under a name
// Windows loads later (uxtheme.dll), as a folder others can write to may. Wine
// is told to prefer such a DLL from the program's folder, as Windows does for
// any name that is not one of its KnownDLLs; once loaded, the marker DLL leaves
// a file named "planted" and ends the process.
const fs::path kFolder = fs::temp_directory_path() / "kivora-journeys";
const wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\kivora.exe\\DllOverrides";

// A program started from `exe`, ended when this goes if it still runs.
struct Process {
  explicit Process(const fs::path& exe = kFolder / "kivora.exe") {
    STARTUPINFOW startup{.cb = sizeof(STARTUPINFOW)};
    CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                   &info);
  }
  ~Process() {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  // Whether it has ended, with exit code 0, within `timeoutMs`.
  bool Ended(int timeoutMs) const {
    DWORD code = 1;
    WaitForSingleObject(info.hProcess, timeoutMs);
    return GetExitCodeProcess(info.hProcess, &code) && code == 0;
  }
  PROCESS_INFORMATION info{};
};

// kivora.exe and its main window once shown.
struct Kivora : Process {
  // `startNote` takes the text of a message box that the start shows first,
  // answered with OK.
  explicit Kivora(std::wstring* startNote = nullptr) {
    if (startNote) *startNote = Answer(IDOK);
    main = Window(kProductTitle + L" >> 管理者 <<", 15000);
  }
  // A visible window of the program other than the main window, with this
  // caption (any, when empty), once it appears.
  HWND Window(const std::wstring& caption = L"", int timeoutMs = 5000) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
          for (HWND w = GetTopWindow(nullptr); w && !found; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == info.dwProcessId && w != main && IsWindowVisible(w) &&
                (caption.empty() || Text(w) == caption)) {
              found = w;
            }
          }
          return found != nullptr;
        },
        timeoutMs);
    return found;
  }
  bool NoDialogOpen() const { return Window(L"", 0) == nullptr; }
  void Command(int id) const { PostMessageW(main, WM_COMMAND, id, 0); }
  // The key's label once it reads `expected`, or what it reads after waiting.
  std::wstring Label(int id, const std::wstring& expected) const {
    WaitFor([&] { return Text(GetDlgItem(main, id)) == expected; }, 3000);
    return Text(GetDlgItem(main, id));
  }
  // Answers the message box now shown with the button; returns its text.
  std::wstring Answer(int buttonId) const {
    const HWND box = Window(kProductTitle);
    const std::wstring text = Text(GetDlgItem(box, 0xFFFF));
    Click(box, buttonId);
    WaitFor([&] { return !IsWindow(box); });
    return text;
  }
  // Clicks a key of the main window, then the target in the change dialog.
  void Change(int key, int target) const {
    Click(main, key);
    Click(Window(), target);
    WaitFor([&] { return NoDialogOpen(); });
  }
  HWND main = nullptr;
};

// Walks from the key's middle outwards on each side until a few pixels into the
// next key (or the window's edge): the frame must lie in every gap and on no
// key. Returns what is amiss, empty when nothing is.
std::string FrameFaults(HWND dialog, int id, COLORREF colour) {
  const HWND key = GetDlgItem(dialog, id);
  RECT r, client;
  GetWindowRect(key, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  GetClientRect(dialog, &client);
  const HDC dc = GetDC(dialog);
  std::string faults;
  for (const auto& [dx, dy, side] :
       {std::tuple{-1, 0, "left"}, {1, 0, "right"}, {0, -1, "top"}, {0, 1, "bottom"}}) {
    bool inGap = false;
    int intoNeighbour = 0;
    for (POINT pt{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
         PtInRect(&client, pt) && intoNeighbour < 6; pt.x += dx, pt.y += dy) {
      const HWND at = ChildWindowFromPointEx(dialog, pt, CWP_SKIPINVISIBLE);
      const bool onKey = at && at != dialog;
      intoNeighbour += onKey && at != key;
      if (GetPixel(dc, pt.x, pt.y) != colour) continue;
      inGap |= !onKey;
      if (onKey) faults += side + std::string(at == key ? ": on the key; " : ": on the next key; ");
    }
    if (!inGap) faults += side + std::string(": no frame; ");
  }
  ReleaseDC(dialog, dc);
  return faults;
}

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
const std::string kNoFrame = "left: no frame; right: no frame; top: no frame; bottom: no frame; ";

// The frame's faults once it is drawn as `expected` or a few seconds have passed.
std::string Frame(HWND dialog, int id, COLORREF colour, const std::string& expected = "") {
  std::string faults;
  WaitFor([&] { return (faults = FrameFaults(dialog, id, colour)) == expected; }, 3000);
  return faults;
}

std::vector<std::wstring> ListRows(HWND dialog) {
  std::vector<std::wstring> rows(SendDlgItemMessageW(dialog, kList, LB_GETCOUNT, 0, 0));
  wchar_t row[256];
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SendDlgItemMessageW(dialog, kList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row));
    rows[i] = row;
  }
  return rows;
}

std::string IniBytes() {
  std::ifstream in(kFolder / "kivora.ini", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

Bytes StoredMap(HKEY root, const wchar_t* key) {
  Bytes value(1024);
  DWORD size = static_cast<DWORD>(value.size());
  if (RegGetValueW(root, key, L"Scancode Map", RRF_RT_ANY, nullptr, value.data(), &size)) size = 0;
  value.resize(size);
  return value;
}

// A Scancode Map of (to, from) entries.
Bytes MapOf(const std::vector<std::pair<WORD, WORD>>& entries) {
  Bytes value(12, 0);
  const auto put = [&](std::size_t at, std::size_t word) {
    value.resize(std::max(value.size(), at + 2));
    value[at] = LOBYTE(word), value[at + 1] = HIBYTE(word);
  };
  put(8, entries.size() + 1);  // the terminator counts
  for (auto [to, from] : entries) put(value.size(), to), put(value.size(), from);
  value.resize(value.size() + 4, 0);
  return value;
}

class Journeys : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fs::remove_all(kFolder);
    fs::create_directories(kFolder);
    fs::copy_file(Beside(L"kivora.exe"), kFolder / "kivora.exe");
    fs::copy_file(Beside(L"planted_dll.dll"), kFolder / "uxtheme.dll");
    const wchar_t nativeFirst[] = L"native,builtin";
    RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, L"uxtheme", REG_SZ, nativeFirst,
                    sizeof nativeFirst);
  }
  static void TearDownTestSuite() {
    RegDeleteKeyW(HKEY_CURRENT_USER, kOverrides);
    fs::remove_all(kFolder);
  }
  void SetUp() override { TearDown(); }
  void TearDown() override {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kMachineKey, L"Scancode Map");
    RegDeleteTreeW(HKEY_CURRENT_USER, kUserKey);  // a write in user mode must create it
    fs::remove(kFolder / "kivora.ini");
    EXPECT_FALSE(fs::exists(kFolder / "planted"));
  }
};

// Also run at 125, 150 and 200 % display scale (scripts/dpi-tests).
TEST_F(Journeys, KeysChangedWithTheirFramesAndRegisteredAndASecondCopyEndsAtOnce) {
  const Bytes stored = MapOf({{0x1D, 0x3A}, {0, 0x53}});  // CapsLock -> left Ctrl, keypad "．" off
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kMachineKey, L"Scancode Map", REG_BINARY, stored.data(),
                  static_cast<DWORD>(stored.size()));
  Kivora kivora;
  const HWND main = kivora.main;
  ASSERT_TRUE(main);
  EXPECT_EQ(kivora.Label(kCapsLock, L"Ctrl\n左"), L"Ctrl\n左");
  EXPECT_EQ(Frame(main, kKeypadDot, kRed), "");  // the last key too
  EXPECT_EQ(Frame(main, kS, kRed, kNoFrame), kNoFrame);

  Click(main, kS);  // the change dialog frames its source in blue
  const HWND change = kivora.Window();
  EXPECT_EQ(Frame(change, kS, kBlue), "");
  Click(change, kEsc);
  ASSERT_TRUE(WaitFor([&] { return kivora.NoDialogOpen(); }));
  EXPECT_EQ(kivora.Label(kS, L"Esc\n"), L"Esc\n");
  EXPECT_EQ(Frame(main, kS, kRed), "");
  kivora.Change(kF5, kA);
  kivora.Change(kF5, kF5);  // the key itself: the change and its frame go
  EXPECT_EQ(Frame(main, kF5, kRed, kNoFrame), kNoFrame);
  // Windows 10 and 11 give captioned windows wider frames than Wine's 3 pixels.
  SetWindowLongPtrW(main, GWL_STYLE, GetWindowLongPtrW(main, GWL_STYLE) | WS_THICKFRAME);
  SetWindowLongPtrW(main, GWL_EXSTYLE, GetWindowLongPtrW(main, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  RECT outer;
  GetWindowRect(main, &outer);
  SetWindowPos(main, nullptr, 0, 0, outer.right - outer.left + 6, outer.bottom - outer.top + 6,
               SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS);
  POINT client{0, 0};
  ClientToScreen(main, &client);
  ASSERT_GE(client.x - outer.left, 6);
  EXPECT_EQ(Frame(main, kCapsLock, kRed), "");

  kivora.Command(kRegister);
  EXPECT_TRUE(kivora.Answer(IDCANCEL).starts_with(L"キー情報をレジストリに登録しました。"));
  EXPECT_EQ(StoredMap(HKEY_LOCAL_MACHINE, kMachineKey),
            MapOf({{0x1D, 0x3A}, {0x01, 0x1F}, {0, 0x53}}));
  EXPECT_TRUE(Process().Ended(5000));
  EXPECT_FALSE(kivora.Ended(0));

  // Wine reports Windows 7 or later, which applies only the machine-wide value.
  kivora.Command(kUserMode);
  ASSERT_TRUE(WaitFor([&] { return Text(main) == kProductTitle + L" >> ユーザー <<"; }));
  kivora.Change(kS, kEsc);
  kivora.Command(kRegister);
  EXPECT_TRUE(kivora.Answer(IDOK).starts_with(L"キー情報をユーザー用のレジストリに登録しました。"));
  EXPECT_EQ(StoredMap(HKEY_CURRENT_USER, kUserKey), MapOf({{0x01, 0x1F}}));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(kivora.Ended(5000));  // registered: closing asks nothing
}

TEST_F(Journeys, SavedSetsKeptByteForByteAcrossARestart) {
  // 表纊ー, Esc off: ED 40 (纊) comes back from its character as FA 5C.
  const std::string kept =
      "name=\x95\x5C\xED\x40\x81\x5B              2001.02.03\r\nchg=    1    0\r\n";
  std::ofstream(kFolder / "kivora.ini", std::ios::binary) << kept;
  SYSTEMTIME now;
  GetLocalTime(&now);
  char date[16];
  std::snprintf(date, sizeof date, "%04d.%02d.%02d", now.wYear, now.wMonth, now.wDay);
  const std::string mine =
      "name=MyKeys              " + std::string(date) + "\r\nchg=   58   29\r\n";
  const auto save = [](const Kivora& kivora, const wchar_t* name) {
    kivora.Command(kSave);
    const HWND dialog = kivora.Window(L"キー情報をファイルに保存します");
    SendDlgItemMessageW(dialog, 108, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
    Click(dialog, 105);
  };
  {
    Kivora kivora;
    kivora.Change(kCapsLock, 269);  // left Ctrl
    save(kivora, L"MyKeys");
    ASSERT_TRUE(WaitFor([&] { return kivora.NoDialogOpen(); }));
    EXPECT_EQ(IniBytes(), kept + mine);
  }
  Kivora kivora;
  kivora.Command(kLoad);
  const HWND list = kivora.Window(L"保存ファイルを読込・削除します");
  EXPECT_EQ(ListRows(list),
            (std::vector<std::wstring>{
                L"表纊ー" + std::wstring(14, L' ') + L"\t2001.02.03",
                L"MyKeys" + std::wstring(14, L' ') + L"\t" + std::wstring(date, date + 10)}));
  SendDlgItemMessageW(list, kList, LB_SETCURSEL, 0, 0);
  Click(list, 104);
  EXPECT_EQ(kivora.Answer(IDOK),
            L"読み込んだ内容を有効にするには、［登録］して再起動する必要があります。");
  EXPECT_EQ(kivora.Label(kEsc, L"無効\n"), L"無効\n");
  save(kivora, L"表纊ー");  // the set of that name, as its own bytes: over it?
  EXPECT_EQ(kivora.Answer(IDCANCEL),
            L"そのファイル名は既に存在します。\n上書きしてもよろしいですか？");
}

// 151 pairs, past the 616 bytes earlier versions read: CapsLock -> left Ctrl, then
// 150 keys the picture lacks, 0x56 first: ten take the raw slots, 140 are kept
// aside. By keyboard alone: held down, NumLock shows one note, which Enter
// closes; Esc is shown like any key; Alt+K changes the unknown key, once the
// dialog has gone; Alt+F4 leaves the dialog.
TEST_F(Journeys, AnInvestigatedKeyIsChangedByKeyboardAloneAndNoStoredPairIsLost) {
  constexpr Key kNumLock{VK_NUMLOCK, 0x45}, kEnter{VK_RETURN, 0x1C}, kEscape{VK_ESCAPE, 0x01},
      kAlt{VK_MENU, 0x38}, kF4{VK_F4, 0x3E}, kK{'K', 0x25}, kUnknown{VK_OEM_102, 0x56};
  constexpr DWORD kUp = KEYEVENTF_KEYUP;
  std::vector<std::pair<WORD, WORD>> pairs = {{0x1D, 0x3A}, {0x30, 0x56}};
  for (WORD from = 0x0101; pairs.size() < 151; ++from) pairs.push_back({0x30, from});
  const Bytes stored = MapOf(pairs);
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kMachineKey, L"Scancode Map", REG_BINARY, stored.data(),
                  static_cast<DWORD>(stored.size()));
  std::wstring note;
  Kivora kivora(&note);
  EXPECT_TRUE(note.starts_with(L"画面に表示できないキー変更が 140 件")) << note.size();
  const auto investigate = [&kivora] {
    kivora.Command(kInvestigate);
    const HWND dialog = kivora.Window(L"キーボードのキーを調べます");
    SetForegroundWindow(dialog);
    return dialog;
  };
  HWND dialog = investigate();
  ASSERT_TRUE(dialog);
  Keys({{kNumLock, 0}, {kNumLock, 0}, {kNumLock, 0}});
  const HWND numLockNote = kivora.Window(kProductTitle);
  ASSERT_TRUE(WaitFor([&] { return numLockNote && GetForegroundWindow() == numLockNote; }));
  Keys({{kEnter, 0}, {kEnter, kUp}});
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(numLockNote) && GetForegroundWindow() == dialog; }));
  Keys({{kNumLock, 0}, {kNumLock, kUp}});  // still held: a repeat
  EXPECT_FALSE(kivora.Window(kProductTitle, 500));
  Keys({{kEscape, 0}, {kEscape, kUp}});
  EXPECT_TRUE(WaitFor([&] { return Text(GetDlgItem(dialog, 151)) == L" 0x0001  "; }));
  Keys({{kUnknown, 0}, {kUnknown, kUp}});
  EXPECT_TRUE(WaitFor([&] { return Text(GetDlgItem(dialog, 151)) == L" 0x0056  "; }));
  EXPECT_EQ(Text(GetDlgItem(dialog, 152)), L"該当なし");
  Keys({{kAlt, 0}, {kK, 0}, {kK, kUp}, {kAlt, kUp}});  // the change button
  const HWND change = kivora.Window(
      L"変更前【Scan code】---> 変更後【Scan code】スキャンコード 0x0030 をどのキーに変更しますか？");
  ASSERT_TRUE(change);
  EXPECT_FALSE(IsWindow(dialog));
  Click(change, kA);
  ASSERT_TRUE(WaitFor([&] { return kivora.NoDialogOpen(); }));
  kivora.Command(kRegister);  // the change, and every other pair as it was
  EXPECT_TRUE(kivora.Answer(IDCANCEL).starts_with(L"キー情報をレジストリに登録しました。"));
  pairs[1].first = 0x1E;
  EXPECT_EQ(StoredMap(HKEY_LOCAL_MACHINE, kMachineKey), MapOf(pairs));
  dialog = investigate();
  Keys({{kAlt, 0}, {kF4, 0}, {kF4, kUp}, {kAlt, kUp}});
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
}

// With A changed to S, the close box (WM_CLOSE) of each dialog ends it with
// nothing chosen (the investigation's, by Alt+F4, above); the scancode entry's
// takes the change dialog with it. The main window asks first. Typed into, the
// name box takes no more than kivora.ini's 20 bytes, and the scancode entry four
// characters, saying so at a fifth.
TEST_F(Journeys, EveryDialogClosesByItsCloseBox) {
  Kivora kivora;
  kivora.Change(kA, kS);
  constexpr int kAbout = 72, kTypedScancode = 349, kName = 108, kEntry = 154;
  // clang-format off
  const struct { int command, key, keyInChange; std::wstring caption; int edit = 0; std::wstring typed, kept = L"",
                 warning = L""; } rows[] = {
      {kChangedList, 0, 0, L"変更になったキー情報を一覧表示します"}, {kAbout, 0, 0, kProductTitle},
      {kLoad, 0, 0, L"保存ファイルを読込・削除します"},
      {kSave, 0, 0, L"キー情報をファイルに保存します", kName, L"ab表表表表表表表表表x", L"ab表表表表表表表表表"},
      {0, kA, 0, L"変更前【Ａ　 　ち】---> 変更後【Ｓ　 　と】キーをどのキーに変更しますか？"},
      {0, kA, kTypedScancode, L"スキャンコードを直接入力します", kEntry, L"0e01d", L"0e01", L"４桁で入力して下さい。"},
  };
  // clang-format on
  for (const auto& row : rows) {
    row.command ? kivora.Command(row.command) : Click(kivora.main, row.key);
    if (row.keyInChange) Click(kivora.Window(), row.keyInChange);
    const HWND dialog = kivora.Window(row.caption);
    ASSERT_TRUE(dialog) << row.command << " " << row.keyInChange;
    if (row.command == kChangedList) {
      EXPECT_EQ(ListRows(dialog),
                std::vector<std::wstring>{L"Ａ　　ち\t0x001e\t→\tＳ　　と\t0x001f"});
    }
    if (row.edit) {
      const HWND box = GetDlgItem(dialog, row.edit),
                 edit = FindWindowExW(box, nullptr, L"Edit", nullptr);  // a combo box's own
      for (wchar_t c : row.typed) PostMessageW(edit ? edit : box, WM_CHAR, c, 1);
      EXPECT_EQ(row.warning.empty() ? L"" : kivora.Answer(IDOK), row.warning);
      EXPECT_TRUE(WaitFor([&] { return Text(box) == row.kept; })) << row.caption;
    }
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return kivora.NoDialogOpen(); })) << row.command;
  }
  EXPECT_EQ(kivora.Label(kA, L"Ｓ　\n　と"), L"Ｓ　\n　と");
  PostMessageW(kivora.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(kivora.Answer(IDCANCEL).starts_with(L"キー変更した内容を有効にするには"));
  EXPECT_FALSE(kivora.Ended(500));
  // A second start brings this one before another window (Wine unminimises by itself).
  const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                     200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(
      WaitFor([&] { return SetForegroundWindow(other) && GetForegroundWindow() == other; }));
  EXPECT_TRUE(Process().Ended(5000) &&
              WaitFor([&] { return GetForegroundWindow() == kivora.main; }));
  DestroyWindow(other);
}

}  // namespace
}  // namespace kivora::e2e

// Under a Wine virtual desktop the exit code is lost; scripts/wine-desktop-run
// reads it from the last line instead.
int main(int argc, char** argv) {
  // kivora.exe is DPI aware: a driver that is not would see its windows'
  // rectangles scaled to 96 DPI while GetPixel reads the real pixels.
  SetProcessDPIAware();
  ::testing::InitGoogleTest(&argc, argv);
  const int code = RUN_ALL_TESTS();
  std::printf("exit code: %d\n", code);
  std::fflush(stdout);
  return code;
}
