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

// The value of the mapping (ForEachMappingPair): header (version, flags, entry
// count), one entry per pair and the all-zero terminator, which the count
// includes. Nothing changed is the count 1 and the terminator alone.
std::vector<std::uint8_t> BuildScancodeMap(const KeyCatalogue& catalogue);

struct StoredMap {
  std::vector<ScancodePair> pairs;  // in stored order
  // Read one way of several: a key is named twice (the last entry is the one
  // recorded), or entries follow an all-zero one. How Windows reads such a
  // value is not documented.
  bool ambiguous = false;
};

// The pairs of a stored value. The entries end at the count or at the first
// all-zero entry, whichever comes first, and only entries that lie wholly inside
// the bytes actually read count: a truncated value or a count that runs past
// the value never yields pairs that were not stored.
StoredMap ParseScancodeMap(std::span<const std::uint8_t> value);

enum class MapRead {
  Read,             // every stored pair recorded; a missing value or key has none
  Ambiguous,        // recorded, but the value can be read more ways than one
  ValueUnreadable,  // the value exists but could not be read: nothing recorded
  StoreUnavailable  // the key can be neither opened nor created with full access
};

// Records the stored pairs of one store into the catalogue (without clearing it).
MapRead ReadScancodeMap(KeyCatalogue& catalogue, KeyStore& store, StoreKind kind);

// How many keys the value of a store changes, read with query access alone,
// which any user has on the machine store; 0 when it cannot be read.
std::size_t StoredChangeCount(KeyStore& store, StoreKind kind);

// Stores the mapping in the given store. False when the key can be neither opened
// for writing nor created, or the value could not be set.
bool WriteScancodeMap(const KeyCatalogue& catalogue, KeyStore& store, StoreKind kind);

}  // namespace kivora
