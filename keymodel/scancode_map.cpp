#include "keymodel/scancode_map.h"

#include <algorithm>
#include <bit>
#include <bitset>
#include <cstring>

#include "keymodel/mapping_operations.h"

namespace kivora {
namespace {

// The count is a little-endian word, as every machine Kivora is built for has.
static_assert(std::endian::native == std::endian::little);
constexpr std::size_t kEntryCountOffset = 8;
constexpr std::size_t kEntrySize = 4;

void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v & 0xFF);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint16_t GetU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

std::vector<std::uint8_t> BuildScancodeMap(const KeyCatalogue& catalogue) {
  // Room for one entry per key slot and per pair kept aside, and the terminator:
  // one pass fills it, and the zeros after the last entry are the terminator.
  const std::size_t most = kPhysicalKeyCount + kRawSlotCount + catalogue.keptPairs.size() + 1;
  std::vector<std::uint8_t> value(kScancodeMapHeaderSize + kEntrySize * most, 0);
  std::uint8_t* entry = value.data() + kScancodeMapHeaderSize;
  ForEachMappingPair(catalogue, [&entry](ScancodePair pair) {
    PutU16(entry, pair.to);
    PutU16(entry + 2, pair.from);
    entry += kEntrySize;
  });
  const std::size_t entries = (entry - value.data() - kScancodeMapHeaderSize) / kEntrySize + 1;
  value.resize(kScancodeMapHeaderSize + kEntrySize * entries);
  const auto count = static_cast<std::uint32_t>(entries);
  std::memcpy(value.data() + kEntryCountOffset, &count, sizeof count);
  return value;
}

StoredMap ParseScancodeMap(std::span<const std::uint8_t> value) {
  StoredMap map;
  if (value.size() < kScancodeMapHeaderSize) return map;
  std::uint32_t count;
  std::memcpy(&count, value.data() + kEntryCountOffset, sizeof count);
  if (count == 0) return map;  // as no entry, not as 4 G of them
  const std::size_t stored = (value.size() - kScancodeMapHeaderSize) / kEntrySize;
  const std::size_t n = std::min<std::size_t>(count - 1, stored);
  map.pairs.reserve(n);
  const auto entry = [&value](std::size_t i) {
    const std::uint8_t* p = value.data() + kScancodeMapHeaderSize + kEntrySize * i;
    return ScancodePair{.from = GetU16(p + 2), .to = GetU16(p)};
  };
  std::bitset<0x10000> named;
  std::size_t i = 0;
  // An all-zero entry ends the entries, as the terminator does.
  for (; i < n && entry(i) != ScancodePair{}; ++i) {
    const ScancodePair pair = entry(i);
    map.ambiguous |= named.test(pair.from);
    named.set(pair.from);
    map.pairs.push_back(pair);
  }
  // What follows a zero entry, a reader that stops there never sees.
  for (++i; i < n; ++i) map.ambiguous |= entry(i) != ScancodePair{};
  return map;
}

MapRead ReadScancodeMap(KeyCatalogue& catalogue, KeyStore& store, StoreKind kind) {
  auto key = store.Open(kind, KeyAccess::AllAccess);
  // A key created just now may still be one another program created meanwhile.
  if (!key) key = store.Create(kind);
  if (!key) return MapRead::StoreUnavailable;
  std::vector<std::uint8_t> value;
  switch (key->QueryValue(value)) {
    case ValueQuery::Read:
      break;
    case ValueQuery::Missing:
      return MapRead::Read;  // no value: no changes
    case ValueQuery::Failed:
      return MapRead::ValueUnreadable;
  }
  const StoredMap stored = ParseScancodeMap(value);
  RecordPairs(catalogue, stored.pairs);
  return stored.ambiguous ? MapRead::Ambiguous : MapRead::Read;
}

std::size_t StoredChangeCount(KeyStore& store, StoreKind kind) {
  const auto key = store.Open(kind, KeyAccess::QueryOnly);
  std::vector<std::uint8_t> value;
  if (!key || key->QueryValue(value) != ValueQuery::Read) return 0;
  // Counted as the keys would show it: one change per key.
  KeyCatalogue catalogue;
  RecordPairs(catalogue, ParseScancodeMap(value).pairs);
  return MappingPairs(catalogue).size();
}

bool WriteScancodeMap(const KeyCatalogue& catalogue, KeyStore& store, StoreKind kind) {
  const std::vector<std::uint8_t> value = BuildScancodeMap(catalogue);
  auto key = store.Open(kind, KeyAccess::Write);
  if (!key) key = store.Create(kind);
  if (!key) return false;
  return key->SetValue(value);
}

}  // namespace kivora
