#include "keymodel/mapping_operations.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace kivora {
namespace {

using testing::ChangedSlots;
using testing::Changes;

constexpr int Id(int slot) { return IdFromSlot(slot); }

// Each row starts from CapsLock -> left Ctrl (43 -> 69), recorded.
TEST(ApplyChange, OutcomeAndTheChangesAfterIt) {
  using enum ChangeOutcome;
  const Changes caps = {{43, 69, 0x001D}};
  struct {
    const char* name;
    Scancode typed;  // in slot 149
    int sourceId, targetId;
    ChangeOutcome outcome;
    Changes changes;
  } const rows[] = {
      {"key to key", 0, Id(44), Id(1), Changed, {{43, 69, 0x001D}, {44, 1, 0x0001}}},
      {"disabled", 0, Id(72), Id(150), Changed, {{43, 69, 0x001D}, {72, 150, 0}}},
      {"typed scancode", 0xE01D, Id(1), Id(149), Changed, {{1, 149, 0xE01D}, {43, 69, 0x001D}}},
      {"raw slot as source", 0, Id(161), Id(44), Changed, {{43, 69, 0x001D}, {161, 44, 0x001E}}},
      {"to itself clears", 0, Id(43), Id(43), Cleared, {}},
      {"typed own scancode clears", 0x003A, Id(43), Id(149), Cleared, {}},
      {"slot 0 as source", 0, Id(0), Id(44), Ignored, caps},
      {"slot 150 as source", 0, Id(150), Id(44), Ignored, caps},
      {"slot 151 as target", 0, Id(44), Id(151), Ignored, caps},
      {"id 0 as target", 0, Id(44), 0, Ignored, caps},
      {"id past every slot", 0, 99999, Id(44), Ignored, caps},
  };
  for (const auto& row : rows) {
    KeyCatalogue c;
    RecordPair(c, {.from = 0x003A, .to = 0x001D});
    c[kScancodeEntrySlot].scancode = row.typed;
    EXPECT_EQ(ApplyChange(c, row.sourceId, row.targetId), row.outcome) << row.name;
    EXPECT_EQ(ChangedSlots(c), row.changes) << row.name;
  }
}

// A raw slot the key investigation filled is taken into use by the next change
// applied, whichever key it is for.
TEST(ApplyChange, CommitsTheOfferedRawSlot) {
  struct {
    const char* name;
    int rawCount, currentRawIndex, sourceId, targetId, rawCountAfter;
  } const rows[] = {
      {"at start slot 160 is taken", 0, 0, Id(43), Id(43), 1},
      {"index names an in-use slot", 1, 0, Id(44), Id(1), 1},
      {"offered slot", 1, 1, Id(161), Id(44), 2},
      {"never past ten", 10, 10, Id(1), Id(44), 10},
      {"an ignored change takes nothing", 0, 0, Id(0), Id(44), 0},
  };
  for (const auto& row : rows) {
    KeyCatalogue c;
    c.rawCount = row.rawCount;
    c.currentRawIndex = row.currentRawIndex;
    ApplyChange(c, row.sourceId, row.targetId);
    EXPECT_EQ(c.rawCount, row.rawCountAfter) << row.name;
  }
}

TEST(RecordPair, ResolvesBothScancodesToSlots) {
  struct {
    const char* name;
    Scancode typed;  // in slot 149
    int rawInUse;
    ScancodePair pair;
    Changes changes;
    int rawCountAfter = 0;
  } const rows[] = {
      {"known keys", 0, 0, {0x003A, 0x001D}, {{43, 69, 0x001D}}},
      {"extended keys", 0, 0, {0xE038, 0xE01D}, {{76, 79, 0xE01D}}},
      {"to 0 is the disable slot", 0, 0, {0x0001, 0}, {{1, 150, 0}}},
      {"unknown to shows as a raw slot", 0, 0, {0x001E, 0x0056}, {{44, 160, 0x0056}}},
      {"from = to changes the key to itself", 0, 0, {0x0038, 0x0038}, {{71, 71, 0x0038}}},
      {"typed scancode shadows the key", 0x001D, 0, {0x003A, 0x001D}, {{43, 149, 0x001D}}},
      {"typed scancode as from", 0x001D, 0, {0x001D, 0x003A}, {{149, 43, 0x003A}}},
      {"from 0 is the disable slot", 0, 0, {0, 0x001E}, {{150, 44, 0x001E}}},
      {"unknown from takes a raw slot", 0, 0, {0x0056, 0x001E}, {{160, 160, 0x001E}}, 1},
      {"the tenth raw slot", 0, 9, {0x0056, 0}, {{169, 160, 0}}, 10},
      {"an eleventh is dropped", 0, 10, {0x0056, 0}, {}, 10},
      {"known keys after ten", 0, 10, {0x003A, 0x001D}, {{43, 69, 0x001D}}, 10},
  };
  for (const auto& row : rows) {
    KeyCatalogue c;
    c[kScancodeEntrySlot].scancode = row.typed;
    c.rawCount = row.rawInUse;
    RecordPair(c, row.pair);
    EXPECT_EQ(ChangedSlots(c), row.changes) << row.name;
    EXPECT_EQ(c.rawCount, row.rawCountAfter) << row.name;
  }
}

TEST(ResetAndClear, ResetKeepsRawSlotsInUseAndLoadFreesThem) {
  KeyCatalogue c;
  for (ScancodePair pair : {ScancodePair{0x0056, 0x001E}, {0x003A, 0x001D}, {0, 0x001D}}) {
    RecordPair(c, pair);
  }
  c.currentRawIndex = 1;
  KeyCatalogue loaded = c;
  EXPECT_EQ(ResetAllChanges(c), (std::vector<int>{43, kDisableSlot, 160}));
  ClearForLoad(loaded);
  for (const KeyCatalogue* after : {&c, &loaded}) {
    EXPECT_EQ(ChangedSlots(*after), Changes{});
    EXPECT_EQ(after->currentRawIndex, 1);
    EXPECT_EQ((*after)[160].scancode, 0x0056);
  }
  EXPECT_EQ(c.rawCount, 1);
  EXPECT_EQ(loaded.rawCount, 0);
}

TEST(HasCtrlAltDelete, NeedsACtrlAnAltAndDeleteProducedSomewhere) {
  struct {
    const char* name;
    std::vector<std::pair<int, int>> changes;  // source slot -> target slot
    Scancode typed;                            // in slot 149
    bool has;
  } const rows[] = {
      {"the keyboard as it is", {}, 0, true},
      {"one Ctrl left", {{69, 150}}, 0, true},
      {"no Ctrl", {{69, 150}, {79, 150}}, 0, false},
      {"a Ctrl made from CapsLock", {{69, 150}, {79, 150}, {43, 69}}, 0, true},
      {"no Alt", {{71, 44}, {76, 44}}, 0, false},
      {"the keypad's dot is no Delete", {{86, 109}}, 0, false},
      {"a Delete typed into slot 149", {{86, 109}}, 0xE053, true},
  };
  for (const auto& row : rows) {
    KeyCatalogue c;
    for (auto [source, target] : row.changes) ApplyChange(c, Id(source), Id(target));
    c[kScancodeEntrySlot].scancode = row.typed;
    EXPECT_EQ(HasCtrlAltDelete(c), row.has) << row.name;
  }
}

}  // namespace
}  // namespace kivora
