#include "ui/investigation.h"

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "ui/changed_key_list.h"

namespace kivora {
namespace {

constexpr std::uint32_t Press(unsigned scan, bool extended = false) {
  return (scan << 16) | (extended ? 0x01000000u : 0) | 1;
}
constexpr std::uint32_t kReleased = 0xC0000001u;

TEST(Investigation, KnownKeysShowTheirLabels) {
  KeyCatalogue c;
  KeyEventOutcome a = HandleKeyEvent(c, Press(0x1E));
  EXPECT_TRUE(a.consumed);
  EXPECT_EQ(a.scancodeText, " 0x001e  ");
  EXPECT_EQ(a.topText, "Ａ　");
  EXPECT_EQ(a.bottomText, "　ち");
  EXPECT_EQ(a.changeButton, ButtonState::Disabled);
  EXPECT_FALSE(a.limitText);
  EXPECT_FALSE(a.numLockNote);

  const KeyEventOutcome ctrl = HandleKeyEvent(c, Press(0x1D, true));
  EXPECT_EQ(ctrl.scancodeText, " 0xe01d  ");
  EXPECT_EQ(ctrl.topText, "Ctrl");
  EXPECT_EQ(ctrl.bottomText, "右");
  EXPECT_TRUE(HandleKeyEvent(c, Press(0x45)).numLockNote);
  EXPECT_TRUE(HandleKeyEvent(c, Press(0x45, true)).numLockNote);

  const KeyEventOutcome release = HandleKeyEvent(c, kReleased);
  EXPECT_FALSE(release.consumed);
  EXPECT_FALSE(release.showTexts);

  c[kScancodeEntrySlot].scancode = 0x0059;  // typed earlier in the direct entry
  const KeyEventOutcome typed = HandleKeyEvent(c, Press(0x59));
  EXPECT_EQ(typed.topText, "Scan");
  EXPECT_EQ(typed.bottomText, "code");
  EXPECT_EQ(typed.changeButton, ButtonState::Disabled);
}

TEST(Investigation, UnknownKeysAreOfferedARawSlotUntilTen) {
  KeyCatalogue c;
  const KeyEventOutcome out = HandleKeyEvent(c, Press(0x56));
  EXPECT_EQ(out.scancodeText, " 0x0056  ");
  EXPECT_EQ(out.topText, "該当なし");
  EXPECT_EQ(out.bottomText, "");
  EXPECT_EQ(out.changeButton, ButtonState::Enabled);
  EXPECT_EQ(out.limitText, "");
  EXPECT_EQ(c[160].scancode, 0x0056);
  EXPECT_EQ(c.currentRawIndex, 0);
  EXPECT_EQ(RawChangeCommand(c), 360);

  // Changed through the change dialog: the slot is in use and offered again.
  ApplyChange(c, 360, IdFromSlot(44));
  EXPECT_EQ(c.rawCount, 1);
  HandleKeyEvent(c, Press(0x59));
  EXPECT_EQ(c.currentRawIndex, 1);
  HandleKeyEvent(c, Press(0x56));
  EXPECT_EQ(c.currentRawIndex, 0);

  for (int i = c.rawCount; i < kRawSlotCount; ++i) c[kFirstRawSlot + i].scancode = 0x60 + i;
  c.rawCount = kRawSlotCount;
  const KeyEventOutcome full = HandleKeyEvent(c, Press(0x5A));
  EXPECT_EQ(full.limitText, kRawSlotLimitText);
  EXPECT_EQ(full.changeButton, ButtonState::Unchanged);
  EXPECT_FALSE(RawChangeCommand(c));
  // A key held by a slot in use is still offered, and its change can start.
  const KeyEventOutcome reuse = HandleKeyEvent(c, Press(0x69));
  EXPECT_EQ(reuse.changeButton, ButtonState::Enabled);
  EXPECT_EQ(RawChangeCommand(c), 369);
}

TEST(ChangedKeyList, RowsInSlotOrder) {
  KeyCatalogue c;
  EXPECT_TRUE(ChangedKeyRows(c).empty());
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
