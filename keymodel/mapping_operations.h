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

// Records one stored pair on the key slot of its from-scancode; an unknown key
// takes the next free raw slot, and once all ten are in use the pair is kept
// aside. Nothing is redrawn: callers redraw after their last pair.
void RecordPair(KeyCatalogue& catalogue, ScancodePair pair);

// Unchanges every key and drops the pairs kept aside; the raw slots stay in use.
// Returns the slots whose change marks must be erased, in ascending order; the
// caller then gives every key its own label again.
std::vector<int> ResetAllChanges(KeyCatalogue& catalogue);

// Unchanges everything, frees the raw slots and drops the pairs kept aside.
void ClearForLoad(KeyCatalogue& catalogue);

// The whole mapping as pairs: every changed key in slot order, then the pairs
// kept aside, in their stored order.
std::vector<ScancodePair> MappingPairs(const KeyCatalogue& catalogue);

bool HasCtrlAltDelete(const KeyCatalogue& catalogue);

}  // namespace kivora
