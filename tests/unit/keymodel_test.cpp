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

// Every changed slot as "slot>target:SCANCODE", then the raw slots in use: one
// comparison shows what an operation changed and what it left alone.
std::string Changes(const KeyCatalogue& catalogue) {
  std::string changes;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const KeySlot& s = catalogue[slot];
    char text[32];
    std::snprintf(text, sizeof text, "%d>%d:%X ", slot, s.targetSlot, s.targetScancode);
    if (s.IsChanged()) changes += text;
  }
  return changes + "raw" + std::to_string(catalogue.rawCount);
}

KeyCatalogue Recorded(const Pairs& pairs) {
  KeyCatalogue catalogue;
  for (const ScancodePair& pair : pairs) RecordPair(catalogue, pair);
  return catalogue;
}

Bytes Built(const KeyCatalogue& catalogue) {
  ScancodeMapBuffer buffer;
  return Bytes(buffer.begin(), buffer.begin() + BuildScancodeMap(catalogue, buffer));
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
TEST(KeyCatalogue, EachKeyOnceAndNothingElseLooksLikeAKey) {
  const KeyCatalogue c;
  std::set<Scancode> seen;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool key = slot >= kFirstKeySlot && slot <= kLastKeySlot;
    EXPECT_EQ(c[slot].scancode != 0, key) << slot;
    EXPECT_TRUE(!key || (seen.insert(c[slot].scancode).second &&
                         std::set{7, 8, 10, 12}.contains(c[slot].fontHeight)))
        << slot;
  }
}

