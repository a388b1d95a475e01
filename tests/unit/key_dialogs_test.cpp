// The rules of the key buttons and the dialogs around them: labels, focus
// groups, marks, the change dialog, the scancode entry, the investigation, the
// changed-key list and the about box's link.
#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "ui/change_rules.h"
#include "ui/changed_key_list.h"
#include "ui/geometry.h"
#include "ui/investigation.h"
#include "ui/key_groups.h"
#include "ui/key_labels.h"
#include "ui/web_page.h"
#include "ui/window_messages.h"

namespace kivora {
namespace {

using enum ButtonState;

// CapsLock -> 前変換, Esc disabled.
TEST(KeyLabels, ChangedKeysShowTheirTargetInBold) {
  KeyCatalogue c;
  ApplyChange(c, IdFromSlot(43), IdFromSlot(74));
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  // clang-format off
  const struct { const char* name; int slot; bool showChanges; const char *top, *bottom;
                 int fontHeight, weight; } rows[] = {
      {"changed key", 43, true, "前変換", "変換(次候補)", 7, kBoldWeight},
      {"disabled key", 1, true, "無効", "", 10, kBoldWeight},
      {"own label at own height", 1, false, "Esc", "", 12, kNormalWeight},
  };
  // clang-format on
  for (const auto& row : rows) {
    const auto label = LabelForSlot(c, row.slot, row.showChanges);
    ASSERT_TRUE(label) << row.name;
    EXPECT_EQ(std::tie(label->top, label->bottom, label->fontHeight, label->weight),
              std::tie(row.top, row.bottom, row.fontHeight, row.weight))
        << row.name;
  }
  EXPECT_FALSE(LabelForSlot(c, 0, false) || LabelForSlot(c, 120, true));
}

// Each group by its first and last key, with the first keys of the groups
// around it; the last holds the keypad and the buttons after it.
TEST(NextFocusId, PageDownToTheNextGroupPageUpToTheGroupStartOrTheOneBefore) {
  // clang-format off
  const struct { int first, last, previous, next; } groups[] = {
      {201, 213, 293, 214}, {214, 228, 201, 229}, {229, 242, 214, 243}, {243, 255, 229, 256},
      {256, 268, 243, 269}, {269, 279, 256, 280}, {280, 282, 269, 283}, {283, 288, 280, 289},
      {289, 292, 283, 293}, {293, 350, 289, 201}};
  // clang-format on
  for (const auto& g : groups) {
    EXPECT_EQ(NextFocusId(UM_NEXT_GROUP, g.first), g.next) << "PageDown from " << g.first;
    EXPECT_EQ(NextFocusId(UM_NEXT_GROUP, g.last), g.next) << "PageDown from " << g.last;
    EXPECT_EQ(NextFocusId(UM_PREV_GROUP, g.first), g.previous) << "PageUp from " << g.first;
    EXPECT_EQ(NextFocusId(UM_PREV_GROUP, g.last), g.first) << "PageUp from " << g.last;
  }
  EXPECT_EQ(NextFocusId(UM_NEXT_GROUP, 0), 201);  // from nothing focused
  EXPECT_EQ(NextFocusId(UM_PREV_GROUP, 0), 293);
}

// In the work area of the owner's monitor, each half of a size truncated.
TEST(Geometry, CentredInTheMonitorsWorkAreaAndKeptInside) {
  // clang-format off
  const struct { const char* name; Rect area; int width, height; Point topLeft; } rows[] = {
      {"the primary, taskbar below", {0, 0, 1281, 1023}, 601, 199, {340, 412}},
      {"side by side: the right one", {1920, 0, 3201, 1041}, 601, 199, {2260, 421}},
      {"one above: negative y", {0, -1025, 1280, 0}, 400, 301, {440, -663}},
      {"one on the left: negative x", {-1367, 0, 0, 728}, 601, 199, {-984, 265}},
      {"taskbar on the left", {62, 0, 1920, 1080}, 601, 199, {691, 441}},
      {"larger than the area: its caption reachable", {1920, 40, 3200, 1064}, 1400, 1100, {1920, 40}},
  };
  // clang-format on
  for (const auto& r : rows) {
    EXPECT_EQ(CentredTopLeft(r.area, r.width, r.height), r.topLeft) << r.name;
  }
}

// In client coordinates, whatever the window's frame (journeys: 3 and 6 pixels).
// Its width is one pixel at 96 DPI, scaled as MulDiv scales: halves up.
TEST(Geometry, MarkSitsJustOutsideTheButton) {
  const Rect button{7, 15, 37, 45};
  // clang-format off
  const struct { const char* name; int dpi, ring; Point topLeft, bottomRight; } rows[] = {
      {"100 %: a pixel's gap on the left", 96, 0, {5, 14}, {37, 45}},
      {"200 %, inner ring: the gap filled", 192, 0, {6, 14}, {37, 45}},
      {"150 %, outer ring (1.5 rounds up)", 144, 1, {5, 13}, {38, 46}},
  };
  // clang-format on
  for (const auto& r : rows) {
    const Point topRight{r.bottomRight.x, r.topLeft.y}, bottomLeft{r.topLeft.x, r.bottomRight.y};
    EXPECT_EQ(MarkPolyline(button, r.dpi, r.ring),
              (std::array{r.topLeft, topRight, r.bottomRight, bottomLeft, r.topLeft}))
        << r.name;
  }
}

// One source of every kind; only one shown with a raw-scancode target is limited
// by the ten raw slots.
TEST(ChangeRules, CaptionPromptAndScancodeButtonForEveryKindOfSource) {
  KeyCatalogue c;
  c[kFirstRawSlot].scancode = 0x0056;
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  RecordPair(c, {.from = 0x001F, .to = 0xE07A});  // S -> a code no key has
  // clang-format off
  const struct { int slot; const char* caption; ButtonState nineInUse, tenInUse; } rows[] = {
      {160, "【Scan code】スキャンコード 0x0056 をどのキーに変更しますか？", Unchanged, Unchanged},
      {1, "変更前【Esc 】---> 変更後【無効 】キーをどのキーに変更しますか？", Unchanged, Unchanged},
      {45, "変更前【Ｓ　 　と】---> 変更後【Scan code】スキャンコード 0xe07a をどのキーに変更しますか？", Enabled, Disabled},
  };
  // clang-format on
  for (const auto& row : rows) {
    EXPECT_EQ(ChangeDialogCaption(c, row.slot), row.caption) << row.slot;
    c.rawCount = 9;
    EXPECT_EQ(ScancodeButtonState(c, row.slot), row.nineInUse) << row.slot;
    c.rawCount = 10;
    EXPECT_EQ(ScancodeButtonState(c, row.slot), row.tenInUse) << row.slot;
  }
  EXPECT_EQ(ScancodeEntryPrompt(c, 1), "キー[Esc][0x0001]を変更します");
}

// Checked for the Esc key (own scancode 0x0001); only four characters are read.
TEST(ChangeRules, ScancodeEntryTakesFourHexadecimalDigitsOtherThanTheKeysOwn) {
  using enum EntryVerdict;
  // clang-format off
  const struct { const char* typed; EntryVerdict verdict; Scancode value; } rows[] = {
      {"", NotFourCharacters, 0}, {"E0 1", NotHexadecimal, 0}, {"00g0", NotHexadecimal, 0},
      {"\x95\x5C" "12", NotHexadecimal, 0}, {"0001", SameAsOwn, 0}, {"09af", Accepted, 0x09AF},
      {"AF90", Accepted, 0xAF90}, {"0000", Accepted, 0}, {"12345", Accepted, 0x1234}};
  // clang-format on
  for (const auto& row : rows) {
    const EntryCheck check = CheckScancodeEntry(row.typed, 0x0001);
    EXPECT_EQ(std::pair(check.verdict, check.value), std::pair(row.verdict, row.value))
        << row.typed;
  }
}

constexpr KeyEvent Press(unsigned scan, bool extended = false) {
  return {.lParam = (scan << 16) | (extended ? 0x01000000u : 0) | 1};
}

// Keys of the keyboard cannot get a raw slot; an unknown one is offered one.
TEST(Investigation, PressedKeysShowTheirLabels) {
  // clang-format off
  const struct { const char* name; KeyEvent event; const char *scancode, *top, *bottom;
                 bool numLockNote; ButtonState button; } rows[] = {
      {"A", Press(0x1E), " 0x001e  ", "Ａ　", "　ち", false, Disabled},
      {"NumLock", Press(0x45), " 0x0045  ", "Num", "Lock", true, Disabled},
      {"Pause", Press(0x45, true), " 0xe045  ", "Pause", "", true, Disabled},
      {"a scancode typed into slot 149 is no key", Press(0x59), " 0x0059  ", "該当なし", "", false, Enabled},
      {"a code no key sends, as an injected key may", Press(0), " 0x0000  ", "該当なし", "", false, Disabled},
  };
  // clang-format on
  for (const auto& row : rows) {
    KeyCatalogue c;
    c[kScancodeEntrySlot].scancode = 0x0059;
    const KeyEventOutcome out = HandleKeyEvent(c, row.event);
    EXPECT_TRUE(out.consumed && out.showTexts) << row.name;
    EXPECT_EQ(
        std::tie(out.scancodeText, out.topText, out.bottomText, out.numLockNote, out.changeButton),
        std::tie(row.scancode, row.top, row.bottom, row.numLockNote, row.button))
        << row.name;
    EXPECT_EQ(out.limitText, row.button == Enabled ? std::optional<std::string>("") : std::nullopt)
        << row.name;
  }
}

// What passes untouched, so that the dialog works by keyboard alone, and the
// NumLock note, once for each press. `offered`: a raw slot can be changed.
TEST(Investigation, KeysThatPassAndOneNotePerPress) {
  constexpr std::uint32_t kRepeat = 0x40000000, kAlt = 0x20000000, kUp = 0xC0000000;
  constexpr unsigned kF4 = 0x73, kEsc = 0x1B, kMenu = 0x12;
  const std::uint32_t numLock = Press(0x45).lParam, f4 = Press(0x3E).lParam, k = Press(0x25).lParam;
  // clang-format off
  const struct { const char* name; KeyEvent event; bool consumed, shown, note = false, offered = false, held = false;
  } rows[] = {
      {"NumLock pressed", {numLock}, true, true, true}, {"held: a repeat", {numLock | kRepeat}, true, true},
      {"a note posted or up", {.lParam = numLock, .notePending = true}, true, true},
      {"released", {numLock | kUp}, false, false}, {"Alt+F4", {f4 | kAlt, kF4}, false, false},
      {"F4 alone", {f4, kF4}, true, true}, {"Alt+Esc", {Press(0x01).lParam | kAlt, kEsc}, true, true},
      {"Alt+F4 held: its repeats stay here", {f4 | kAlt | kRepeat, kF4}, true, true},
      {"Alt+K presses the change button", {k | kAlt, kChangeMnemonicKey}, false, false, false, true},
      {"Alt+K with no raw slot to change", {k | kAlt, kChangeMnemonicKey}, true, true},
      {"Alt on its way to Alt+K", {Press(0x38).lParam | kAlt, kMenu}, true, false, false, true, true},
      {"Alt released alone: shown", {.lParam = Press(0x38).lParam | kUp, .altHeld = true}, false, true, false, true},
      {"K released, Alt still held", {.lParam = k | kUp, .altHeld = true}, false, false, false, true, true},
  };
  // clang-format on
  for (const auto& row : rows) {
    KeyCatalogue c;
    c.currentRawIndex = row.offered ? 0 : kNoRawIndex;
    const KeyEventOutcome out = HandleKeyEvent(c, row.event);
    EXPECT_EQ(std::tuple(out.consumed, out.showTexts, out.numLockNote, out.holdAlt),
              std::tuple(row.consumed, row.shown, row.note, row.held))
        << row.name;
  }
  // Held across its note, its repeat reported as a fresh press (as Wine may): one note a press.
  std::string notes;
  KeyCatalogue c;
  for (bool down = false; const std::uint32_t lParam : {numLock, numLock, numLock | kUp, numLock}) {
    const KeyEventOutcome out = HandleKeyEvent(c, {.lParam = lParam, .numLockDown = down});
    notes += out.numLockNote ? "N" : "-", down = out.numLockDown;
  }
  EXPECT_EQ(notes, "N--N");
}

TEST(Investigation, UnknownKeysAreOfferedARawSlotUntilTen) {
  KeyCatalogue c;
  c.currentRawIndex = 0;  // offered at an earlier visit: gone when the dialog opens again
  StartInvestigation(c);
  EXPECT_FALSE(RawChangeCommand(c));
  HandleKeyEvent(c, Press(0x56));
  EXPECT_EQ(std::pair(c[160].scancode, RawChangeCommand(c)),
            std::pair(Scancode{0x56}, std::optional(360)));
  // Two in-use slots hold 0x56 (as earlier versions could leave them): the last is offered.
  ApplyChange(c, 360, IdFromSlot(44));
  c[kFirstRawSlot + c.rawCount++].scancode = 0x56;
  HandleKeyEvent(c, Press(0x59));
  EXPECT_EQ(std::pair(c.currentRawIndex, c[162].scancode), std::pair(2, Scancode{0x59}));
  HandleKeyEvent(c, Press(0x56));
  EXPECT_EQ(c.currentRawIndex, 1);
  HandleKeyEvent(c, Press(0x1E));  // a key of the picture withdraws the offer
  EXPECT_FALSE(RawChangeCommand(c));

  for (int i = c.rawCount; i < kRawSlotCount; ++i) c[kFirstRawSlot + i].scancode = 0x60 + i;
  c.rawCount = kRawSlotCount;
  const KeyEventOutcome full = HandleKeyEvent(c, Press(0x5A));
  EXPECT_EQ(std::tie(full.limitText, full.changeButton),
            std::tuple(std::optional<std::string>(kRawSlotLimitText), Disabled));
  EXPECT_FALSE(RawChangeCommand(c));
  // A key held by a slot in use is still offered, and its change can start.
  EXPECT_EQ(HandleKeyEvent(c, Press(0x69)).changeButton, Enabled);
  EXPECT_EQ(RawChangeCommand(c), 369);
}

TEST(ChangedKeyList, RowsInSlotOrder) {
  KeyCatalogue c;
  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  c[kScancodeEntrySlot].scancode = 0xE07A;
  ApplyChange(c, IdFromSlot(44), IdFromSlot(kScancodeEntrySlot));
  RecordPair(c, {.from = 0x0056, .to = 0x001D});
  EXPECT_EQ(ChangedKeyRows(c), (std::vector<std::string>{
                                   "Esc\t0x0001\t→\tキーを無効にする！\t0x0000",
                                   "CapsLock英数\t0x003a\t→\tCtrl左\t0x001d",
                                   "Ａ　　ち\t0x001e\t→\tScancode\t0xe07a",
                                   "Scancode\t0x0056\t→\tScancode\t0x001d",
                               }));
}

// Only the desktop shell may start the browser of an elevated Kivora.
TEST(WebPage, AnElevatedKivoraStartsNoBrowserItself) {
  using enum WebPageStep;
  // clang-format off
  const struct { const char* name; bool elevated, openedByShell; WebPageStep next; } rows[] = {
      {"opened by the shell", false, true, Done},
      {"no shell: opened by us", false, false, ShellExecute},
      {"elevated, opened by the shell", true, true, Done},
      {"elevated, no shell: only the address shown", true, false, ShowAddress},
  };
  // clang-format on
  for (const auto& r : rows) {
    EXPECT_EQ(AfterDesktopShell(r.elevated, r.openedByShell), r.next) << r.name;
  }
}

}  // namespace
}  // namespace kivora
