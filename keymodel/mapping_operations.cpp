#include "keymodel/mapping_operations.h"

namespace kivora {
namespace {

bool IsSourceSlot(int slot) {
  return (slot >= kFirstKeySlot && slot <= kLastKeySlot) ||
         (slot >= kFirstRawSlot && slot <= kLastRawSlot);
}

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
  // The source itself is a valid answer of the change dialog: it clears the change.
  if (!IsSourceSlot(source) || (!IsTargetSlot(target) && target != source)) {
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

  // A raw-scancode slot that the key investigation filled becomes in use with the
  // first change applied after it, whichever key that change was for.
  if (catalogue.currentRawIndex == catalogue.rawCount && catalogue.rawCount < kRawSlotCount) {
    ++catalogue.rawCount;
  }
  return outcome;
}

void RecordPair(KeyCatalogue& catalogue, ScancodePair pair) {
  int fromSlot = 0;
  int toSlot = 0;
  // The last match wins, so a scancode typed into slot 149 shadows the physical
  // key with the same code, and to = 0 always resolves to the disable slot.
  for (int slot = kFirstKeySlot; slot <= kDisableSlot; ++slot) {
    const KeySlot& s = catalogue[slot];
    if (!s.HasLabel()) continue;
    if (s.scancode == pair.from) fromSlot = slot;
    if (s.scancode == pair.to) toSlot = slot;
  }

  if (fromSlot != 0) {
    KeySlot& s = catalogue[fromSlot];
    s.targetSlot = toSlot != 0 ? toSlot : kFirstRawSlot;
    s.targetScancode = pair.to;
    return;
  }
  if (catalogue.rawCount >= kRawSlotCount) return;
  KeySlot& raw = catalogue[kFirstRawSlot + catalogue.rawCount];
  raw.scancode = pair.from;
  raw.targetSlot = kFirstRawSlot;  // shows "Scan"/"code" whatever the target
  raw.targetScancode = pair.to;
  ++catalogue.rawCount;
}

std::vector<int> ResetAllChanges(KeyCatalogue& catalogue) {
  std::vector<int> erased;
  for (int slot = 1; slot <= kLastWalkSlot; ++slot) {
    KeySlot& s = catalogue[slot];
    if (!s.IsChanged()) continue;
    erased.push_back(slot);
    Unchange(s);
  }
  return erased;
}

void ClearForLoad(KeyCatalogue& catalogue) {
  for (int slot = 0; slot <= kLastRawSlot; ++slot) Unchange(catalogue[slot]);
  catalogue.rawCount = 0;
}

bool HasCtrlAltDelete(const KeyCatalogue& catalogue) {
  int ctrl = 0, alt = 0, del = 0;
  for (int slot = 1; slot <= kLastRawSlot; ++slot) {
    switch (EffectiveScancode(catalogue, slot)) {
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
