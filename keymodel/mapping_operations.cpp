#include "keymodel/mapping_operations.h"

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

}  // namespace

Scancode EffectiveScancode(const KeyCatalogue& catalogue, int slot) {
  const KeySlot& s = catalogue[slot];
  return s.IsChanged() ? s.targetScancode : s.scancode;
}

ChangeOutcome ApplyChange(KeyCatalogue& catalogue, int sourceId, int targetId) {
  const int source = SlotFromId(sourceId);
  const int target = SlotFromId(targetId);
  // The raw slot that the key investigation filled last, not yet in use, is
  // taken into use by the next change, whichever key that change is for.
  const bool rawOffered =
      catalogue.currentRawIndex == catalogue.rawCount && catalogue.rawCount < kRawSlotCount;
  const bool isSource =
      IsKeySlot(catalogue, source) || (rawOffered && source == kFirstRawSlot + catalogue.rawCount);
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

  if (rawOffered) ++catalogue.rawCount;
  return outcome;
}

void RecordPair(KeyCatalogue& catalogue, ScancodePair pair) {
  int toSlot = 0;
  // The last match wins, so a scancode typed into slot 149 shadows the physical
  // key with the same code, and to = 0 always resolves to the disable slot.
  for (int slot = kFirstKeySlot; slot <= kDisableSlot; ++slot) {
    const KeySlot& s = catalogue[slot];
    if (s.HasLabel() && s.scancode == pair.to) toSlot = slot;
  }

  int fromSlot = KeySlotOf(catalogue, pair.from);
  if (fromSlot == 0) {
    if (catalogue.rawCount >= kRawSlotCount) {
      catalogue.keptPairs.push_back(pair);
      return;
    }
    fromSlot = kFirstRawSlot + catalogue.rawCount++;
    catalogue[fromSlot].scancode = pair.from;
  }
  KeySlot& s = catalogue[fromSlot];
  // A raw slot shows "Scan"/"code" whatever its target, as does a target no slot has.
  s.targetSlot = fromSlot <= kLastKeySlot && toSlot != 0 ? toSlot : kFirstRawSlot;
  s.targetScancode = pair.to;
}

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
  catalogue.rawCount = 0;
  catalogue.keptPairs.clear();
}

std::vector<ScancodePair> MappingPairs(const KeyCatalogue& catalogue) {
  std::vector<ScancodePair> pairs;
  for (int slot : KeySlots(catalogue)) {
    const KeySlot& s = catalogue[slot];
    if (s.IsChanged()) pairs.push_back({.from = s.scancode, .to = s.targetScancode});
  }
  pairs.insert(pairs.end(), catalogue.keptPairs.begin(), catalogue.keptPairs.end());
  return pairs;
}

bool HasCtrlAltDelete(const KeyCatalogue& catalogue) {
  // What every key produces: the keys of the picture, the raw slots in use, and
  // the unknown keys of the pairs kept aside. A code without its low byte (0, or
  // a bare E0 prefix) is no key anyone can press.
  const auto pressable = [](Scancode from) { return (from & 0xFF) != 0; };
  std::vector<Scancode> produced;
  for (int slot : KeySlots(catalogue)) {
    if (pressable(catalogue[slot].scancode)) produced.push_back(EffectiveScancode(catalogue, slot));
  }
  for (const ScancodePair& pair : catalogue.keptPairs) {
    if (pressable(pair.from)) produced.push_back(pair.to);
  }
  int ctrl = 0, alt = 0, del = 0;
  for (Scancode scancode : produced) {
    switch (scancode) {
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
  }
  return ctrl > 0 && alt > 0 && del > 0;
}

}  // namespace kivora
