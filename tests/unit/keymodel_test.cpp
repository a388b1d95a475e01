#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "tests/unit/fakes.h"

namespace kivora {
namespace {

using enum ChangeOutcome;
using Bytes = std::vector<std::uint8_t>;
using Pairs = std::vector<ScancodePair>;
using testing::FakeKeyStore;

constexpr int Id(int slot) { return IdFromSlot(slot); }

// Every changed slot as "slot>target:SCANCODE", then the raw slots in use and
// the pairs kept aside: one comparison shows what an operation changed and what
// it left alone.
std::string Changes(const KeyCatalogue& catalogue) {
  std::string changes;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const KeySlot& s = catalogue[slot];
    char text[32];
    std::snprintf(text, sizeof text, "%d>%d:%X ", slot, s.targetSlot, s.targetScancode);
    if (s.IsChanged() || s.targetScancode != 0) changes += text;  // a change half cleared shows
  }
  changes += "raw" + std::to_string(catalogue.rawCount);
  if (catalogue.currentRawIndex != kNoRawIndex) {
    changes += " offer" + std::to_string(catalogue.currentRawIndex);
  }
  for (const ScancodePair& pair : catalogue.keptPairs) {
    char text[32];
    std::snprintf(text, sizeof text, " kept%X>%X", pair.from, pair.to);
    changes += text;
  }
  return changes;
}

KeyCatalogue Recorded(const Pairs& pairs) {
  KeyCatalogue catalogue;
  for (const ScancodePair& pair : pairs) RecordPair(catalogue, pair);
  return catalogue;
}

// A value: version and flags zero, the entry count, then the entries' bytes.
Bytes Value(std::uint32_t count, const Bytes& entries = {}) {
  Bytes value(12, 0);
  for (int i = 0; i < 4; ++i) value[8 + i] = static_cast<std::uint8_t>(count >> (8 * i));
  value.insert(value.end(), entries.begin(), entries.end());
  return value;
}

// Look-ups by scancode rely on each key once, and nothing else with a scancode;
// and a key's label needs a height there is a font for.
// Summed, the JIS keyboard's codes and heights: one mistyped shows.
TEST(KeyCatalogue, EachKeyOnceAndNothingElseLooksLikeAKey) {
  const KeyCatalogue c;
  std::set<Scancode> seen;
  int codes = 0, heights = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool key = slot >= kFirstKeySlot && slot <= kLastKeySlot;
    EXPECT_EQ(c[slot].scancode != 0, key) << slot;
    EXPECT_TRUE(!key || (seen.insert(c[slot].scancode).second &&
                         std::set{7, 8, 10, 12}.contains(c[slot].fontHeight)))
        << slot;
    if (key) codes += c[slot].scancode, heights += c[slot].fontHeight;
  }
  EXPECT_EQ(std::tuple(codes, heights, std::string(c[kLastRawSlot].bottomLabel)),
            std::tuple(0x10B5DC, 1106, "code"));
}

// Each row starts from CapsLock -> left Ctrl recorded, CapsLock's scancode typed
// into slot 149, and the raw slots in use and offered by the key investigation:
// an offered raw slot is taken into use by its own change, and only by that.
TEST(ApplyChange, OutcomeAndTheChangesAfterIt) {
  // clang-format off
  struct { const char* name; int source, target; ChangeOutcome outcome; const char* changes;
           int raw = 0, offered = kNoRawIndex; } const rows[] = {
      {"the last raw slot as source", Id(169), Id(44), Changed, "43>69:1D 169>44:1E raw10", 9, 9},
      {"the last key as source", Id(109), Id(1), Changed, "43>69:1D 109>1:1 raw0"},
      {"another key's change leaves the offer", Id(1), Id(44), Changed, "1>44:1E 43>69:1D raw3 offer3", 3, 3},
      {"typed own scancode clears", Id(43), Id(149), Cleared, "raw0"},
      {"never past ten raw slots", Id(170), Id(44), Ignored, "43>69:1D raw10 offer10", 10, 10},
      {"a raw slot neither in use nor offered", Id(161), Id(44), Ignored, "43>69:1D raw0"},
      {"id 0 as target", Id(44), 0, Ignored, "43>69:1D raw0"},
  };
  // clang-format on
  for (const auto& row : rows) {
    KeyCatalogue c = Recorded({{0x003A, 0x001D}});
    c[kScancodeEntrySlot].scancode = 0x003A;
    c.rawCount = row.raw;
    c.currentRawIndex = row.offered;
    EXPECT_EQ(ApplyChange(c, row.source, row.target), row.outcome) << row.name;
    EXPECT_EQ(Changes(c), row.changes) << row.name;
  }
}

