#include "ui/key_buttons_win.h"

#include <set>

#include "ui/application_win.h"
#include "ui/dialog_win.h"
#include "ui/dpi_win.h"
#include "ui/key_groups.h"
#include "ui/key_labels.h"
#include "ui/text_win.h"
#include "ui/window_messages.h"

namespace kivora {

static_assert(kWmApp == WM_APP);
namespace {

LRESULT CALLBACK KeyButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* set = reinterpret_cast<const KeyButtonSet*>(GetWindowLongPtrW(button, GWLP_USERDATA));
  if (message == WM_KEYDOWN && (wParam == VK_PRIOR || wParam == VK_NEXT)) {
    // Posted, so the focus moves after the button has finished with the key.
    PostMessageW(set->dialog, wParam == VK_PRIOR ? UM_PREV_GROUP : UM_NEXT_GROUP, 0, 0);
  }
  for (int i = 0; i < kKeyButtonCount; ++i) {
    if (set->buttons[i] == button) {
      return CallWindowProcW(set->previousProcs[i], button, message, wParam, lParam);
    }
  }
  return DefWindowProcW(button, message, wParam, lParam);
}

// The dialog's buttons by slot 0..150, found in one pass over its children
// rather than one look-up per slot; slots without a button stay null.
using ButtonsBySlot = std::array<HWND, kDisableSlot + 1>;

BOOL CALLBACK CollectButton(HWND child, LPARAM param) {
  auto& buttons = *reinterpret_cast<ButtonsBySlot*>(param);
  const int slot = SlotFromId(GetDlgCtrlID(child));
  if (slot >= 0 && slot < static_cast<int>(buttons.size())) buttons[slot] = child;
  return TRUE;
}

ButtonsBySlot FindButtons(HWND dialog) {
  ButtonsBySlot buttons{};
  EnumChildWindows(dialog, CollectButton, reinterpret_cast<LPARAM>(&buttons));
  return buttons;
}

BOOL CALLBACK CollectFontsShown(HWND window, LPARAM param) {
  auto& fonts = *reinterpret_cast<std::set<HFONT>*>(param);
  for (const HWND button : FindButtons(window)) {
    if (button) fonts.insert(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
  }
  return TRUE;
}

// What every mark drawn in one go shares.
struct MarkDrawing {
  HWND dialog;
  HDC dc;
  int dpi;
};

void DrawMark(const MarkDrawing& drawing, HWND button) {
  if (!button) return;
  RECT r;
  GetWindowRect(button, &r);
  MapWindowPoints(nullptr, drawing.dialog, reinterpret_cast<POINT*>(&r), 2);
  for (int ring = 0; ring < MarkWidth(drawing.dpi); ++ring) {
    const auto points = MarkPolyline({r.left, r.top, r.right, r.bottom}, drawing.dpi, ring);
    std::array<POINT, std::tuple_size_v<decltype(points)>> polyline;
    for (std::size_t i = 0; i < points.size(); ++i) polyline[i] = {points[i].x, points[i].y};
    Polyline(drawing.dc, polyline.data(), static_cast<int>(polyline.size()));
  }
}

// Draws one mark, or all of them, with one pen.
template <typename DrawMarks>
void WithPen(HWND dialog, HPEN pen, DrawMarks draw) {
  const ClientDC dc(dialog);
  const ScopedSelection selection(dc.get(), pen);
  draw(MarkDrawing{dialog, dc.get(), WindowDpi(dialog)});
}

// After the dialog's scale changed: labels at the new font heights, the fonts
// no key button of ours shows any more released, and the background repainted,
// which redraws the marks at the new width.
void RescaleKeyButtons(HWND dialog, const KeyCatalogue& catalogue, FontCache& fonts,
                       bool showChanges) {
  LabelKeyButtons(dialog, catalogue, fonts, showChanges);
  // Another dialog of ours may still be at the previous scale: only fonts that
  // no key button of this thread shows go.
  std::set<HFONT> shown;
  EnumThreadWindows(GetCurrentThreadId(), CollectFontsShown, reinterpret_cast<LPARAM>(&shown));
  fonts.ReleaseAllBut(shown);
  InvalidateRect(dialog, nullptr, TRUE);
}

// UM_NEXT_GROUP or UM_PREV_GROUP: the focus moves through the dialog manager,
// which makes the key it lands on the default button too, so that Enter then
// acts on that key.
void FocusNextGroup(HWND dialog, UINT message) {
  const HWND focused = GetFocus();
  const int focusedId = focused ? GetDlgCtrlID(focused) : 0;
  const HWND next = GetDlgItem(dialog, NextFocusId(message, focusedId));
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

}  // namespace

void SubclassKeyButtons(HWND dialog, KeyButtonSet& set) {
  set.dialog = dialog;
  for (int i = 0; i < kKeyButtonCount; ++i) {
    const HWND button = GetDlgItem(dialog, IdFromSlot(kFirstKeySlot + i));
    set.buttons[i] = button;
    set.previousProcs[i] = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(button, GWLP_WNDPROC));
    // A key button's GWLP_USERDATA holds its set, and nothing else ever.
    SetWindowLongPtrW(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&set));
    SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeyButtonProc));
  }
}

