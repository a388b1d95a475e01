// The key buttons on screen: labels and fonts, the red change marks, the blue
// source mark, and PageUp/PageDown between key groups.
#pragma once

#include <windows.h>

#include <array>

#include "keymodel/key_catalogue.h"
#include "ui/gdi_win.h"
#include "ui/geometry.h"

namespace kivora {

struct Application;

inline constexpr int kKeyButtonCount = 109;

// The buttons of one dialog whose window procedure we replaced, with the
// procedures they had before.
struct KeyButtonSet {
  HWND dialog = nullptr;
  std::array<HWND, kKeyButtonCount> buttons{};
  std::array<WNDPROC, kKeyButtonCount> previousProcs{};
};

void SubclassKeyButtons(HWND dialog, KeyButtonSet& set);
void LabelKeyButtons(HWND dialog, const KeyCatalogue& catalogue, FontCache& fonts,
                     bool showChanges);
inline constexpr COLORREF kMainBackground = RGB(192, 192, 212);
inline constexpr COLORREF kChangeBackground = RGB(192, 222, 192);

// The 1-pixel pens of the marks, made once for the run: the marks are redrawn
// after every background repaint and must not create a GDI object each time.
// A wider mark is drawn as rings one pixel apart, each placed exactly, where a
// wide pen would spread around its line by the rules of each GDI.
struct MarkPens {
  GdiObject<HPEN> change{CreatePen(PS_SOLID, 1, RGB(255, 0, 0))};  // red
  GdiObject<HPEN> erase{CreatePen(PS_SOLID, 1, kMainBackground)};  // over a red mark
  GdiObject<HPEN> source{CreatePen(PS_SOLID, 1, RGB(0, 0, 255))};  // blue
};

void DrawChangeMarks(HWND dialog, const KeyCatalogue& catalogue, const MarkPens& pens);
void EraseChangeMark(HWND dialog, int slot, const MarkPens& pens);
void MarkSourceKey(HWND dialog, int slot, const MarkPens& pens);
// WM_CTLCOLORDLG of a dialog with marks: the marks live outside paint handling,
// so every background repaint wipes them; queue `redrawMessage` behind it.
INT_PTR BackgroundWithMarks(HWND dialog, WPARAM dc, UINT redrawMessage, HBRUSH brush);
// The cases the two keyboard dialogs, the main window (`showChanges`) and the
// change dialog, handle alike, as their default: PageUp/PageDown between key
// groups, a change of display scale, then the common tail. `app` is null
// before WM_INITDIALOG.
INT_PTR KeyboardDialogTail(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                           Application* app, bool showChanges);

}  // namespace kivora