// A pair's source is a key: a physical key or a raw slot in use (here holding
// 0x0100, 0x0101, ...), never slot 149 or 150. For the target the last match
// wins: a scancode typed into slot 149 shadows its key, and 0 is the disable slot.
// `before`: pairs recorded just before, in the same read.
TEST(RecordPair, ResolvesBothScancodesToSlots) {
  // clang-format off
  struct { const char* name; ScancodePair pair; const char* changes; int raw = 0, typed = 0; Pairs before = {};
  } const rows[] = {
      {"the last key", {0x0053, 0x001D}, "109>69:1D raw0"},
      {"to 0 is the disable slot", {0x0001, 0}, "1>150:0 raw0"},
      {"typed scancode shadows the key", {0x003A, 0x001D}, "43>149:1D raw0", 0, 0x001D},
      {"a typed scancode is no source", {0x001D, 0x003A}, "69>43:3A raw0", 0, 0x001D},
      {"a raw slot in use is found again", {0x0103, 0x001E}, "163>160:1E raw9", 9},
      {"the tenth raw slot", {0x0056, 0}, "169>160:0 raw10", 9},
      {"an eleventh is kept aside", {0x0056, 0x001D}, "raw10 kept56>1D", 10},
      {"a key kept aside twice: its last target, in place", {0x0056, 0x001D}, "raw10 kept56>1D kept59>0", 10, 0,
       {{0x0056, 0}, {0x0059, 0}}},
      {"a pair of zeros ends a value: no pair", {0, 0}, "raw10", 10},
  };
  // clang-format on
  for (const auto& row : rows) {
    KeyCatalogue c;
    c[kScancodeEntrySlot].scancode = row.typed;
    c.rawCount = row.raw;
    for (int i = 0; i < row.raw; ++i) c[kFirstRawSlot + i].scancode = Scancode(0x0100 + i);
    Pairs pairs = row.before;
    pairs.push_back(row.pair);
    RecordPairs(c, pairs);
    EXPECT_EQ(Changes(c), row.changes) << row.name;
  }
}

// Both drop the pairs kept aside: they are the user's way to clear them.
// A load also empties the freed raw slots and withdraws the investigation's
// offer (here of the last one): no later change takes an old slot into use.
TEST(ResetAndClear, ResetKeepsRawSlotsInUseAndLoadFreesThem) {
  KeyCatalogue c = Recorded({{0x0056, 0x001E}, {0x0001, 0x001D}, {0, 0x001D}});
  c.keptPairs = {{0xE06A, 0}};
  c[kLastRawSlot].scancode = 0x0059, c.currentRawIndex = 9;
  KeyCatalogue loaded = c;
  ClearForLoad(loaded);
  EXPECT_EQ(ResetAllChanges(c), (std::vector<int>{1, 160, 161}));
  EXPECT_EQ(Changes(c), "raw2 offer9");
  EXPECT_EQ(Changes(loaded) + std::to_string(loaded[160].scancode + loaded[kLastRawSlot].scancode),
            "raw00");
}

