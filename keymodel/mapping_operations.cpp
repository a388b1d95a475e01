#include "keymodel/mapping_operations.h"

#include <algorithm>
#include <bitset>
#include <numeric>

namespace kivora {
namespace {

bool IsTargetSlot(int slot) {
  return (slot >= kFirstKeySlot && slot <= kLastKeySlot) || slot == kScancodeEntrySlot ||
         slot == kDisableSlot;
}

void Unchange(KeySlot& slot) {
  slot.targetSlot = 0;
  slot.targetScancode = 0;
}

// One pair per key kept aside: a later pair for a key takes the place of its
// first, as a key with a slot keeps its last target. Sorted, not searched, so a
// value of thousands of unknown keys still reads at once.
void OnePairPerKeptKey(std::vector<ScancodePair>& kept) {
  std::bitset<0x10000> seen;
  bool twice = false;
  for (const ScancodePair& pair : kept) {
    twice |= seen.test(pair.from);
    seen.set(pair.from);
  }
  if (!twice) return;
  std::vector<std::size_t> order(kept.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&kept](std::size_t a, std::size_t b) { return kept[a].from < kept[b].from; });
  std::vector<bool> later(kept.size());
  for (std::size_t i = 1, first = 0; i < order.size(); ++i) {
    if (kept[order[i]].from != kept[order[first]].from) {
      first = i;
      continue;
    }
    kept[order[first]].to = kept[order[i]].to;
    later[order[i]] = true;
  }
  std::vector<ScancodePair> once;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (!later[i]) once.push_back(kept[i]);
  }
  kept = std::move(once);
}

// Where a stored `to` points: the walk over the labelled slots 1..150 with the
// last match winning comes to this. 0 is the disable slot, and a scancode typed
// into slot 149 shadows the physical key with the same code.
int TargetSlotOf(const KeyCatalogue& catalogue, Scancode to) {
  if (to == catalogue[kDisableSlot].scancode) return kDisableSlot;
  if (to == catalogue[kScancodeEntrySlot].scancode) return kScancodeEntrySlot;
  return PhysicalKeySlot(to);
}

}  // namespace

Scancode EffectiveScancode(const KeyCatalogue& catalogue, int slot) {
  const KeySlot& s = catalogue[slot];
  return s.IsChanged() ? s.targetScancode : s.scancode;
}

ChangeOutcome ApplyChange(KeyCatalogue& catalogue, int sourceId, int targetId) {
  const int source = SlotFromId(sourceId);
  const int target = SlotFromId(targetId);
  // The raw slot that the key investigation filled last, not yet in use, is
  // taken into use by its own change; a change of any other key leaves it.
  const bool rawOffered = catalogue.currentRawIndex == catalogue.rawCount &&
                          catalogue.rawCount < kRawSlotCount &&
                          source == kFirstRawSlot + catalogue.rawCount;
  const bool isSource = IsKeySlot(catalogue, source) || rawOffered;
  // The source itself is a valid answer of the change dialog: it clears the change.
  if (!isSource || (!IsTargetSlot(target) && target != source)) {
    return ChangeOutcome::Ignored;
  }

  ChangeOutcome outcome;
  KeySlot& s = catalogue[source];
  if (target != source && s.scancode != catalogue[target].scancode) {
    s.targetSlot = target;
    s.targetScancode = catalogue[target].scancode;
    outcome = ChangeOutcome::Changed;
  } else {
    Unchange(s);
    outcome = ChangeOutcome::Cleared;
  }

  if (rawOffered) {
    ++catalogue.rawCount;
    catalogue.currentRawIndex = kNoRawIndex;
  }
  return outcome;
}

void RecordPairs(KeyCatalogue& catalogue, std::span<const ScancodePair> pairs) {
  for (const ScancodePair& pair : pairs) {
    if (pair == ScancodePair{}) continue;
    const int toSlot = TargetSlotOf(catalogue, pair.to);
    int fromSlot = KeySlotOf(catalogue, pair.from);
    if (fromSlot == 0 && catalogue.rawCount >= kRawSlotCount) {
      catalogue.keptPairs.push_back(pair);
      continue;
    }
    if (fromSlot == 0) {
      fromSlot = kFirstRawSlot + catalogue.rawCount++;
      catalogue[fromSlot].scancode = pair.from;
    }
    KeySlot& s = catalogue[fromSlot];
    // A raw slot shows "Scan"/"code" whatever its target, as does a target no slot has.
    s.targetSlot = fromSlot <= kLastKeySlot && toSlot != 0 ? toSlot : kFirstRawSlot;
    s.targetScancode = pair.to;
  }
  OnePairPerKeptKey(catalogue.keptPairs);
}

void RecordPair(KeyCatalogue& catalogue, ScancodePair pair) { RecordPairs(catalogue, {&pair, 1}); }

std::vector<int> ResetAllChanges(KeyCatalogue& catalogue) {
  std::vector<int> erased;
  for (int slot : KeySlots(catalogue)) {
    KeySlot& s = catalogue[slot];
    if (!s.IsChanged()) continue;
    erased.push_back(slot);
    Unchange(s);
  }
  catalogue.keptPairs.clear();
  return erased;
}

void ClearForLoad(KeyCatalogue& catalogue) {
  for (KeySlot& s : catalogue.slots) Unchange(s);
  // Freed, the raw slots hold nothing and none is offered: no later change can
  // take an old one into use.
  for (int raw = kFirstRawSlot; raw <= kLastRawSlot; ++raw) catalogue[raw].scancode = 0;
  catalogue.currentRawIndex = kNoRawIndex;
  catalogue.rawCount = 0;
  catalogue.keptPairs.clear();
}

std::vector<ScancodePair> MappingPairs(const KeyCatalogue& catalogue) {
  std::vector<ScancodePair> pairs;
  ForEachMappingPair(catalogue, [&](ScancodePair pair) { pairs.push_back(pair); });
  return pairs;
}

bool HasCtrlAltDelete(const KeyCatalogue& catalogue) {
  // What every key produces: the keys of the picture, the raw slots in use, and
  // the unknown keys of the pairs kept aside; a code no key sends counts for nothing.
  int ctrl = 0, alt = 0, del = 0;
  const auto count = [&](Scancode from, Scancode produced) {
    if (!CanBeSentByAKey(from)) return;
    switch (produced) {
      case 0x001D:
      case 0xE01D:
        ++ctrl;
        break;
      case 0x0038:
      case 0xE038:
        ++alt;
        break;
      case 0xE053:  // the keypad's "．" (0x0053) does not count as Delete
        ++del;
        break;
      default:
        break;
    }
  };
  for (int slot : KeySlots(catalogue)) {
    count(catalogue[slot].scancode, EffectiveScancode(catalogue, slot));
  }
  for (const ScancodePair& pair : catalogue.keptPairs) count(pair.from, pair.to);
  return ctrl > 0 && alt > 0 && del > 0;
}

}  // namespace kivora
