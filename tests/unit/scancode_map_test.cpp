#include "keymodel/scancode_map.h"

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "tests/unit/fakes.h"

namespace kivora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Pairs = std::vector<ScancodePair>;
using testing::Changes;
using testing::FakeKeyStore;

// A value: version and flags zero, the entry count, then the entries' bytes.
Bytes Value(std::uint32_t count, const Bytes& entries = {}) {
  Bytes value(12, 0);
  for (int i = 0; i < 4; ++i) value[8 + i] = static_cast<std::uint8_t>(count >> (8 * i));
  value.insert(value.end(), entries.begin(), entries.end());
  return value;
}

// The value a write stores once the pairs are recorded into a fresh catalogue.
Bytes Built(const Pairs& pairs) {
  KeyCatalogue catalogue;
  for (const ScancodePair& pair : pairs) RecordPair(catalogue, pair);
  ScancodeMapBuffer buffer;
  return Bytes(buffer.begin(), buffer.begin() + BuildScancodeMap(catalogue, buffer));
}

// Entries are (to, from) pairs of little-endian words, in slot order, then the
// terminator, which the count includes. A parse keeps the entries wholly inside
// the value; an exact row's value is byte for byte what a write of its pairs stores.
TEST(ScancodeMap, ParsesTheEntriesInsideTheValueAndBuildsThemBack) {
  const Bytes entries = {0x1D, 0, 0x3A, 0, 0, 0, 0x7B, 0, 0, 0, 0, 0};
  const Pairs both = {{0x003A, 0x001D}, {0x007B, 0}};
  Bytes flagged = Value(3, entries), shortHeader = Value(3);
  flagged[0] = flagged[5] = 0xFF;
  shortHeader.pop_back();
  // clang-format off
  struct { const char* name; Bytes value; Pairs pairs; bool exact = false; } const rows[] = {
      {"nothing changed", Bytes(12, 0), {}, true},
      {"CapsLock to left Ctrl", Value(2, {0x1D, 0, 0x3A, 0, 0, 0, 0, 0}), {{0x003A, 0x001D}}, true},
      {"disabled and extended, in slot order",
       Value(3, {0, 0, 0x7B, 0, 0x1D, 0xE0, 0x38, 0xE0, 0, 0, 0, 0}), {{0x007B, 0}, {0xE038, 0xE01D}}, true},
      {"slot 150 and raw slots after the keys",
       Value(4, {0x3A, 0, 0x01, 0, 0x1D, 0, 0, 0, 0x1E, 0, 0x56, 0, 0, 0, 0, 0}),
       {{0x0001, 0x003A}, {0, 0x001D}, {0x0056, 0x001E}}, true},
      {"version and flags ignored", flagged, both},
      {"count 0", Value(0, entries), {}},
      {"count 1", Value(1, entries), {}},
      {"count past the value", Value(10, entries), {both[0], both[1], {0, 0}}},
      {"torn second entry", Value(10, {0x1D, 0, 0x3A, 0, 0, 0, 0x7B}), {both[0]}},
      {"header cut short", shortHeader, {}},
      {"empty", {}, {}},
  };
  // clang-format on
  for (const auto& row : rows) {
    EXPECT_EQ(ParseScancodeMap(row.value), row.pairs) << row.name;
    const Bytes built = Built(row.pairs);
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

// Every read records into a catalogue that already holds a change (Esc disabled),
// and leaves the key existing.
TEST(ReadScancodeMap, RecordsTheStoredPairsOrNothing) {
  const Bytes caps = Value(2, {0x1D, 0, 0x3A, 0, 0, 0, 0, 0});
  // clang-format off
  struct { const char* name; FakeKeyStore::Key machine; bool read; std::string changes; } const rows[] = {
      {"stored pairs", {.exists = true, .value = caps}, true, "1>150:0 43>69:1D raw0"},
      {"shorter than its count", {.exists = true, .value = Value(3, {0x1D, 0, 0x3A, 0})}, true, "1>150:0 43>69:1D raw0"},
      {"missing key: created", {}, true, "1>150:0 raw0"},
      {"missing value", {.exists = true}, true, "1>150:0 raw0"},
      {"unreadable value", {.exists = true, .queryFails = true, .value = caps}, true, "1>150:0 raw0"},
      {"no access", {.exists = true, .openDenied = true, .value = caps}, false, "1>150:0 raw0"},
  };
  // clang-format on
  for (const auto& row : rows) {
    FakeKeyStore store;
    store.machine = row.machine;
    KeyCatalogue c;
    RecordPair(c, {0x0001, 0});
    EXPECT_EQ(ReadScancodeMap(c, store, StoreKind::Machine), row.read) << row.name;
    EXPECT_EQ(Changes(c), row.changes) << row.name;
    EXPECT_TRUE(store.machine.exists) << row.name;
  }
}

TEST(WriteScancodeMap, StoresTheBuiltValueCreatingAMissingKey) {
  // clang-format off
  struct { const char* name; FakeKeyStore::Key user; bool written; } const rows[] = {
      {"existing key", {.exists = true}, true},
      {"missing key", {}, true},
      {"value not set", {.exists = true, .setFails = true}, false},
      {"neither opened nor created", {.createDenied = true}, false},
  };
  // clang-format on
  KeyCatalogue c;
  RecordPair(c, {0x003A, 0x001D});
  for (const auto& row : rows) {
    FakeKeyStore store;
    store.user = row.user;
    EXPECT_EQ(WriteScancodeMap(c, store, StoreKind::User), row.written) << row.name;
    EXPECT_EQ(store.user.value,
              row.written ? std::optional(Built({{0x003A, 0x001D}})) : std::nullopt)
        << row.name;
    EXPECT_FALSE(store.machine.value) << row.name;
  }
}

}  // namespace
}  // namespace kivora
