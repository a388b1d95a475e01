#include "ui/changed_key_list.h"

#include <cstdio>

namespace kivora {

std::vector<std::string> ChangedKeyRows(const KeyCatalogue& catalogue) {
  std::vector<std::string> rows;
  for (int slot : KeySlots(catalogue)) {
    const KeySlot& s = catalogue[slot];
    if (!s.IsChanged()) continue;
    // The target's own labels: a disabled key shows "キーを無効にする！".
    const KeySlot& t = catalogue[s.targetSlot];
    char codes[2][8];
    std::snprintf(codes[0], sizeof codes[0], "0x%04x", static_cast<unsigned>(s.scancode));
    std::snprintf(codes[1], sizeof codes[1], "0x%04x", static_cast<unsigned>(s.targetScancode));
    rows.push_back(std::string(s.topLabel) + s.bottomLabel + "\t" + codes[0] + "\t→\t" +
                   t.topLabel + t.bottomLabel + "\t" + codes[1]);
  }
  return rows;
}

}  // namespace kivora
