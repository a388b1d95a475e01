// Text at the Win32 boundary: our literals are UTF-8, saved-set names are code
// page 932 bytes, and the W API speaks UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace kivora {

std::wstring Utf8ToWide(std::string_view utf8);
std::wstring Cp932ToWide(std::string_view cp932);

// False when some character has no code page 932 form; `out` is then unchanged,
// so a name is never stored with a substituted character.
bool WideToCp932(std::wstring_view text, std::string& out);

}  // namespace kivora
