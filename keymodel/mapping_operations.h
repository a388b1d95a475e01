// The operations that change the mapping held in the key catalogue. They never
// touch a window: where the screen must follow, they say what to redraw.
#pragma once

#include <span>
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

// Records stored pairs, in order, each on the key slot of its from-scancode; an
// unknown key takes the next free raw slot, and once all ten are in use the
// pair is kept aside, one per key (a later pair for it takes its place). A pair
// of zeros, the bytes that end a stored value, is no pair. Nothing is redrawn:
// callers redraw after their last pair.
void RecordPairs(KeyCatalogue& catalogue, std::span<const ScancodePair> pairs);
void RecordPair(KeyCatalogue& catalogue, ScancodePair pair);

// Unchanges every key and drops the pairs kept aside; the raw slots stay in use.
// Returns the slots whose change marks must be erased, in ascending order; the
// caller then gives every key its own label again.
std::vector<int> ResetAllChanges(KeyCatalogue& catalogue);

// Unchanges everything, frees and empties the raw slots, withdraws the raw slot
// the key investigation offered and drops the pairs kept aside.
void ClearForLoad(KeyCatalogue& catalogue);

// The whole mapping, one pair per key: every changed key in slot order, then
// the pairs kept aside, in their stored order. A pair of zeros, which would
// read as the end of a stored value, means nothing and is left out.
template <typename Visit>
void ForEachMappingPair(const KeyCatalogue& catalogue, Visit&& visit) {
  const auto slot = [&](const KeySlot& s) {
    if (s.IsChanged() && (s.scancode != 0 || s.targetScancode != 0)) {
      visit(ScancodePair{.from = s.scancode, .to = s.targetScancode});
    }
  };
  // The key slots (KeySlots), as two runs: the fastest walk for the value built often.
  for (int key = kFirstKeySlot; key <= kLastKeySlot; ++key) slot(catalogue[key]);
  for (int raw = 0; raw < catalogue.rawCount; ++raw) slot(catalogue[kFirstRawSlot + raw]);
  for (const ScancodePair& pair : catalogue.keptPairs) visit(pair);
}
std::vector<ScancodePair> MappingPairs(const KeyCatalogue& catalogue);

bool HasCtrlAltDelete(const KeyCatalogue& catalogue);

}  // namespace kivora
