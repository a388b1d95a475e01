#include "keymodel/mapping_operations.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/unit/fakes.h"

namespace kivora {
namespace {

using enum ChangeOutcome;
using testing::Changes;

constexpr int Id(int slot) { return IdFromSlot(slot); }

// Look-ups by scancode and by label rely on these: each key once, at a label
// height there is a font for, and no label or scancode on a spare slot.
TEST(KeyCatalogue, EachKeyOnceAndNothingElseLooksLikeAKey) {
  const KeyCatalogue c;
  std::set<Scancode> seen;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool key = slot >= kFirstKeySlot && slot <= kLastKeySlot;
    const bool labelled = key || (slot >= kScancodeEntrySlot && slot <= kDisabledLabelSlot) ||
                          (slot >= kFirstRawSlot && slot <= kLastRawSlot);
    EXPECT_EQ(c[slot].HasLabel(), labelled) << slot;
    EXPECT_EQ(c[slot].scancode != 0, key) << slot;
    EXPECT_TRUE(!key || (seen.insert(c[slot].scancode).second &&
                         std::set{7, 8, 10, 12}.contains(c[slot].fontHeight)))
        << slot;
  }
}

// Each row starts from CapsLock -> left Ctrl recorded, a scancode typed into slot
// 149 and the raw slots in use and offered by the key investigation: an offered
// raw slot is taken into use by the next change, whichever key it is for.
TEST(ApplyChange, OutcomeAndTheChangesAfterIt) {
  // clang-format off
  struct { const char* name; Scancode typed; int raw, offered, sourceId, targetId; ChangeOutcome outcome; const char* changes; } const rows[] = {
      {"key to key", 0, 0, 0, Id(44), Id(1), Changed, "43>69:1D 44>1:1 raw1"},
      {"disabled", 0, 0, 0, Id(72), Id(150), Changed, "43>69:1D 72>150:0 raw1"},
      {"typed scancode", 0xE01D, 0, 0, Id(1), Id(149), Changed, "1>149:E01D 43>69:1D raw1"},
      {"raw slot as source", 0, 0, 0, Id(161), Id(44), Changed, "43>69:1D 161>44:1E raw1"},
      {"to itself clears", 0, 0, 0, Id(43), Id(43), Cleared, "raw1"},
      {"typed own scancode clears", 0x003A, 0, 0, Id(43), Id(149), Cleared, "raw1"},
      {"an in-use raw slot offered", 0, 1, 0, Id(44), Id(1), Changed, "43>69:1D 44>1:1 raw1"},
      {"a free raw slot offered", 0, 1, 1, Id(161), Id(44), Changed, "43>69:1D 161>44:1E raw2"},
      {"never past ten raw slots", 0, 10, 10, Id(1), Id(44), Changed, "1>44:1E 43>69:1D raw10"},
      {"slot 0 as source", 0, 0, 0, Id(0), Id(44), Ignored, "43>69:1D raw0"},
      {"slot 150 as source", 0, 0, 0, Id(150), Id(44), Ignored, "43>69:1D raw0"},
      {"slot 151 as target", 0, 0, 0, Id(44), Id(151), Ignored, "43>69:1D raw0"},
      {"id 0 as target", 0, 0, 0, Id(44), 0, Ignored, "43>69:1D raw0"},
      {"id past every slot", 0, 0, 0, 99999, Id(44), Ignored, "43>69:1D raw0"},
  };
  // clang-format on
  for (const auto& row : rows) {
    KeyCatalogue c;
    RecordPair(c, {.from = 0x003A, .to = 0x001D});
    c[kScancodeEntrySlot].scancode = row.typed;
    c.rawCount = row.raw;
    c.currentRawIndex = row.offered;
    EXPECT_EQ(ApplyChange(c, row.sourceId, row.targetId), row.outcome) << row.name;
    EXPECT_EQ(Changes(c), row.changes) << row.name;
  }
}

// The last match wins: a scancode typed into slot 149 shadows its key, and 0 is
// the disable slot; a scancode no key has takes the next of the ten raw slots.
TEST(RecordPair, ResolvesBothScancodesToSlots) {
  // clang-format off
  struct { const char* name; Scancode typed; int raw; ScancodePair pair; const char* changes; } const rows[] = {
      {"known keys", 0, 0, {0x003A, 0x001D}, "43>69:1D raw0"},
      {"extended keys", 0, 0, {0xE038, 0xE01D}, "76>79:E01D raw0"},
      {"to 0 is the disable slot", 0, 0, {0x0001, 0}, "1>150:0 raw0"},
      {"unknown to shows as a raw slot", 0, 0, {0x001E, 0x0056}, "44>160:56 raw0"},
      {"from = to changes the key to itself", 0, 0, {0x0038, 0x0038}, "71>71:38 raw0"},
      {"typed scancode shadows the key", 0x001D, 0, {0x003A, 0x001D}, "43>149:1D raw0"},
      {"typed scancode as from", 0x001D, 0, {0x001D, 0x003A}, "149>43:3A raw0"},
      {"from 0 is the disable slot", 0, 0, {0, 0x001E}, "150>44:1E raw0"},
      {"unknown from takes a raw slot", 0, 0, {0x0056, 0x001E}, "160>160:1E raw1"},
      {"the tenth raw slot", 0, 9, {0x0056, 0}, "169>160:0 raw10"},
      {"an eleventh is dropped", 0, 10, {0x0056, 0}, "raw10"},
      {"known keys after ten", 0, 10, {0x003A, 0x001D}, "43>69:1D raw10"},
  };
  // clang-format on
  for (const auto& row : rows) {
    KeyCatalogue c;
    c[kScancodeEntrySlot].scancode = row.typed;
    c.rawCount = row.raw;
    RecordPair(c, row.pair);
    EXPECT_EQ(Changes(c), row.changes) << row.name;
  }
}

TEST(ResetAndClear, ResetKeepsRawSlotsInUseAndLoadFreesThem) {
  KeyCatalogue c;
  for (ScancodePair pair : {ScancodePair{0x0056, 0x001E}, {0x0001, 0x001D}, {0, 0x001D}}) {
    RecordPair(c, pair);
  }
  c.currentRawIndex = 1;
  KeyCatalogue loaded = c;
  EXPECT_EQ(ResetAllChanges(c), (std::vector<int>{1, kDisableSlot, 160}));
  ClearForLoad(loaded);
  EXPECT_EQ(Changes(c), "raw1");
  EXPECT_EQ(Changes(loaded), "raw0");
  for (const KeyCatalogue& after : {c, loaded}) {
    EXPECT_EQ(after.currentRawIndex, 1);
    EXPECT_EQ(after[160].scancode, 0x0056);
  }
}

TEST(HasCtrlAltDelete, NeedsACtrlAnAltAndDeleteProducedSomewhere) {
  // clang-format off
  struct { const char* name; std::vector<std::pair<int, int>> changes; Scancode typed; bool has; } const rows[] = {
      {"the keyboard as it is", {}, 0, true},
      {"one Ctrl left", {{69, 150}}, 0, true},
      {"no Ctrl", {{69, 150}, {79, 150}}, 0, false},
      {"a Ctrl made from CapsLock", {{69, 150}, {79, 150}, {43, 69}}, 0, true},
      {"no Alt", {{71, 44}, {76, 44}}, 0, false},
      {"the keypad's dot is no Delete", {{86, 109}}, 0, false},
      {"a Delete typed into slot 149", {{86, 109}}, 0xE053, true},
  };
  // clang-format on
  for (const auto& row : rows) {
    KeyCatalogue c;
    for (auto [source, target] : row.changes) ApplyChange(c, Id(source), Id(target));
    c[kScancodeEntrySlot].scancode = row.typed;
    EXPECT_EQ(HasCtrlAltDelete(c), row.has) << row.name;
  }
}

}  // namespace
}  // namespace kivora
