#include "keymodel/scancode_map.h"

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "tests/unit/fakes.h"

namespace kivora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::FakeKeyStore;

Bytes Built(const KeyCatalogue& c) {
  ScancodeMapBuffer buffer;
  const std::size_t length = BuildScancodeMap(c, buffer);
  return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length));
}

Bytes Header(std::uint32_t count) {
  return {0,
          0,
          0,
          0,
          0,
          0,
          0,
          0,
          static_cast<std::uint8_t>(count),
          static_cast<std::uint8_t>(count >> 8),
          static_cast<std::uint8_t>(count >> 16),
          static_cast<std::uint8_t>(count >> 24)};
}

TEST(BuildScancodeMap, ExactBytesOfTheKnownValues) {
  KeyCatalogue c;
  EXPECT_EQ(Built(c), Bytes(12, 0));

  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));                       // CapsLock -> left Ctrl
  EXPECT_EQ(Built(c), (Bytes{0,    0, 0,    0, 0, 0, 0, 0, 2, 0, 0, 0,  //
                             0x1D, 0, 0x3A, 0, 0, 0, 0, 0}));

  KeyCatalogue d;
  ApplyChange(d, IdFromSlot(76), IdFromSlot(79));  // right Alt -> right Ctrl
  ApplyChange(d, IdFromSlot(72), IdFromSlot(kDisableSlot));
  const Bytes value = Built(d);
  ASSERT_EQ(value.size(), 24u);
  EXPECT_EQ(value[8], 3);
  // Slot order: 72 before 76.
  EXPECT_EQ(Bytes(value.begin() + 12, value.end()),
            (Bytes{0, 0, 0x7B, 0, 0x1D, 0xE0, 0x38, 0xE0, 0, 0, 0, 0}));
}

TEST(BuildScancodeMap, SpecialAndRawSlotsFollowThePhysicalKeys) {
  KeyCatalogue c;
  RecordPair(c, {.from = 0x0056, .to = 0x001E});  // raw slot 160
  RecordPair(c, {.from = 0, .to = 0x001D});       // slot 150
  RecordPair(c, {.from = 0x0001, .to = 0x003A});  // Esc, slot 1
  EXPECT_EQ(ParseScancodeMap(Built(c)),
            (std::vector<ScancodePair>{{0x0001, 0x003A}, {0, 0x001D}, {0x0056, 0x001E}}));
}

TEST(ParseScancodeMap, EntryCountsAndTruncatedValues) {
  Bytes value = Header(3);
  for (std::uint8_t b : {0x1D, 0, 0x3A, 0, 0, 0, 0x7B, 0, 0, 0, 0, 0}) value.push_back(b);
  const std::vector<ScancodePair> both{{0x003A, 0x001D}, {0x007B, 0}};
  EXPECT_EQ(ParseScancodeMap(value), both);  // the terminator is never a pair

  value[0] = 0xFF;  // version and flags are ignored
  value[5] = 0x12;
  EXPECT_EQ(ParseScancodeMap(value), both);

  value[8] = 0;
  EXPECT_TRUE(ParseScancodeMap(value).empty());
  value[8] = 1;
  EXPECT_TRUE(ParseScancodeMap(value).empty());

  // A count that claims more than was stored yields only the stored entries,
  // never zero pairs from beyond the value.
  value[8] = 10;
  EXPECT_EQ(ParseScancodeMap(value).size(), 3u);  // two pairs and the terminator's zeros
  value.resize(12 + 4 + 3);                       // a torn second entry
  EXPECT_EQ(ParseScancodeMap(value), (std::vector<ScancodePair>{{0x003A, 0x001D}}));
  value.resize(11);
  EXPECT_TRUE(ParseScancodeMap(value).empty());
  EXPECT_TRUE(ParseScancodeMap({}).empty());
}

TEST(ParseScancodeMap, HugeEntryCountsStopAtTheBuffer) {
  Bytes full = Header(0xFFFFFFFF);
  full.resize(kScancodeMapBufferSize + 100, 0x11);  // longer than the buffer
  EXPECT_EQ(ParseScancodeMap(full).size(), 151u);
  struct {
    std::uint32_t count;
    std::size_t pairs;
  } const cases[] = {{0, 0}, {1, 0}, {2, 1}, {151, 150}, {152, 151}, {153, 151}, {0xFFFFFFFF, 151}};
  for (auto [count, pairs] : cases) {
    Bytes value = Header(count);
    value[0] = value[4] = 0xFF;  // version and flags: ignored
    value.resize(kScancodeMapBufferSize, 0x22);
    EXPECT_EQ(ParseScancodeMap(value).size(), pairs) << count;
  }
}

