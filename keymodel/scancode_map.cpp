#include "keymodel/scancode_map.h"

#include <algorithm>
#include <bitset>

#include "keymodel/mapping_operations.h"

namespace kivora {
namespace {

constexpr std::size_t kEntryCountOffset = 8;
constexpr std::size_t kEntrySize = 4;

void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v & 0xFF);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::uint8_t* p, std::uint32_t v) {
  PutU16(p, static_cast<std::uint16_t>(v & 0xFFFF));
  PutU16(p + 2, static_cast<std::uint16_t>(v >> 16));
}

std::uint16_t GetU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t GetU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
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
  PutU32(value.data() + kEntryCountOffset, static_cast<std::uint32_t>(entries));
  return value;
}

StoredMap ParseScancodeMap(std::span<const std::uint8_t> value) {
  StoredMap map;
  if (value.size() < kScancodeMapHeaderSize) return map;
  const std::uint32_t count = GetU32(value.data() + kEntryCountOffset);
  if (count <= 1) return map;
  const std::size_t stored = (value.size() - kScancodeMapHeaderSize) / kEntrySize;
  const std::size_t n = std::min<std::size_t>(count - 1, stored);
  map.pairs.reserve(n);
  std::bitset<0x10000> named;
  bool ended = false;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* entry = value.data() + kScancodeMapHeaderSize + kEntrySize * i;
    const ScancodePair pair{.from = GetU16(entry + 2), .to = GetU16(entry)};
    // An all-zero entry ends the entries, as the terminator does: a reader that
    // stops there never sees what follows.
    if (pair == ScancodePair{}) {
      ended = true;
    } else if (ended) {
      map.ambiguous = true;
      break;
    } else {
      map.ambiguous |= named.test(pair.from);
      named.set(pair.from);
      map.pairs.push_back(pair);
    }
  }
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
