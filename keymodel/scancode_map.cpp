#include "keymodel/scancode_map.h"

#include <algorithm>

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
  const std::vector<ScancodePair> pairs = MappingPairs(catalogue);
  // The terminator, when there are pairs, counts as an entry.
  const std::size_t entries = pairs.empty() ? 0 : pairs.size() + 1;
  std::vector<std::uint8_t> value(kScancodeMapHeaderSize + kEntrySize * entries, 0);
  if (pairs.empty()) return value;
  PutU32(value.data() + kEntryCountOffset, static_cast<std::uint32_t>(entries));
  std::uint8_t* entry = value.data() + kScancodeMapHeaderSize;
  for (const ScancodePair& pair : pairs) {
    PutU16(entry, pair.to);
    PutU16(entry + 2, pair.from);
    entry += kEntrySize;
  }
  return value;  // the terminator is the zeros left at the end
}

std::vector<ScancodePair> ParseScancodeMap(std::span<const std::uint8_t> value) {
  std::vector<ScancodePair> pairs;
  if (value.size() < kScancodeMapHeaderSize) return pairs;
  const std::uint32_t count = GetU32(value.data() + kEntryCountOffset);
  if (count <= 1) return pairs;
  const std::size_t stored = (value.size() - kScancodeMapHeaderSize) / kEntrySize;
  // A count that claims more entries than the value holds is not to be
  // trusted to say where the pairs end: the terminator does.
  const bool countLies = count - 1 > stored;
  const std::size_t n = std::min<std::size_t>(count - 1, stored);
  pairs.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* entry = value.data() + kScancodeMapHeaderSize + kEntrySize * i;
    const ScancodePair pair{.from = GetU16(entry + 2), .to = GetU16(entry)};
    if (countLies && pair == ScancodePair{}) break;
    pairs.push_back(pair);
  }
  return pairs;
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
  for (const ScancodePair& pair : ParseScancodeMap(value)) RecordPair(catalogue, pair);
  return MapRead::Read;
}

bool WriteScancodeMap(const KeyCatalogue& catalogue, KeyStore& store, StoreKind kind) {
  const std::vector<std::uint8_t> value = BuildScancodeMap(catalogue);
  auto key = store.Open(kind, KeyAccess::Write);
  if (!key) key = store.Create(kind);
  if (!key) return false;
  return key->SetValue(value);
}

}  // namespace kivora
