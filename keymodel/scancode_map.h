// The `Scancode Map` registry value: building it from the catalogue, recording it
// into the catalogue, and reading and writing it through a key store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "keymodel/key_catalogue.h"
#include "keymodel/key_store.h"
#include "keymodel/scancode_pair.h"

namespace kivora {

inline constexpr std::size_t kScancodeMapHeaderSize = 12;

// The value of the mapping (MappingPairs): header (version, flags, entry count),
// one entry per pair and the terminator; 12 zero bytes when nothing is changed.
std::vector<std::uint8_t> BuildScancodeMap(const KeyCatalogue& catalogue);

// The pairs of a stored value, in stored order. Only entries that lie wholly inside
// the bytes actually read are returned, so a truncated value or an entry count
// that runs past the value never yields pairs that were not stored.
std::vector<ScancodePair> ParseScancodeMap(std::span<const std::uint8_t> value);

enum class MapRead {
  Read,             // every stored pair recorded; a missing value or key has none
  ValueUnreadable,  // the value exists but could not be read: nothing recorded
  StoreUnavailable  // the key can be neither opened nor created with full access
};

// Records the stored pairs of one store into the catalogue (without clearing it).
MapRead ReadScancodeMap(KeyCatalogue& catalogue, KeyStore& store, StoreKind kind);

// Stores the mapping in the given store. False when the key can be neither opened
// for writing nor created, or the value could not be set.
bool WriteScancodeMap(const KeyCatalogue& catalogue, KeyStore& store, StoreKind kind);

}  // namespace kivora
