#include "keymodel/mapping_operations.h"

#include <gtest/gtest.h>

namespace kivora {
namespace {

constexpr int kCapsLock = 43, kCtrlLeft = 69, kCtrlRight = 79, kEsc = 1, kA = 44;
constexpr int kAltLeft = 71, kAltRight = 76, kDelete = 86, kMuhenkan = 72;

int Id(int slot) { return IdFromSlot(slot); }

TEST(ApplyChange, SetsTargetSlotAndScancode) {
  KeyCatalogue c;
  EXPECT_EQ(ApplyChange(c, Id(kCapsLock), Id(kCtrlLeft)), ChangeOutcome::Changed);
  EXPECT_EQ(c[kCapsLock].targetSlot, kCtrlLeft);
  EXPECT_EQ(c[kCapsLock].targetScancode, 0x001D);
  EXPECT_EQ(EffectiveScancode(c, kCapsLock), 0x001D);
  EXPECT_EQ(EffectiveScancode(c, kCtrlLeft), 0x001D);

  EXPECT_EQ(ApplyChange(c, Id(kMuhenkan), Id(kDisableSlot)), ChangeOutcome::Changed);
  EXPECT_EQ(c[kMuhenkan].targetSlot, kDisableSlot);
  EXPECT_EQ(c[kMuhenkan].targetScancode, 0);

  c[kScancodeEntrySlot].scancode = 0xE01D;  // typed in the direct entry
  EXPECT_EQ(ApplyChange(c, Id(kEsc), Id(kScancodeEntrySlot)), ChangeOutcome::Changed);
  EXPECT_EQ(c[kEsc].targetSlot, kScancodeEntrySlot);
  EXPECT_EQ(c[kEsc].targetScancode, 0xE01D);
}

TEST(ApplyChange, SourceItselfOrSameScancodeClearsTheChange) {
  KeyCatalogue c;
  ApplyChange(c, Id(kCapsLock), Id(kCtrlLeft));
  EXPECT_EQ(ApplyChange(c, Id(kCapsLock), Id(kCapsLock)), ChangeOutcome::Cleared);
  EXPECT_FALSE(c[kCapsLock].IsChanged());
  EXPECT_EQ(c[kCapsLock].targetScancode, 0);

  c[kScancodeEntrySlot].scancode = 0x003A;  // CapsLock's own code, typed
  ApplyChange(c, Id(kCapsLock), Id(kCtrlLeft));
  EXPECT_EQ(ApplyChange(c, Id(kCapsLock), Id(kScancodeEntrySlot)), ChangeOutcome::Cleared);
  EXPECT_FALSE(c[kCapsLock].IsChanged());
}

TEST(ApplyChange, CommitsTheProvisionalRawSlotAfterEveryChange) {
  KeyCatalogue c;
  // At the start the current raw index equals the count, so the first change
  // takes slot 160 into use even though it holds nothing.
  ApplyChange(c, Id(kCapsLock), Id(kCapsLock));
  EXPECT_EQ(c.rawCount, 1);
  ApplyChange(c, Id(kA), Id(kEsc));
  EXPECT_EQ(c.rawCount, 1);  // index 0 now names an in-use slot: nothing to commit

  // The key investigation filled slot 161 with a key that is not in the catalogue.
  c[161].scancode = 0x0056;
  c.currentRawIndex = 1;
  EXPECT_EQ(ApplyChange(c, Id(161), Id(kA)), ChangeOutcome::Changed);
  EXPECT_EQ(c.rawCount, 2);
  EXPECT_EQ(c[161].targetSlot, kA);
  EXPECT_EQ(c[161].targetScancode, 0x001E);

  c.rawCount = kRawSlotCount;
  c.currentRawIndex = kRawSlotCount;
  ApplyChange(c, Id(kEsc), Id(kA));
  EXPECT_EQ(c.rawCount, kRawSlotCount);  // never past ten; slot 170 is never used
}

TEST(ApplyChange, IdsOutsideTheSourceAndTargetRangesTouchNothing) {
  KeyCatalogue c;
  EXPECT_EQ(ApplyChange(c, Id(0), Id(kA)), ChangeOutcome::Ignored);
  EXPECT_EQ(ApplyChange(c, Id(kDisableSlot), Id(kA)), ChangeOutcome::Ignored);
  EXPECT_EQ(ApplyChange(c, Id(kA), Id(kDisabledLabelSlot)), ChangeOutcome::Ignored);
  EXPECT_EQ(ApplyChange(c, Id(kA), 0), ChangeOutcome::Ignored);
  EXPECT_EQ(ApplyChange(c, 99999, Id(kA)), ChangeOutcome::Ignored);
  EXPECT_EQ(c.rawCount, 0);
  for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_FALSE(c[slot].IsChanged()) << slot;
}

TEST(RecordPair, KnownKeysResolveToTheirSlots) {
  KeyCatalogue c;
  RecordPair(c, {.from = 0x003A, .to = 0x001D});
  EXPECT_EQ(c[kCapsLock].targetSlot, kCtrlLeft);
  EXPECT_EQ(c[kCapsLock].targetScancode, 0x001D);
  RecordPair(c, {.from = 0xE038, .to = 0xE01D});
  EXPECT_EQ(c[kAltRight].targetSlot, kCtrlRight);
  // to = 0 always resolves to the disable slot, the last slot walked.
  RecordPair(c, {.from = 0x0001, .to = 0});
  EXPECT_EQ(c[kEsc].targetSlot, kDisableSlot);
  EXPECT_EQ(c[kEsc].targetScancode, 0);
  // A to scancode that no slot holds shows as "Scan"/"code".
  RecordPair(c, {.from = 0x001E, .to = 0x0056});
  EXPECT_EQ(c[kA].targetSlot, kFirstRawSlot);
  EXPECT_EQ(c[kA].targetScancode, 0x0056);
  // No rule for from = to: the key becomes changed to itself.
  RecordPair(c, {.from = 0x0038, .to = 0x0038});
  EXPECT_EQ(c[kAltLeft].targetSlot, kAltLeft);
  EXPECT_EQ(c.rawCount, 0);
}

TEST(RecordPair, TheLastMatchWinsSoTheTypedScancodeShadowsThePhysicalKey) {
  KeyCatalogue c;
  c[kScancodeEntrySlot].scancode = 0x001D;
  RecordPair(c, {.from = 0x003A, .to = 0x001D});
  EXPECT_EQ(c[kCapsLock].targetSlot, kScancodeEntrySlot);
  RecordPair(c, {.from = 0x001D, .to = 0x003A});
  EXPECT_FALSE(c[kCtrlLeft].IsChanged());
  EXPECT_EQ(c[kScancodeEntrySlot].targetSlot, kCapsLock);
  // from = 0 resolves to the disable slot, which then becomes changed.
  RecordPair(c, {.from = 0, .to = 0x001E});
  EXPECT_EQ(c[kDisableSlot].targetSlot, kA);
}

TEST(RecordPair, UnknownKeysFillRawSlotsUntilTenThenAreDropped) {
  KeyCatalogue c;
  RecordPair(c, {.from = 0x0056, .to = 0x001E});
  RecordPair(c, {.from = 0x0056, .to = 0});  // the same key again takes a new slot
  EXPECT_EQ(c.rawCount, 2);
  EXPECT_EQ(c[160].scancode, 0x0056);
  EXPECT_EQ(c[160].targetSlot, kFirstRawSlot);  // whatever the target
  EXPECT_EQ(c[160].targetScancode, 0x001E);
  EXPECT_EQ(c[161].targetSlot, kFirstRawSlot);
  EXPECT_EQ(c[161].targetScancode, 0);
  for (Scancode from = 0x0060; from < 0x0068; ++from) RecordPair(c, {.from = from, .to = 0x1E});
  EXPECT_EQ(c.rawCount, kRawSlotCount);
  EXPECT_EQ(c[169].scancode, 0x0067);

  RecordPair(c, {.from = 0x0068, .to = 0x001E});  // the eleventh: dropped
  EXPECT_EQ(c.rawCount, kRawSlotCount);
  EXPECT_FALSE(c[170].IsChanged());
  EXPECT_EQ(c[170].scancode, 0);
  RecordPair(c, {.from = 0x003A, .to = 0x001D});  // known keys still recorded
  EXPECT_EQ(c[kCapsLock].targetSlot, kCtrlLeft);
  EXPECT_EQ(c.currentRawIndex, 0);
}

TEST(ResetAndClear, ResetUnmapsButKeepsRawSlotsInUse) {
  KeyCatalogue c;
  RecordPair(c, {.from = 0x0056, .to = 0x001E});
  RecordPair(c, {.from = 0x003A, .to = 0x001D});
  RecordPair(c, {.from = 0, .to = 0x001D});
  c[kScancodeEntrySlot].scancode = 0x1234;
  c.currentRawIndex = 1;
  EXPECT_EQ(ResetAllChanges(c), (std::vector<int>{kCapsLock, kDisableSlot, 160}));
  for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_FALSE(c[slot].IsChanged()) << slot;
  EXPECT_EQ(c.rawCount, 1);
  EXPECT_EQ(c.currentRawIndex, 1);
  EXPECT_EQ(c[160].scancode, 0x0056);
  EXPECT_EQ(c[kScancodeEntrySlot].scancode, 0x1234);

  // A mode switch resets and reads again: unknown keys take new slots each time.
  RecordPair(c, {.from = 0x0056, .to = 0x001E});
  EXPECT_EQ(c.rawCount, 2);
}

TEST(ResetAndClear, ClearForLoadFreesEveryRawSlotAndKeepsScancodes) {
  KeyCatalogue c;
  RecordPair(c, {.from = 0x0056, .to = 0x001E});
  RecordPair(c, {.from = 0x003A, .to = 0x001D});
  c.currentRawIndex = 1;
  ClearForLoad(c);
  EXPECT_EQ(c.rawCount, 0);
  EXPECT_EQ(c.currentRawIndex, 1);
  EXPECT_EQ(c[160].scancode, 0x0056);
  for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_FALSE(c[slot].IsChanged()) << slot;
}

TEST(HasCtrlAltDelete, NeedsACtrlAnAltAndTheDeleteKeyProducedSomewhere) {
  KeyCatalogue c;
  EXPECT_TRUE(HasCtrlAltDelete(c));
  ApplyChange(c, Id(kCtrlLeft), Id(kDisableSlot));
  EXPECT_TRUE(HasCtrlAltDelete(c));
  ApplyChange(c, Id(kCtrlRight), Id(kDisableSlot));
  EXPECT_FALSE(HasCtrlAltDelete(c));
  ApplyChange(c, Id(kCapsLock), Id(kCtrlLeft));
  EXPECT_TRUE(HasCtrlAltDelete(c));

  ApplyChange(c, Id(kAltLeft), Id(kA));
  ApplyChange(c, Id(kAltRight), Id(kA));
  EXPECT_FALSE(HasCtrlAltDelete(c));
  ApplyChange(c, Id(kAltRight), Id(kAltRight));
  EXPECT_TRUE(HasCtrlAltDelete(c));

  // The keypad's "．" is not Delete...
  ApplyChange(c, Id(kDelete), Id(109));
  EXPECT_FALSE(HasCtrlAltDelete(c));
  // ...but an unchanged slot 149 counts with the scancode typed into it.
  c[kScancodeEntrySlot].scancode = 0xE053;
  EXPECT_TRUE(HasCtrlAltDelete(c));
}

}  // namespace
}  // namespace kivora