void LabelKeyButtons(HWND dialog, const KeyCatalogue& catalogue, FontCache& fonts,
                     bool showChanges) {
  const ButtonsBySlot buttons = FindButtons(dialog);
  const int dpi = WindowDpi(dialog);
  for (int slot = 0; slot <= kDisableSlot; ++slot) {
    const HWND button = buttons[slot];
    if (!button) continue;
    const auto label = LabelForSlot(catalogue, slot, showChanges);
    if (!label) continue;
    // Only what differs is set: a relabel after one change repaints one key,
    // not the whole keyboard.
    const HFONT font = fonts.Get(ScaleForDpi(label->fontHeight, dpi), label->weight);
    if (reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)) != font) {
      SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    // "top\nbottom" in a fixed buffer: our labels are a few characters each.
    wchar_t text[64];
    std::size_t length = Utf8ToWide(label->top, text, std::size(text) - 2);
    text[length++] = L'\n';
    length += Utf8ToWide(label->bottom, text + length, std::size(text) - 1 - length);
    text[length] = L'\0';
    wchar_t shown[64] = {};
    GetWindowTextW(button, shown, static_cast<int>(std::size(shown)));
    if (wcscmp(text, shown) != 0) SetWindowTextW(button, text);
  }
}

void DrawChangeMarks(HWND dialog, const KeyCatalogue& catalogue, const MarkPens& pens) {
  const ButtonsBySlot buttons = FindButtons(dialog);
  WithPen(dialog, pens.change.get(), [&](const MarkDrawing& drawing) {
    // Raw-scancode slots have no button and are never marked.
    for (int slot = 0; slot <= kScancodeEntrySlot; ++slot) {
      if (catalogue[slot].IsChanged()) DrawMark(drawing, buttons[slot]);
    }
  });
}

void EraseChangeMark(HWND dialog, int slot, const MarkPens& pens) {
  WithPen(dialog, pens.erase.get(), [&](const MarkDrawing& drawing) {
    DrawMark(drawing, GetDlgItem(dialog, IdFromSlot(slot)));
  });
}

void MarkSourceKey(HWND dialog, int slot, const MarkPens& pens) {
  WithPen(dialog, pens.source.get(), [&](const MarkDrawing& drawing) {
    DrawMark(drawing, GetDlgItem(dialog, IdFromSlot(slot)));
  });
}

INT_PTR BackgroundWithMarks(HWND dialog, WPARAM dc, UINT redrawMessage, HBRUSH brush) {
  PostMessageW(dialog, redrawMessage, 0, 0);
  SetBkMode(reinterpret_cast<HDC>(dc), TRANSPARENT);
  return reinterpret_cast<INT_PTR>(brush);
}

INT_PTR KeyboardDialogTail(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                           Application* app, bool showChanges) {
  switch (message) {
    case UM_NEXT_GROUP:
    case UM_PREV_GROUP:
      FocusNextGroup(dialog, message);
      return TRUE;
    case UM_RESCALE_KEYS:
      if (app) RescaleKeyButtons(dialog, app->catalogue, app->fonts, showChanges);
      return TRUE;
    default:
      return DialogTail(dialog, message, wParam, lParam, 1, UM_RESCALE_KEYS);
  }
}

}  // namespace kivora
