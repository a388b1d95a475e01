#include "ui/investigation.h"

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "ui/changed_key_list.h"

namespace kivora {
namespace {

constexpr std::uint32_t Press(unsigned scan, bool extended = false) {
  return (scan << 16) | (extended ? 0x01000000u : 0) | 1;
}

// Keys of the keyboard cannot get a raw slot; an unknown one is offered one.
TEST(Investigation, PressedKeysShowTheirLabels) {
  using enum ButtonState;
  // clang-format off
  const struct { const char* name; std::uint32_t lParam; const char *scancode, *top, *bottom;
                 bool numLockNote; ButtonState button; } rows[] = {
      {"Esc", Press(0x01), " 0x0001  ", "Esc", "", false, Disabled},
      {"A", Press(0x1E), " 0x001e  ", "Ａ　", "　ち", false, Disabled},
      {"right Ctrl", Press(0x1D, true), " 0xe01d  ", "Ctrl", "右", false, Disabled},
      {"NumLock", Press(0x45), " 0x0045  ", "Num", "Lock", true, Disabled},
      {"Pause", Press(0x45, true), " 0xe045  ", "Pause", "", true, Disabled},
      {"typed into slot 149", Press(0x59), " 0x0059  ", "Scan", "code", false, Disabled},
      {"unknown", Press(0x56), " 0x0056  ", "該当なし", "", false, Enabled},
  };
  // clang-format on
  for (const auto& row : rows) {
    KeyCatalogue c;
    c[kScancodeEntrySlot].scancode = 0x0059;
    const KeyEventOutcome out = HandleKeyEvent(c, row.lParam);
    EXPECT_TRUE(out.consumed && out.showTexts) << row.name;
    EXPECT_EQ(
        std::tie(out.scancodeText, out.topText, out.bottomText, out.numLockNote, out.changeButton),
        std::tie(row.scancode, row.top, row.bottom, row.numLockNote, row.button))
        << row.name;
    EXPECT_EQ(out.limitText, row.button == Enabled ? std::optional<std::string>("") : std::nullopt)
        << row.name;
  }
  KeyCatalogue c;
  EXPECT_FALSE(HandleKeyEvent(c, 0xC0000001u).consumed);  // a release passes
}

TEST(Investigation, UnknownKeysAreOfferedARawSlotUntilTen) {
  KeyCatalogue c;
  HandleKeyEvent(c, Press(0x56));
  EXPECT_EQ(c[160].scancode, 0x0056);
  EXPECT_EQ(RawChangeCommand(c), 360);
  // Two in-use slots hold 0x56 (a stored map may have it twice): the last is offered.
  ApplyChange(c, 360, IdFromSlot(44));
  RecordPair(c, {.from = 0x0056, .to = 0});
  HandleKeyEvent(c, Press(0x59));
  EXPECT_EQ(c.currentRawIndex, 2);
  HandleKeyEvent(c, Press(0x56));
  EXPECT_EQ(c.currentRawIndex, 1);

  for (int i = c.rawCount; i < kRawSlotCount; ++i) c[kFirstRawSlot + i].scancode = 0x60 + i;
  c.rawCount = kRawSlotCount;
  const KeyEventOutcome full = HandleKeyEvent(c, Press(0x5A));
  EXPECT_EQ(std::tie(full.limitText, full.changeButton),
            std::tuple(std::optional<std::string>(kRawSlotLimitText), ButtonState::Unchanged));
  EXPECT_FALSE(RawChangeCommand(c));
  EXPECT_EQ(c[kLastRawSlot + 1].scancode, 0);
  // A key held by a slot in use is still offered, and its change can start.
  EXPECT_EQ(HandleKeyEvent(c, Press(0x69)).changeButton, ButtonState::Enabled);
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

}  // namespace
}  // namespace kivora
