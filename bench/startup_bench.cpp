// Start-up time of kivora.exe against the floor (minimal_dialog.exe): from
// CreateProcessW until the window is visible with its 109 buttons, Kivora's
// labelled. Run in the Wine virtual desktop that the programs open in, since
// windows of one Wine desktop cannot be seen from another.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_stats.h"

namespace {

constexpr int kRuns = 15;
constexpr int kLastKeyId = 309;  // the last key button Kivora labels
constexpr DWORD kTimeoutMs = 30000;

struct Search {
  DWORD processId;
  bool needsLabel;
  bool found = false;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search.processId || !IsWindowVisible(window)) return TRUE;
  const HWND lastKey = GetDlgItem(window, kLastKeyId);
  if (!lastKey) return TRUE;
  // GetWindowTextW reads another process's window text without sending it a
  // message, so the check never waits for the program being timed.
  wchar_t text[2] = {};
  search.found = !search.needsLabel || GetWindowTextW(lastKey, text, 2) > 0;
  return !search.found;
}

std::wstring BesideUs(const wchar_t* name) {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring directory(path, length);
  return directory.substr(0, directory.find_last_of(L"\\/") + 1) + name;
}

// Milliseconds until the window is up, or a negative number when it never came.
double TimeStart(const std::wstring& exe, bool needsLabel) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start, now;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return -1;
  }
  Search search{process.dwProcessId, needsLabel};
  double elapsed = -1;
  for (;;) {
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.found) {
      elapsed = kivora::bench::Elapsed(start, now, 1000.0);
      break;
    }
    if (kivora::bench::Elapsed(start, now, 1000.0) > kTimeoutMs ||
        WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      break;
    }
    Sleep(1);
  }
  // A second Kivora refuses to start while a window of the first remains.
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, kTimeoutMs);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

}  // namespace

int main() {
  const std::wstring kivora = BesideUs(L"kivora.exe");
  const std::wstring floor = BesideUs(L"minimal_dialog.exe");
  // One untimed start of each first: the first start of a program pays for
  // reading it and its DLLs from disk.
  bool ok = TimeStart(kivora, true) >= 0 && TimeStart(floor, false) >= 0;
  std::vector<double> ours, floors;
  for (int i = 0; ok && i < kRuns; ++i) {
    const double a = TimeStart(kivora, true);
    const double b = TimeStart(floor, false);
    ok = a >= 0 && b >= 0;
    ours.push_back(a);
    floors.push_back(b);
  }
  if (!ok) {
    std::printf("start-up: a window did not appear within %lu ms\n", kTimeoutMs);
  } else {
    kivora::bench::PrintFigure("start-up", "kivora.exe", ours, "minimal_dialog.exe", floors, "ms");
  }
  std::printf("exit code: %d\n", ok ? 0 : 1);
  std::fflush(stdout);
  return ok ? 0 : 1;
}
