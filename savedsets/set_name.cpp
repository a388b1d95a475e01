#include "savedsets/set_name.h"

namespace kivora {

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool FitsSetName(std::string_view cp932) { return cp932.size() <= kMaxSetNameBytes; }

std::string_view WithoutTrailingBlanks(std::string_view name) {
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return name;
}

std::string_view WithoutTypedBlanks(std::string_view cp932) {
  std::size_t end = 0;
  for (std::size_t at = 0; at < cp932.size();) {
    const std::string_view character =
        cp932.substr(at, IsCp932LeadByte(static_cast<unsigned char>(cp932[at])) ? 2 : 1);
    at += character.size();
    if (character != " " && character != "\x81\x40") end = at;  // "　", the full-width blank
  }
  return cp932.substr(0, end);
}

std::string CutToByteLimit(std::string_view name, std::size_t limit) {
  std::size_t end = 0;
  while (end < name.size()) {
    const std::size_t width = IsCp932LeadByte(static_cast<unsigned char>(name[end])) ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return std::string(name.substr(0, std::min(end, name.size())));
}

}  // namespace kivora