TEST(HasCtrlAltDelete, NeedsACtrlAnAltAndDeleteProducedSomewhere) {
  // clang-format off
  struct { const char* name; std::vector<std::pair<int, int>> changes; bool has; Scancode typed = 0;
           Pairs kept = {}, recorded = {}; } const rows[] = {
      {"one Ctrl left", {{69, 150}}, true},
      {"no Alt", {{71, 44}, {76, 44}}, false},
      {"the right Alt alone", {{71, 44}}, true},
      {"the left Alt alone", {{76, 44}}, true},
      {"the keypad's dot is no Delete", {{86, 109}}, false},
      {"a Delete typed into slot 149 is no key", {{86, 109}}, false, 0xE053},
      {"a Delete from a key kept aside", {{86, 109}}, true, 0, {{0xE06A, 0xE053}}},
      {"no Ctrl but from codes no key sends", {{69, 150}, {79, 150}}, false, 0, {{0, 0x1D}, {0xE000, 0x1D}}},
      {"no Ctrl from make codes past 7F or other prefixes", {{69, 150}, {79, 150}}, false, 0,
       {{0x0180, 0x1D}, {0x7F7F, 0x1D}, {0xE0FF, 0x1D}, {0x0080, 0x1D}}},
      {"a Ctrl from the last make code, 7F", {{69, 150}, {79, 150}}, true, 0, {{0xE07F, 0x1D}}},
      {"nor from raw slots holding them", {{69, 150}, {79, 150}}, false, 0, {}, {{0x0180, 0x1D}, {0xE0FF, 0x1D}}},
  };
  // clang-format on
  for (const auto& row : rows) {
    KeyCatalogue c = Recorded(row.recorded);
    for (auto [source, target] : row.changes) ApplyChange(c, Id(source), Id(target));
    c[kScancodeEntrySlot].scancode = row.typed;
    c.keptPairs = row.kept;
    EXPECT_EQ(HasCtrlAltDelete(c), row.has) << row.name;
  }
}

// Entries are (to, from) pairs of little-endian words, in slot order, then the
// terminator, which the count includes. A parse keeps the entries wholly inside
// the value, up to the first all-zero one; an exact row's value is byte for byte
// what a write of its pairs stores, and a row with `rewritten` writes that.
TEST(ScancodeMap, ParsesTheEntriesInsideTheValueAndBuildsThemBack) {
  const Bytes entries = {0x1D, 0, 0x3A, 0, 0, 0, 0x7B, 0, 0, 0, 0, 0};
  const Bytes capsTwice = Value(3, {0x1D, 0, 0x3A, 0, 0x38, 0, 0x3A, 0, 0, 0, 0, 0});
  // clang-format off
  struct { const char* name; Bytes value; Pairs pairs; bool exact = false, ambiguous = false; Bytes rewritten = {};
  } const rows[] = {
      {"nothing changed: the count 1 and the terminator", Value(1, Bytes(4, 0)), {}, true},
      {"the header alone, as earlier versions wrote", Bytes(12, 0), {}},
      {"disabled and extended, in slot order",
       Value(3, {0, 0, 0x7B, 0, 0x1D, 0xE0, 0x38, 0xE0, 0, 0, 0, 0}),
       {{0x007B, 0}, {0xE038, 0xE01D}}, true},
      {"raw slots after the keys",
       Value(4, {0x3A, 0, 0x01, 0, 0x1D, 0, 0, 0, 0x1E, 0, 0x56, 0, 0, 0, 0, 0}),
       {{0x0001, 0x003A}, {0, 0x001D}, {0x0056, 0x001E}}, true},
      {"an all-zero entry the count takes in ends the entries", Value(3, {0x1D, 0, 0x3A, 0, 0, 0, 0, 0}),
       {{0x003A, 0x001D}}},
      {"entries after an all-zero one", Value(4, {0x1D, 0, 0x3A, 0, 0, 0, 0, 0, 0x1E, 0, 0x56, 0}),
       {{0x003A, 0x001D}}, false, true, Value(2, {0x1D, 0, 0x3A, 0, 0, 0, 0, 0})},
      {"a key named twice: its last entry is written", capsTwice, {{0x003A, 0x001D}, {0x003A, 0x0038}}, false, true,
       Value(2, {0x38, 0, 0x3A, 0, 0, 0, 0, 0})},
      {"count 0", Value(0, entries), {}},
      {"count past the value: the terminator ends it", Value(10, entries), {{0x003A, 0x001D}, {0x007B, 0}}},
  };
  // clang-format on
  KeyCatalogue zero = Recorded({{0, 0x001D}});  // then disabled: no entry of zeros written
  ApplyChange(zero, Id(kFirstRawSlot), Id(kDisableSlot));
  EXPECT_EQ(BuildScancodeMap(zero), Value(1, Bytes(4, 0)));
  for (const auto& row : rows) {
    const StoredMap stored = ParseScancodeMap(row.value);
    EXPECT_EQ(std::pair(stored.pairs, stored.ambiguous), std::pair(row.pairs, row.ambiguous))
        << row.name;
    const Bytes built = BuildScancodeMap(Recorded(row.pairs));
    if (row.exact || !row.rewritten.empty()) {
      EXPECT_EQ(built, row.exact ? row.value : row.rewritten) << row.name;
    } else {
      EXPECT_EQ(ParseScancodeMap(built).pairs, row.pairs) << row.name;
    }
  }
}

