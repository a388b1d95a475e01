#pragma once

#include <cstdint>

namespace kivora {

using Scancode = std::uint16_t;

// One remapping: pressing `from` produces `to` (0 = nothing, the key is disabled).
struct ScancodePair {
  Scancode from = 0;
  Scancode to = 0;
  friend bool operator==(const ScancodePair&, const ScancodePair&) = default;
};

}  // namespace kivora
