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

std::uint16_t GetU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t GetU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

std::size_t BuildScancodeMap(const KeyCatalogue& catalogue, ScancodeMapBuffer& buffer) {
  buffer.fill(0);
  std::size_t pairs = 0;
  for (int slot = 1; slot <= kLastRawSlot && pairs < kMaxScancodeMapPairs; ++slot) {
    const KeySlot& s = catalogue[slot];
    if (!s.IsChanged()) continue;
    std::uint8_t* entry = buffer.data() + kScancodeMapHeaderSize + kEntrySize * pairs;
    PutU16(entry, s.targetScancode);
    PutU16(entry + 2, s.scancode);
    ++pairs;
  }
  if (pairs == 0) return kScancodeMapHeaderSize;
  const auto count = static_cast<std::uint32_t>(pairs + 1);  // the terminator counts
  for (std::size_t i = 0; i < 4; ++i) {
    buffer[kEntryCountOffset + i] = static_cast<std::uint8_t>(count >> (8 * i));
  }
  return kScancodeMapHeaderSize + kEntrySize * (pairs + 1);
}

std::vector<ScancodePair> ParseScancodeMap(std::span<const std::uint8_t> value) {
  std::vector<ScancodePair> pairs;
  if (value.size() < kScancodeMapHeaderSize) return pairs;
  const std::uint32_t count = GetU32(value.data() + kEntryCountOffset);
  if (count <= 1) return pairs;
  const std::size_t bytes = std::min(value.size(), kScancodeMapBufferSize);
  const std::size_t stored = (bytes - kScancodeMapHeaderSize) / kEntrySize;
  const std::size_t n = std::min<std::size_t>(count - 1, stored);
  pairs.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* entry = value.data() + kScancodeMapHeaderSize + kEntrySize * i;
    pairs.push_back({.from = GetU16(entry + 2), .to = GetU16(entry)});
  }
  return pairs;
}

bool ReadScancodeMap(KeyCatalogue& catalogue, KeyStore& store, StoreKind kind) {
  ScancodeMapBuffer buffer{};
  std::size_t bytesRead = 0;
  if (auto key = store.Open(kind, KeyAccess::AllAccess)) {
    if (!key->QueryValue(buffer, bytesRead)) return true;  // no value: no changes
  } else if (!store.Create(kind)) {
    return false;
  }
  for (const ScancodePair& pair : ParseScancodeMap(std::span(buffer.data(), bytesRead))) {
    RecordPair(catalogue, pair);
  }
  return true;
}

bool WriteScancodeMap(const KeyCatalogue& catalogue, KeyStore& store, StoreKind kind) {
  ScancodeMapBuffer buffer;
  const std::size_t length = BuildScancodeMap(catalogue, buffer);
  auto key = store.Open(kind, KeyAccess::Write);
  if (!key) key = store.Create(kind);
  if (!key) return false;
  return key->SetValue(std::span(buffer.data(), length));
}

}  // namespace kivora
