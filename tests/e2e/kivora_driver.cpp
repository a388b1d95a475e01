#include "tests/e2e/kivora_driver.h"

#include <tlhelp32.h>

#include <filesystem>
#include <cstdio>
#include <stdexcept>

namespace kivora::e2e {
namespace {

const wchar_t* SubkeyOf(HKEY root) {
  return root == HKEY_LOCAL_MACHINE ? L"System\\CurrentControlSet\\Control\\Keyboard Layout"
                                    : L"KeyBoard Layout";
}

struct FindState {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<FindState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == state->processId && IsWindowVisible(window)) state->windows.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
  wchar_t className[32];
  GetClassNameW(child, className, 32);
  if (_wcsicmp(className, L"Static") == 0 && !WindowText(child).empty()) {
    *reinterpret_cast<std::wstring*>(param) += WindowText(child);
  }
  return TRUE;
}

}  // namespace

std::filesystem::path DriverDirectory() {
  wchar_t path[MAX_PATH * 4];
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return std::filesystem::path(path).parent_path();
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  do {
    if (condition()) return true;
    Sleep(25);
  } while (GetTickCount64() < end);
  return condition();
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  if (window) GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  return text;
}

std::wstring ControlText(HWND control) {
  wchar_t text[512] = {};
  SendMessageW(control, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring Kivora::KeyLabelSoon(int id, const std::wstring& expected) const {
  WaitFor([&] { return KeyLabel(id) == expected; }, 3000);
  return KeyLabel(id);
}

Kivora::Kivora(const std::filesystem::path& exe) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process_)) {
    throw std::runtime_error("kivora.exe could not be started");
  }
  WaitForInputIdle(process_.hProcess, 10000);
  WaitFor(
      [&] {
        for (HWND w : Dialogs()) {
          const std::wstring title = WindowText(w);
          if (title == kAdminTitle || title == kUserTitle) {
            main_ = w;
            return true;
          }
        }
        return false;
      },
      15000);
  // Let the start-up's posted work (mark redraws) run.
  Sleep(300);
}

