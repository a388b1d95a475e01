// The operations that change the mapping held in the key catalogue. They never
// touch a window: where the screen must follow, they say what to redraw.
#pragma once

#include <vector>

#include "keymodel/key_catalogue.h"
#include "keymodel/scancode_pair.h"

namespace kivora {

Scancode EffectiveScancode(const KeyCatalogue& catalogue, int slot);

enum class ChangeOutcome {
  Changed,  // the source now produces the target
  Cleared,  // the source is back to itself: erase its change mark
  Ignored,  // an id that names no source or target slot; nothing was touched
};

// After any outcome but Ignored the caller relabels the keys with changes shown
// and redraws every change mark.
ChangeOutcome ApplyChange(KeyCatalogue& catalogue, int sourceId, int targetId);

// Records one stored pair; a pair that finds no free raw-scancode slot is dropped.
// Nothing is redrawn: callers redraw after their last pair.
void RecordPair(KeyCatalogue& catalogue, ScancodePair pair);

// Returns the slots whose change marks must be erased, in ascending order; the
// caller then gives every key its own label again.
std::vector<int> ResetAllChanges(KeyCatalogue& catalogue);

void ClearForLoad(KeyCatalogue& catalogue);

bool HasCtrlAltDelete(const KeyCatalogue& catalogue);

}  // namespace kivora