// (count, pairs parsed) from a value of 176 entries, longer than any fixed buffer.
TEST(ParseScancodeMap, CountsStopAtTheValue) {
  const std::pair<std::uint32_t, std::size_t> rows[] = {
      {2, 1},        {152, 151},      {177, 176},        {178, 176},
      {0x0102, 176}, {0x010002, 176}, {0x01000002, 176}, {0xFFFFFFFF, 176}};
  for (auto [count, pairs] : rows) {
    Bytes value = Value(count);
    value.resize(kScancodeMapHeaderSize + 176 * 4 + 3, 0x22);
    EXPECT_EQ(ParseScancodeMap(value).pairs.size(), pairs) << count;
  }
}

// Each row reads into a catalogue holding one change (Esc disabled), which then
// writes to a second store set up like the first.
TEST(ScancodeMap, ReadsAndWritesTheStore) {
  const Bytes escOff = Value(2, {0, 0, 1, 0, 0, 0, 0, 0}),
              escOffCapsToCtrl = Value(3, {0, 0, 1, 0, 0x1D, 0, 0x3A, 0, 0, 0, 0, 0});
  // clang-format off
  using enum MapRead;
  struct { const char* name; FakeKeyStore::Key key; MapRead read; const char* changes; const Bytes* written;
  } const rows[] = {
      {"shorter than its count", {.exists = true, .value = Value(3, {0x1D, 0, 0x3A, 0})}, Read,
       "1>150:0 43>69:1D raw0", &escOffCapsToCtrl},
      {"missing key: created", {}, Read, "1>150:0 raw0", &escOff},
      {"neither opened nor created", {.createDenied = true}, StoreUnavailable, "1>150:0 raw0", nullptr},
  };
  // clang-format on
  for (const auto& row : rows) {
    FakeKeyStore read, write;
    read.user = write.user = row.key;
    KeyCatalogue c = Recorded({{0x0001, 0}});
    EXPECT_EQ(ReadScancodeMap(c, read, StoreKind::User), row.read) << row.name;
    EXPECT_EQ(Changes(c), row.changes) << row.name;
    EXPECT_TRUE(read.user.exists || row.read == StoreUnavailable) << row.name;
    EXPECT_EQ(WriteScancodeMap(c, write, StoreKind::User), row.written != nullptr) << row.name;
    EXPECT_EQ(write.user.value, row.written ? std::optional(*row.written) : row.key.value)
        << row.name;
    EXPECT_FALSE(read.machine.exists || write.machine.exists) << row.name;
  }
}

// Only a missing key or value is "no changes": any other failure of a registry
// call means the value cannot be read.
TEST(ScancodeMap, RegistryStatusesAreNoValueOnlyWhenNotFound) {
  using enum RegistryAnswer;
  // success, file and path not found, access denied, invalid handle, more data, corrupt, key
  // deleted
  const std::pair<long, RegistryAnswer> rows[] = {{0, Done},      {2, Missing},  {3, Failed},
                                                  {5, Failed},    {6, Failed},   {234, MoreData},
                                                  {1015, Failed}, {1018, Failed}};
  for (auto [status, answer] : rows) EXPECT_EQ(ClassifyRegistryStatus(status), answer) << status;
}

}  // namespace
}  // namespace kivora
