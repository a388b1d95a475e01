#pragma once

#include <string>
#include <vector>

#include "keymodel/key_catalogue.h"

namespace kivora {

// One row per changed slot, in slot order, UTF-8:
// "CapsLock英数\t0x003a\t→\tCtrl左\t0x001d".
std::vector<std::string> ChangedKeyRows(const KeyCatalogue& catalogue);

}  // namespace kivora
