// Saved-set names are code page 932 (Shift-JIS) bytes, kept opaque; only their
// byte length and the double-byte boundaries matter here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kivora {

inline constexpr std::size_t kMaxSetNameBytes = 20;

bool IsCp932LeadByte(unsigned char byte);

// Whether a name fits kivora.ini's name column; what does not is refused, never cut.
bool FitsSetName(std::string_view cp932);

// The name without the blanks at its end, as kivora.ini gives it back.
std::string_view WithoutTrailingBlanks(std::string_view name);

// A typed name without the blanks at its end, half-width or full-width ("　",
// which an IME leaves in kana mode): those would make a second set that looks
// like the first. A name of blanks alone is empty.
std::string_view WithoutTypedBlanks(std::string_view cp932);

// The longest prefix of `name` of at most `limit` bytes that does not split a
// double-byte character.
std::string CutToByteLimit(std::string_view name, std::size_t limit);

}  // namespace kivora
