// Relabelling the keyboard in process: one LabelKeyButtons with changes shown
// plus DrawChangeMarks, against the floor of setting the same 109 texts on
// buttons that already carry one preset font. The mapping alternates between
// two sets of 30 changed keys, as loading one saved set after another does, so
// every round really changes 60 labels and their fonts.
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "keymodel/mapping_operations.h"
#include "resources/resource_ids.h"
#include "ui/key_buttons_win.h"

namespace {

constexpr int kIterations = 200;
constexpr int kChangedKeys = 30;
constexpr int kFirstKeyId = 201;

// Every allocation of the process, to show that a relabel makes none.
long allocations = 0;

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HWND OpenKeyboard() {
  const HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN),
                                         nullptr, PlainDialogProc, 0);
  if (dialog) ShowWindow(dialog, SW_SHOW);
  return dialog;
}

// Paints whatever the last round invalidated, outside the timed part.
void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

double Microseconds(auto&& work) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return kivora::bench::Elapsed(start, end, 1e6);
}

}  // namespace

int main() {
  using namespace kivora;
  // Set A moves keys 201..230 onto 240..269; set B the other way round.
  std::array<KeyCatalogue, 2> mappings;
  for (int k = 0; k < kChangedKeys; ++k) {
    ApplyChange(mappings[0], kFirstKeyId + k, kFirstKeyId + 39 + k);
    ApplyChange(mappings[1], kFirstKeyId + 39 + k, kFirstKeyId + k);
  }

  const HWND ours = OpenKeyboard();
  const HWND floor = OpenKeyboard();
  if (!ours || !floor) {
    std::printf("relabel: the keyboard dialog could not be created\n");
    return 1;
  }
  FontCache fonts;
  const MarkPens pens;

  // The floor's texts are exactly what Kivora shows for each set.
  std::array<std::vector<std::wstring>, 2> texts;
  std::array<HWND, kKeyButtonCount> floorButtons{};
  for (int set = 0; set < 2; ++set) {
    LabelKeyButtons(ours, mappings[set], fonts, true);
    for (int i = 0; i < kKeyButtonCount; ++i) {
      wchar_t text[64] = {};
      GetDlgItemTextW(ours, kFirstKeyId + i, text, 64);
      texts[set].push_back(text);
    }
  }
  const HFONT preset = fonts.Get(10, 0);
  for (int i = 0; i < kKeyButtonCount; ++i) {
    floorButtons[i] = GetDlgItem(floor, kFirstKeyId + i);
    SendMessageW(floorButtons[i], WM_SETFONT, reinterpret_cast<WPARAM>(preset), TRUE);
  }
  Pump();

  std::vector<double> oursTimes, floorTimes;
  oursTimes.reserve(kIterations);
  floorTimes.reserve(kIterations);
  const std::size_t fontsBefore = fonts.Count();
  long allocationsDuring = 0;
  for (int i = 0; i < kIterations; ++i) {
    const KeyCatalogue& mapping = mappings[i % 2];
    const long allocationsBefore = allocations;
    oursTimes.push_back(Microseconds([&] {
      LabelKeyButtons(ours, mapping, fonts, true);
      DrawChangeMarks(ours, mapping, pens);
    }));
    allocationsDuring += allocations - allocationsBefore;
    Pump();
    const std::vector<std::wstring>& shown = texts[i % 2];
    floorTimes.push_back(Microseconds([&] {
      for (int k = 0; k < kKeyButtonCount; ++k) SetWindowTextW(floorButtons[k], shown[k].c_str());
    }));
    Pump();
  }

  bench::PrintFigure("relabel", "LabelKeyButtons+DrawChangeMarks", oursTimes, "109 SetWindowTextW",
                     floorTimes, "us");
  std::printf(
      "relabel: %ld allocations and %zu new fonts in %d relabels after the first (%zu fonts in "
      "all)\n",
      allocationsDuring, fonts.Count() - fontsBefore, kIterations, fonts.Count());
  DestroyWindow(floor);
  DestroyWindow(ours);
  return 0;
}
