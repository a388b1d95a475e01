// What a key button shows: whose labels, at which height and weight.
#pragma once

#include <optional>
#include <string_view>

#include "keymodel/key_catalogue.h"

namespace kivora {

inline constexpr int kNormalWeight = 0;  // the font's default weight
inline constexpr int kBoldWeight = 700;

struct KeyButtonLabel {
  int labelSlot;   // the slot whose labels are shown
  int fontHeight;  // logical units
  int weight;
  // UTF-8, shown on two lines; views of the catalogue's own labels, so that a
  // relabel of the whole keyboard allocates nothing.
  std::string_view top;
  std::string_view bottom;
};

// Nothing for a slot whose shown top label is empty: its button is left as it is.
// With `showChanges` a changed key shows its target's labels in bold, a disabled
// key "無効".
std::optional<KeyButtonLabel> LabelForSlot(const KeyCatalogue& catalogue, int slot,
                                           bool showChanges);

// The slot whose labels stand for what a changed slot now produces.
int LabelSource(int targetSlot);

}  // namespace kivora
