// The `Scancode Map` registry value: building it from the catalogue, recording it
// into the catalogue, and reading and writing it through a key store.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "keymodel/key_catalogue.h"
#include "keymodel/key_store.h"
#include "keymodel/scancode_pair.h"

namespace kivora {

// Header (version, flags, entry count) and room for 151 entries: 150 pairs and the
// terminator. A value longer than this is not read at all.
inline constexpr std::size_t kScancodeMapHeaderSize = 12;
inline constexpr std::size_t kScancodeMapBufferSize = 616;
inline constexpr std::size_t kMaxScancodeMapPairs = 150;
using ScancodeMapBuffer = std::array<std::uint8_t, kScancodeMapBufferSize>;

// Fills the buffer from the changed slots, in slot order, and returns the number
// of bytes to store: 12 when nothing is changed, else 16 + 4 per pair.
std::size_t BuildScancodeMap(const KeyCatalogue& catalogue, ScancodeMapBuffer& buffer);

// The pairs of a stored value, in stored order. Only entries that lie wholly inside
// the bytes actually read are returned, so a truncated value or an entry count
// that runs past the buffer never yields pairs that were not stored.
std::vector<ScancodePair> ParseScancodeMap(std::span<const std::uint8_t> value);

// Records the stored pairs of one store into the catalogue (without clearing it).
// False only when the store's key can be neither opened nor created with full
// access; a missing or unreadable value reads as no pairs.
bool ReadScancodeMap(KeyCatalogue& catalogue, KeyStore& store, StoreKind kind);

// Stores the mapping in the given store. False when the key can be neither opened
// for writing nor created, or the value could not be set.
bool WriteScancodeMap(const KeyCatalogue& catalogue, KeyStore& store, StoreKind kind);

}  // namespace kivora
