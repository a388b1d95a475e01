#include "savedsets/set_operations.h"

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"

namespace kivora {
namespace {

TEST(SetOperations, ListRowsPadTheNameToTwentyBytes) {
  EXPECT_EQ(SetListRow({.name = "MyKeys", .date = "2026.12.06"}),
            "MyKeys              \t2026.12.06");
  const std::string wide = "\x95\x5C\x83\x4C";  // 表キ: four bytes, two characters
  EXPECT_EQ(SetListRow({.name = wide, .date = "d"}), wide + std::string(16, ' ') + "\td");
  EXPECT_EQ(SaveDate(2026, 1, 6), "2026.01.06");
}

TEST(SetOperations, NamesMatchExactly) {
  SavedSetTable table;
  table.sets = {{.name = "Work"}, {.name = "Home"}, {.name = "Work"}};
  EXPECT_EQ(FindSetByName(table, "Work"), 0u);  // the first equal name
  EXPECT_EQ(FindSetByName(table, "Home"), 1u);
  EXPECT_FALSE(FindSetByName(table, "work"));
  EXPECT_FALSE(FindSetByName(table, "Work "));  // a trailing blank makes a new name
  EXPECT_FALSE(FindSetByName(table, ""));

  PutSet(table, 1, {.name = "Home", .date = "new"});  // overwrite keeps the position
  EXPECT_EQ(table.sets[1].date, "new");
  PutSet(table, 3, {.name = "Next"});
  EXPECT_EQ(table.sets.size(), 4u);
}

TEST(SetOperations, TheMappingBecomesPairsInSlotOrder) {
  KeyCatalogue c;
  EXPECT_EQ(MappingAsPairs(c), std::vector<ScancodePair>{});
  ApplyChange(c, IdFromSlot(72), IdFromSlot(kDisableSlot));
  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));
  RecordPair(c, {.from = 0x0056, .to = 0x001E});  // a raw-scancode slot
  EXPECT_EQ(MappingAsPairs(c),
            (std::vector<ScancodePair>{{0x003A, 0x001D}, {0x007B, 0}, {0x0056, 0x001E}}));
  // More changes than a set holds: refused whole rather than cut.
  for (int slot = 1; slot <= 109; ++slot)
    ApplyChange(c, IdFromSlot(slot), IdFromSlot(kDisableSlot));
  c[kScancodeEntrySlot].targetSlot = kDisableSlot;
  EXPECT_FALSE(MappingAsPairs(c));
}

TEST(SetOperations, LoadingReplacesEveryChange) {
  KeyCatalogue c;
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  RecordPair(c, {.from = 0x0056, .to = 0x001E});
  LoadSet(c, {.name = "s", .pairs = {{0x003A, 0x001D}, {0x0059, 0x0001}}});
  EXPECT_FALSE(c[1].IsChanged());
  EXPECT_EQ(c[43].targetSlot, 69);
  EXPECT_EQ(c.rawCount, 1);  // the old raw slot was freed, the new pair took slot 160
  EXPECT_EQ(c[160].scancode, 0x0059);
  LoadSet(c, {.name = "empty"});
  for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_FALSE(c[slot].IsChanged()) << slot;
  EXPECT_EQ(c.rawCount, 0);
}

}  // namespace
}  // namespace kivora