// Each row starts from CapsLock -> left Ctrl recorded, CapsLock's scancode typed
// into slot 149, and the raw slots in use and offered by the key investigation:
// an offered raw slot is taken into use by the next change, whichever key it is for.
TEST(ApplyChange, OutcomeAndTheChangesAfterIt) {
  // clang-format off
  struct { const char* name; int source, target; ChangeOutcome outcome; const char* changes;
           int raw = 0, offered = 0; } const rows[] = {
      {"disabled", Id(72), Id(150), Changed, "43>69:1D 72>150:0 raw1"},
      {"the last raw slot as source", Id(169), Id(44), Changed, "43>69:1D 169>44:1E raw10", 9, 9},
      {"the last key as source", Id(109), Id(1), Changed, "43>69:1D 109>1:1 raw1"},
      {"typed own scancode clears", Id(43), Id(149), Cleared, "raw1"},
      {"never past ten raw slots", Id(1), Id(44), Changed, "1>44:1E 43>69:1D raw10", 10, 10},
      {"slot 0 as source", Id(0), Id(44), Ignored, "43>69:1D raw0"},
      {"slot 150 as source", Id(150), Id(44), Ignored, "43>69:1D raw0"},
      {"slot 151 as target", Id(44), Id(151), Ignored, "43>69:1D raw0"},
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

// The last match wins: a scancode typed into slot 149 shadows its key, and 0 is
// the disable slot; a scancode no key has takes the next of the ten raw slots.
TEST(RecordPair, ResolvesBothScancodesToSlots) {
  // clang-format off
  struct { const char* name; ScancodePair pair; const char* changes; int raw = 0, typed = 0;
  } const rows[] = {
      {"to 0 is the disable slot", {0x0001, 0}, "1>150:0 raw0"},
      {"unknown to shows as a raw slot", {0x001E, 0x0056}, "44>160:56 raw0"},
      {"from = to changes the key to itself", {0x0038, 0x0038}, "71>71:38 raw0"},
      {"typed scancode shadows the key", {0x003A, 0x001D}, "43>149:1D raw0", 0, 0x001D},
      {"typed scancode as from", {0x001D, 0x003A}, "149>43:3A raw0", 0, 0x001D},
      {"from 0 is the disable slot", {0, 0x001E}, "150>44:1E raw0"},
      {"unknown from takes a raw slot", {0x0056, 0x001E}, "160>160:1E raw1"},
      {"the tenth raw slot", {0x0056, 0}, "169>160:0 raw10", 9},
      {"an eleventh is dropped", {0x0056, 0}, "raw10", 10},
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
  KeyCatalogue c = Recorded({{0x0056, 0x001E}, {0x0001, 0x001D}, {0, 0x001D}}), loaded = c;
  ClearForLoad(loaded);
  EXPECT_EQ(ResetAllChanges(c), (std::vector<int>{1, kDisableSlot, 160}));
  EXPECT_EQ(Changes(c), "raw1");
  EXPECT_EQ(Changes(loaded), "raw0");
}

TEST(HasCtrlAltDelete, NeedsACtrlAnAltAndDeleteProducedSomewhere) {
  // clang-format off
  struct { const char* name; std::vector<std::pair<int, int>> changes; bool has; Scancode typed = 0;
  } const rows[] = {
      {"the keyboard as it is", {}, true},
      {"one Ctrl left", {{69, 150}}, true},
      {"no Ctrl", {{69, 150}, {79, 150}}, false},
      {"no Alt", {{71, 44}, {76, 44}}, false},
      {"the right Alt alone", {{71, 44}}, true},
      {"a Ctrl made from Esc", {{69, 150}, {79, 150}, {1, 69}}, true},
      {"the keypad's dot is no Delete", {{86, 109}}, false},
      {"a Delete typed into slot 149", {{86, 109}}, true, 0xE053},
  };
  // clang-format on
  for (const auto& row : rows) {
    KeyCatalogue c;
    for (auto [source, target] : row.changes) ApplyChange(c, Id(source), Id(target));
    c[kScancodeEntrySlot].scancode = row.typed;
    EXPECT_EQ(HasCtrlAltDelete(c), row.has) << row.name;
  }
}

// Entries are (to, from) pairs of little-endian words, in slot order, then the
// terminator, which the count includes. A parse keeps the entries wholly inside
// the value; an exact row's value is byte for byte what a write of its pairs stores.
TEST(ScancodeMap, ParsesTheEntriesInsideTheValueAndBuildsThemBack) {
  const Bytes entries = {0x1D, 0, 0x3A, 0, 0, 0, 0x7B, 0, 0, 0, 0, 0};
  // clang-format off
  struct { const char* name; Bytes value; Pairs pairs; bool exact = false; } const rows[] = {
      {"nothing changed", Bytes(12, 0), {}, true},
      {"CapsLock to left Ctrl", Value(2, {0x1D, 0, 0x3A, 0, 0, 0, 0, 0}), {{0x003A, 0x001D}}, true},
      {"disabled and extended, in slot order",
       Value(3, {0, 0, 0x7B, 0, 0x1D, 0xE0, 0x38, 0xE0, 0, 0, 0, 0}),
       {{0x007B, 0}, {0xE038, 0xE01D}}, true},
      {"slot 150 and raw slots after the keys",
       Value(4, {0x3A, 0, 0x01, 0, 0x1D, 0, 0, 0, 0x1E, 0, 0x56, 0, 0, 0, 0, 0}),
       {{0x0001, 0x003A}, {0, 0x001D}, {0x0056, 0x001E}}, true},
      {"count 0", Value(0, entries), {}},
      {"count past the value", Value(10, entries), {{0x003A, 0x001D}, {0x007B, 0}, {0, 0}}},
      {"torn second entry", Value(10, {0x1D, 0, 0x3A, 0, 0, 0, 0x7B}), {{0x003A, 0x001D}}},
      {"header cut short", {0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0}, {}},
  };
  // clang-format on
  for (const auto& row : rows) {
    EXPECT_EQ(ParseScancodeMap(row.value), row.pairs) << row.name;
    const Bytes built = Built(Recorded(row.pairs));
    EXPECT_EQ(ParseScancodeMap(built), row.pairs) << row.name;
    EXPECT_EQ(row.exact ? built : row.value, row.value) << row.name;
  }
}

// (count, pairs parsed) from a value longer than the 616-byte buffer.
TEST(ParseScancodeMap, CountsStopAtTheBuffer) {
  const std::pair<std::uint32_t, std::size_t> rows[] = {
      {2, 1},        {151, 150},      {152, 151},        {153, 151},
      {0x0102, 151}, {0x010002, 151}, {0x01000002, 151}, {0xFFFFFFFF, 151}};
  for (auto [count, pairs] : rows) {
    Bytes value = Value(count);
    value.resize(kScancodeMapBufferSize + 100, 0x22);
    EXPECT_EQ(ParseScancodeMap(value).size(), pairs) << count;
  }
}

// Each row reads into a catalogue holding one change (Esc disabled), which then
// writes to a second store set up like the first.
TEST(ScancodeMap, ReadsAndWritesTheStore) {
  const Bytes caps = Value(2, {0x1D, 0, 0x3A, 0, 0, 0, 0, 0});
  // clang-format off
  struct { const char* name; FakeKeyStore::Key key; bool read; const char* changes; bool written;
  } const rows[] = {
      {"stored pairs", {.exists = true, .value = caps}, true, "1>150:0 43>69:1D raw0", true},
      {"shorter than its count", {.exists = true, .value = Value(3, {0x1D, 0, 0x3A, 0})}, true,
       "1>150:0 43>69:1D raw0", true},
      {"missing key: created", {}, true, "1>150:0 raw0", true},
      {"missing value", {.exists = true}, true, "1>150:0 raw0", true},
      {"value not set", {.exists = true, .setFails = true}, true, "1>150:0 raw0", false},
      {"neither opened nor created", {.createDenied = true}, false, "1>150:0 raw0", false},
  };
  // clang-format on
  for (const auto& row : rows) {
    FakeKeyStore read, write;
    read.user = write.user = row.key;
    KeyCatalogue c = Recorded({{0x0001, 0}});
    EXPECT_EQ(ReadScancodeMap(c, read, StoreKind::User), row.read) << row.name;
    EXPECT_EQ(Changes(c), row.changes) << row.name;
    EXPECT_TRUE(read.user.exists || !row.read) << row.name;
    EXPECT_EQ(WriteScancodeMap(c, write, StoreKind::User), row.written) << row.name;
    EXPECT_EQ(write.user.value, row.written ? std::optional(Built(c)) : row.key.value) << row.name;
    EXPECT_FALSE(read.machine.exists || write.machine.exists) << row.name;
  }
}

}  // namespace
}  // namespace kivora
