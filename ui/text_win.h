// Text at the Win32 boundary: our literals are UTF-8, saved-set names are code
// page 932 bytes, and the W API speaks UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace kivora {

std::wstring Utf8ToWide(std::string_view utf8);
std::wstring Cp932ToWide(std::string_view cp932);
// Into a caller's buffer, for text converted often (the key labels): the number
// of characters written, no terminator added; 0 when it does not fit.
std::size_t Utf8ToWide(std::string_view utf8, wchar_t* out, std::size_t capacity);

// False when some character has no code page 932 form; `out` is then unchanged,
// so a name is never stored with a substituted character.
bool WideToCp932(std::wstring_view text, std::string& out);
// For text that is checked afterwards, not stored: a character without a code
// page 932 form becomes '?'.
std::string WideToCp932Substituting(std::wstring_view text);

}  // namespace kivora