// Values of every length another tool could have stored, each claiming 150
// pairs of unknown scancodes: what lies inside the value and the buffer is
// recorded (up to the ten raw slots), a value too long to read records nothing,
// and the read never fails.
TEST(ReadScancodeMap, ValuesOfEveryLengthUpTo620Bytes) {
  for (std::size_t length = 0; length <= 620; ++length) {
    Bytes value = Header(151);
    for (int i = 0; value.size() < length; ++i) {
      for (int b : {0x1D, 0, i & 0xFF, 0x01}) value.push_back(static_cast<std::uint8_t>(b));
    }
    value.resize(length);
    FakeKeyStore store;
    store.machine.exists = true;
    store.machine.value = value;
    KeyCatalogue catalogue;
    ASSERT_TRUE(ReadScancodeMap(catalogue, store, StoreKind::Machine)) << length;
    const std::size_t stored = length < 12 || length > kScancodeMapBufferSize
                                   ? 0
                                   : std::min<std::size_t>((length - 12) / 4, 150);
    EXPECT_EQ(catalogue.rawCount, static_cast<int>(std::min<std::size_t>(stored, 10))) << length;
    if (stored > 0) {
      EXPECT_EQ(catalogue[kFirstRawSlot].scancode, 0x0100) << length;
    }
  }
}

TEST(ReadScancodeMap, RecordsStoredPairsIntoTheCatalogueWithoutClearingIt) {
  FakeKeyStore store;
  store.machine.exists = true;
  KeyCatalogue written;
  ApplyChange(written, IdFromSlot(43), IdFromSlot(69));
  written[kScancodeEntrySlot].scancode = 0x0056;  // typed, no physical key has it
  ApplyChange(written, IdFromSlot(1), IdFromSlot(kScancodeEntrySlot));
  written[kScancodeEntrySlot].scancode = 0xE01D;  // typed, the right Ctrl's code
  ApplyChange(written, IdFromSlot(72), IdFromSlot(kScancodeEntrySlot));
  ApplyChange(written, IdFromSlot(73), IdFromSlot(kDisableSlot));
  ASSERT_TRUE(WriteScancodeMap(written, store, StoreKind::Machine));

  KeyCatalogue c;
  ApplyChange(c, IdFromSlot(2), IdFromSlot(3));  // already there, kept
  ASSERT_TRUE(ReadScancodeMap(c, store, StoreKind::Machine));
  EXPECT_EQ(c[2].targetSlot, 3);
  EXPECT_EQ(c[43].targetSlot, 69);
  EXPECT_EQ(c[1].targetSlot, kFirstRawSlot);
  EXPECT_EQ(c[1].targetScancode, 0x0056);
  EXPECT_EQ(c[72].targetSlot, 79);
  EXPECT_EQ(c[73].targetSlot, kDisableSlot);
  EXPECT_EQ(store.calls, (std::vector<std::string>{"open Machine write", "open Machine all"}));
}

TEST(ReadScancodeMap, MissingValueOrKeyReadsAsNoChanges) {
  FakeKeyStore store;
  KeyCatalogue c;
  EXPECT_TRUE(ReadScancodeMap(c, store, StoreKind::User));  // key created
  EXPECT_TRUE(store.user.exists);
  EXPECT_FALSE(store.user.value.has_value());
  EXPECT_EQ(store.calls, (std::vector<std::string>{"open User all", "create User"}));

  store.user.value = Bytes(700, 1);  // longer than the buffer: not read at all
  EXPECT_TRUE(ReadScancodeMap(c, store, StoreKind::User));
  store.user.value = Header(2);
  store.user.queryFails = true;
  EXPECT_TRUE(ReadScancodeMap(c, store, StoreKind::User));
  for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_FALSE(c[slot].IsChanged()) << slot;
}

TEST(ReadScancodeMap, AStoreThatCanBeNeitherOpenedNorCreatedFails) {
  FakeKeyStore store;
  store.machine.exists = true;
  store.machine.openDenied = true;  // a standard user and HKLM
  store.machine.value = Header(2);
  KeyCatalogue c;
  EXPECT_FALSE(ReadScancodeMap(c, store, StoreKind::Machine));
  // The caller falls back to the user store.
  EXPECT_TRUE(ReadScancodeMap(c, store, StoreKind::User));
}

TEST(WriteScancodeMap, CreatesTheKeyWhenMissingAndReportsEveryFailure) {
  FakeKeyStore store;
  KeyCatalogue c;
  EXPECT_TRUE(WriteScancodeMap(c, store, StoreKind::User));
  EXPECT_EQ(store.calls, (std::vector<std::string>{"open User write", "create User"}));
  EXPECT_EQ(*store.user.value, Bytes(12, 0));
  EXPECT_FALSE(store.machine.value.has_value());

  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));
  store.user.setFails = true;
  EXPECT_FALSE(WriteScancodeMap(c, store, StoreKind::User));
  EXPECT_EQ(*store.user.value, Bytes(12, 0));  // the old value stays

  store.machine.openDenied = true;
  EXPECT_FALSE(WriteScancodeMap(c, store, StoreKind::Machine));
  EXPECT_FALSE(store.machine.value.has_value());
}

}  // namespace
}  // namespace kivora