Kivora::~Kivora() {
  if (!HasExited()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool Kivora::HasExited(int timeoutMs) const {
  return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD Kivora::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::vector<HWND> Kivora::Dialogs() const {
  FindState state{process_.dwProcessId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
  return state.windows;
}

HWND Kivora::WaitForDialog(const std::wstring& caption, int timeoutMs) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND w : Dialogs()) {
          if (w == main_) continue;
          if (caption.empty() || WindowText(w) == caption) {
            found = w;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

std::optional<std::wstring> Kivora::WaitForMessageBox(HWND* box, int timeoutMs) const {
  const HWND found = WaitForDialog(kProductTitle, timeoutMs);
  if (!found) return std::nullopt;
  if (box) *box = found;
  std::wstring text;
  WaitFor([&] {
    text.clear();
    EnumChildWindows(found, CollectStatic, reinterpret_cast<LPARAM>(&text));
    return !text.empty();
  });
  return text;
}

std::wstring Kivora::Answer(int buttonId) const {
  HWND box = nullptr;
  const auto text = WaitForMessageBox(&box);
  if (!text) return L"(no message box)";
  Click(box, buttonId);
  WaitFor([&] { return !IsWindow(box); });
  return *text;
}

bool Kivora::NoDialogOpen() const {
  for (HWND w : Dialogs()) {
    if (w != main_) return false;
  }
  return true;
}

void Kivora::Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

HWND Kivora::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(process_.dwThreadId, &info);
  return info.hwndFocus;
}

std::vector<POINT> MarkPoints(HWND dialog, int buttonId) {
  RECT outer, client, button;
  GetWindowRect(dialog, &outer);
  GetClientRect(dialog, &client);
  GetWindowRect(GetDlgItem(dialog, buttonId), &button);
  const LONG ox = outer.right - client.right;
  const LONG oy = outer.bottom - client.bottom;
  const LONG left = button.left - ox + 1, top = button.top - oy + 2;
  const LONG right = button.right - ox + 3, bottom = button.bottom - oy + 3;
  return {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
}

namespace {

// One pixel from the middle of each edge of the mark.
std::vector<POINT> EdgeSamples(HWND dialog, int buttonId) {
  const auto p = MarkPoints(dialog, buttonId);
  return {{(p[0].x + p[1].x) / 2, p[0].y},
          {p[1].x, (p[1].y + p[2].y) / 2},
          {(p[2].x + p[3].x) / 2, p[2].y},
          {p[0].x, (p[0].y + p[3].y) / 2}};
}

bool OnMark(HWND dialog, int buttonId, POINT pt) {
  const auto p = MarkPoints(dialog, buttonId);
  const bool inX = pt.x >= p[0].x && pt.x <= p[1].x;
  const bool inY = pt.y >= p[0].y && pt.y <= p[2].y;
  return (inX && (pt.y == p[0].y || pt.y == p[2].y)) || (inY && (pt.x == p[0].x || pt.x == p[1].x));
}

template <typename Check>
bool SampleMark(HWND dialog, int buttonId, Check check, const std::vector<int>& others = {}) {
  const HDC dc = GetDC(dialog);
  bool all = true;
  for (POINT pt : EdgeSamples(dialog, buttonId)) {
    bool shared = false;
    for (int other : others) shared = shared || OnMark(dialog, other, pt);
    if (!shared) all = all && check(GetPixel(dc, pt.x, pt.y));
  }
  ReleaseDC(dialog, dc);
  return all;
}

}  // namespace

bool MarkHasColour(HWND dialog, int buttonId, COLORREF colour) {
  return SampleMark(dialog, buttonId, [&](COLORREF c) { return c == colour; });
}

bool MarkLacksColour(HWND dialog, int buttonId, COLORREF colour, const std::vector<int>& others) {
  return SampleMark(
      dialog, buttonId, [&](COLORREF c) { return c != colour; }, others);
}

namespace {

bool WinebootRuns() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    found = _wcsicmp(entry.szExeFile, L"wineboot.exe") == 0;
  }
  CloseHandle(snapshot);
  return found;
}

}  // namespace

void WaitForSessionEnd() {
  WaitFor(WinebootRuns, 2000);  // it may take a moment to start
  WaitFor([] { return !WinebootRuns(); }, 20000);
}

std::vector<std::wstring> ListRows(HWND list) {
  std::vector<std::wstring> rows;
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t row[256] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row));
    rows.emplace_back(row);
  }
  return rows;
}

void PressKey(WORD scancode) {
  INPUT input[2] = {};
  for (INPUT& in : input) {
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = scancode & 0xFF;
    in.ki.dwFlags = KEYEVENTF_SCANCODE | ((scancode >> 8) == 0xE0 ? KEYEVENTF_EXTENDEDKEY : 0);
  }
  input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

std::filesystem::path IniPath() { return DriverDirectory() / "kivora.ini"; }

std::string IniBytes() {
  std::string bytes;
  if (FILE* f = _wfopen(IniPath().c_str(), L"rb")) {
    char chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, n);
    fclose(f);
  }
  return bytes;
}

void WriteIni(const std::string& bytes) {
  FILE* f = _wfopen(IniPath().c_str(), L"wb");
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char date[16];
  snprintf(date, sizeof date, "%04d.%02d.%02d", now.wYear, now.wMonth, now.wDay);
  return date;
}

std::optional<std::vector<BYTE>> StoredMap(HKEY root) {
  std::vector<BYTE> data(1024);
  DWORD size = static_cast<DWORD>(data.size());
  if (RegGetValueW(root, SubkeyOf(root), L"Scancode Map", RRF_RT_ANY, nullptr, data.data(),
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(size);
  return data;
}

void SetStoredMap(HKEY root, const std::vector<BYTE>& value) {
  HKEY key = nullptr;
  RegCreateKeyExW(root, SubkeyOf(root), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExW(key, L"Scancode Map", 0, REG_BINARY, value.data(),
                 static_cast<DWORD>(value.size()));
  RegCloseKey(key);
}

void DeleteStoredMap(HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, SubkeyOf(root), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, L"Scancode Map");
    RegCloseKey(key);
  }
}

}  // namespace kivora::e2e
