// Saved-set names are code page 932 (Shift-JIS) bytes, kept opaque; only their
// byte length and the double-byte boundaries matter here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kivora {

inline constexpr std::size_t kMaxSetNameBytes = 20;

bool IsCp932LeadByte(unsigned char byte);

// The longest prefix of `name` of at most `limit` bytes that does not split a
// double-byte character.
std::string CutToByteLimit(std::string_view name, std::size_t limit);

}  // namespace kivora
