#include "keymodel/scancode_map.h"

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "tests/unit/fakes.h"

namespace kivora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Pairs = std::vector<ScancodePair>;
using testing::ChangedSlots;
using testing::Changes;
using testing::FakeKeyStore;

// A value: version and flags zero, the entry count, then the entries' bytes.
Bytes Value(std::uint32_t count, const Bytes& entries = {}) {
  Bytes value(12, 0);
  for (int i = 0; i < 4; ++i) value[8 + i] = static_cast<std::uint8_t>(count >> (8 * i));
  value.insert(value.end(), entries.begin(), entries.end());
  return value;
}

KeyCatalogue Recorded(const Pairs& pairs) {
  KeyCatalogue catalogue;
  for (const ScancodePair& pair : pairs) RecordPair(catalogue, pair);
  return catalogue;
}

Bytes Built(const KeyCatalogue& catalogue) {
  ScancodeMapBuffer buffer;
  const std::size_t length = BuildScancodeMap(catalogue, buffer);
  return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
}

// Entries are (to, from) pairs of little-endian words, in slot order, then the
// terminator; the entry count includes it.
TEST(BuildScancodeMap, ExactBytesOfEachMapping) {
  struct {
    const char* name;
    Pairs recorded;
    Bytes value;
  } const rows[] = {
      {"nothing changed", {}, Bytes(12, 0)},
      {"CapsLock to left Ctrl", {{0x003A, 0x001D}}, Value(2, {0x1D, 0, 0x3A, 0, 0, 0, 0, 0})},
      {"extended and disabled, in slot order",
       {{0xE038, 0xE01D}, {0x007B, 0}},
       Value(3, {0, 0, 0x7B, 0, 0x1D, 0xE0, 0x38, 0xE0, 0, 0, 0, 0})},
      {"slot 150 and raw slots after the keys",
       {{0x0056, 0x001E}, {0, 0x001D}, {0x0001, 0x003A}},
       Value(4, {0x3A, 0, 0x01, 0, 0x1D, 0, 0, 0, 0x1E, 0, 0x56, 0, 0, 0, 0, 0})},
  };
  for (const auto& row : rows) {
    const Bytes value = Built(Recorded(row.recorded));
    EXPECT_EQ(value, row.value) << row.name;
    EXPECT_EQ(Built(Recorded(ParseScancodeMap(value))), value) << row.name;
  }
}

TEST(ParseScancodeMap, OnlyEntriesWhollyInsideTheValue) {
  const Bytes entries = {0x1D, 0, 0x3A, 0, 0, 0, 0x7B, 0, 0, 0, 0, 0};
  const Pairs both = {{0x003A, 0x001D}, {0x007B, 0}};
  Bytes flagged = Value(3, entries);
  flagged[0] = flagged[5] = 0xFF;
  Bytes shortHeader = Value(3);
  shortHeader.pop_back();
  struct {
    const char* name;
    Bytes value;
    Pairs pairs;
  } const rows[] = {
      {"the terminator is no pair", Value(3, entries), both},
      {"version and flags ignored", flagged, both},
      {"count 0", Value(0, entries), {}},
      {"count 1", Value(1, entries), {}},
      {"count past the value", Value(10, entries), {both[0], both[1], {0, 0}}},
      {"torn second entry", Value(10, {0x1D, 0, 0x3A, 0, 0, 0, 0x7B}), {both[0]}},
      {"header cut short", shortHeader, {}},
      {"empty", {}, {}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ParseScancodeMap(row.value), row.pairs) << row.name;
    EXPECT_EQ(ParseScancodeMap(Built(Recorded(row.pairs))), row.pairs) << row.name;
  }
}

TEST(ParseScancodeMap, CountsStopAtThe616ByteBuffer) {
  const std::pair<std::uint32_t, std::size_t> rows[] = {
      {2, 1},        {151, 150},      {152, 151},        {153, 151},
      {0x0102, 151}, {0x010002, 151}, {0x01000002, 151}, {0xFFFFFFFF, 151}};
  for (auto [count, pairs] : rows) {
    Bytes value = Value(count);
    value.resize(kScancodeMapBufferSize + 100, 0x22);
    EXPECT_EQ(ParseScancodeMap(value).size(), pairs) << count;
  }
}

// Every read records into a catalogue that already holds a change (2 -> 3).
TEST(ReadScancodeMap, RecordsTheStoredPairsOrNothing) {
  const Bytes stored = Value(
      5, {0x1D, 0, 0x3A, 0, 0x56, 0, 0x01, 0, 0x1D, 0xE0, 0x7B, 0, 0, 0, 0x39, 0, 0, 0, 0, 0});
  const Bytes shorter = Value(3, {0x1D, 0, 0x3A, 0});  // one pair, no terminator
  const Changes kept = {{2, 3, 0x003C}}, shortRead = {kept[0], {43, 69, 0x001D}};
  const Changes all = {
      {1, kFirstRawSlot, 0x0056}, {2, 3, 0x003C}, {43, 69, 0x001D}, {72, 79, 0xE01D}, {73, 150, 0}};
  struct {
    const char* name;
    FakeKeyStore::Key machine;
    bool read;
    Changes changes;
  } const rows[] = {
      {"stored pairs", {.exists = true, .value = stored}, true, all},
      {"a value shorter than its count", {.exists = true, .value = shorter}, true, shortRead},
      {"missing key: created", {}, true, kept},
      {"missing value", {.exists = true}, true, kept},
      {"unreadable value", {.exists = true, .queryFails = true, .value = stored}, true, kept},
      {"no access", {.exists = true, .openDenied = true, .value = stored}, false, kept},
  };
  for (const auto& row : rows) {
    FakeKeyStore store;
    store.machine = row.machine;
    KeyCatalogue c;
    ApplyChange(c, IdFromSlot(2), IdFromSlot(3));
    EXPECT_EQ(ReadScancodeMap(c, store, StoreKind::Machine), row.read) << row.name;
    EXPECT_EQ(ChangedSlots(c), row.changes) << row.name;
  }
}

TEST(WriteScancodeMap, StoresTheBuiltValueCreatingAMissingKey) {
  struct {
    const char* name;
    FakeKeyStore::Key user;
    bool written;
  } const rows[] = {
      {"existing key", {.exists = true}, true},
      {"missing key", {}, true},
      {"value not set", {.exists = true, .setFails = true}, false},
      {"neither opened nor created", {.openDenied = true}, false},
  };
  KeyCatalogue c;
  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));
  for (const auto& row : rows) {
    FakeKeyStore store;
    store.user = row.user;
    EXPECT_EQ(WriteScancodeMap(c, store, StoreKind::User), row.written) << row.name;
    EXPECT_EQ(store.user.value, row.written ? std::optional(Built(c)) : std::nullopt) << row.name;
    EXPECT_FALSE(store.machine.value) << row.name;
  }
}

}  // namespace
}  // namespace kivora
