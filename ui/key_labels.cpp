#include "ui/key_labels.h"

namespace kivora {

int LabelSource(int targetSlot) {
  return targetSlot == kDisableSlot ? kDisabledLabelSlot : targetSlot;
}

std::optional<KeyButtonLabel> LabelForSlot(const KeyCatalogue& catalogue, int slot,
                                           bool showChanges) {
  const bool changed = showChanges && catalogue[slot].IsChanged();
  const int source = changed ? LabelSource(catalogue[slot].targetSlot) : slot;
  const KeySlot& s = catalogue[source];
  if (*s.topLabel == '\0') return std::nullopt;
  return KeyButtonLabel{.labelSlot = source,
                        .fontHeight = s.fontHeight,
                        .weight = changed ? kBoldWeight : kNormalWeight,
                        .top = s.topLabel,
                        .bottom = s.bottomLabel};
}

}  // namespace kivora
