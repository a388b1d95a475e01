#include "keymodel/key_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kivora {
namespace {

TEST(KeyCatalogue, PhysicalKeysHaveDistinctNonZeroScancodesAndEverythingElseHasNone) {
  const KeyCatalogue catalogue;
  std::set<Scancode> seen;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const KeySlot& s = catalogue[slot];
    EXPECT_FALSE(s.IsChanged()) << slot;
    EXPECT_EQ(s.targetScancode, 0) << slot;
    if (slot >= kFirstKeySlot && slot <= kLastKeySlot) {
      EXPECT_NE(s.scancode, 0) << slot;
      EXPECT_TRUE(seen.insert(s.scancode).second) << "duplicate scancode in slot " << slot;
      EXPECT_TRUE(s.fontHeight == 7 || s.fontHeight == 8 || s.fontHeight == 10 ||
                  s.fontHeight == 12)
          << slot;
      EXPECT_NE(std::string(s.topLabel), "") << slot;
    } else {
      EXPECT_EQ(s.scancode, 0) << slot;
      EXPECT_EQ(s.fontHeight, 10) << slot;
    }
  }
  EXPECT_EQ(seen.size(), 109u);
  EXPECT_EQ(catalogue.rawCount, 0);
  EXPECT_EQ(catalogue.currentRawIndex, 0);
}

TEST(KeyCatalogue, KeysThatAreEasyToConfuse) {
  const KeyCatalogue c;
  EXPECT_EQ(c[82].scancode, 0xE045);  // Pause
  EXPECT_EQ(c[93].scancode, 0x0045);  // NumLock
  EXPECT_EQ(c[109].scancode, 0x0053);
  EXPECT_EQ(c[86].scancode, 0xE053);  // Delete
  EXPECT_STREQ(c[86].topLabel, "Delete");
  EXPECT_STREQ(c[42].topLabel, "Enter");
  EXPECT_STREQ(c[42].bottomLabel, "左");
  EXPECT_EQ(c[42].scancode, 0x001C);
  EXPECT_STREQ(c[107].topLabel, "Enter");
  EXPECT_STREQ(c[107].bottomLabel, "右");
  EXPECT_EQ(c[107].scancode, 0xE01C);
  EXPECT_STREQ(c[43].topLabel, "CapsLock");
  EXPECT_EQ(c[43].scancode, 0x003A);
  EXPECT_STREQ(c[74].bottomLabel, "変換(次候補)");
  EXPECT_EQ(c[74].fontHeight, 7);
  EXPECT_STREQ(c[15].topLabel, "！　");  // full-width space, not ASCII
  EXPECT_STREQ(c[30].bottomLabel, "　た");
}

TEST(KeyCatalogue, SpecialSlotsAndLabelPresence) {
  const KeyCatalogue c;
  EXPECT_STREQ(c[kScancodeEntrySlot].topLabel, "Scan");
  EXPECT_STREQ(c[kScancodeEntrySlot].bottomLabel, "code");
  EXPECT_STREQ(c[kDisableSlot].topLabel, "キーを無効にする！");
  EXPECT_STREQ(c[kDisabledLabelSlot].topLabel, "無効");
  for (int raw = kFirstRawSlot; raw <= kLastRawSlot; ++raw) {
    EXPECT_STREQ(c[raw].topLabel, "Scan");
    EXPECT_STREQ(c[raw].bottomLabel, "code");
  }
  // Spare slots must stay out of every look-up by label.
  for (int spare : {0, 110, 148, 152, 159, 170, 171}) EXPECT_FALSE(c[spare].HasLabel()) << spare;
  EXPECT_EQ(IdFromSlot(1), 201);
  EXPECT_EQ(SlotFromId(369), kLastRawSlot);
}

}  // namespace
}  // namespace kivora
