// The fixed catalogue of keys and the working mapping that the user builds on it.
#pragma once

#include <array>
#include <vector>

#include "keymodel/scancode_pair.h"

namespace kivora {

inline constexpr int kSlotCount = 172;
inline constexpr int kFirstKeySlot = 1;
inline constexpr int kLastKeySlot = 109;
inline constexpr int kScancodeEntrySlot = 149;
inline constexpr int kDisableSlot = 150;
inline constexpr int kDisabledLabelSlot = 151;
inline constexpr int kFirstRawSlot = 160;
inline constexpr int kRawSlotCount = 10;
inline constexpr int kLastRawSlot = kFirstRawSlot + kRawSlotCount - 1;
inline constexpr int kPhysicalKeyCount = kLastKeySlot - kFirstKeySlot + 1;
// The key investigation has no raw slot to offer or to change.
inline constexpr int kNoRawIndex = -1;

// Key buttons and key commands are numbered after the slot they stand for.
inline constexpr int kIdBase = 200;
constexpr int IdFromSlot(int slot) { return slot + kIdBase; }
constexpr int SlotFromId(int id) { return id - kIdBase; }
// Key commands name the picture's slots 0..110; only 201..309 are buttons, and
// the two ends are accepted as they always were.
inline constexpr int kFirstKeyCommandId = IdFromSlot(0);
inline constexpr int kLastKeyCommandId = IdFromSlot(110);

struct KeySlot {
  const char* topLabel = "";     // UTF-8; converted at the Win32 boundary
  const char* bottomLabel = "";  // empty for one-line labels
  int fontHeight = 10;
  Scancode scancode = 0;
  int targetSlot = 0;  // 0 = unchanged; else the slot whose key this key now produces
  Scancode targetScancode = 0;

  bool IsChanged() const { return targetSlot != 0; }
  bool HasLabel() const { return *topLabel != '\0' || *bottomLabel != '\0'; }
};

struct KeyCatalogue {
  std::array<KeySlot, kSlotCount> slots;
  int rawCount = 0;  // raw-scancode slots 160 .. 160+rawCount-1 are in use
  // The raw slot (0..9) that the key investigation found or filled for the key
  // pressed last. At rawCount it is offered: the change of that slot, and no
  // other, takes it into use.
  int currentRawIndex = kNoRawIndex;
  // Stored pairs that no slot can show (unknown keys once the ten raw slots are
  // in use), in stored order: written back as they are, so nothing registered
  // is lost by a change of some other key.
  std::vector<ScancodePair> keptPairs;

  KeyCatalogue();  // the constant table, nothing changed

  KeySlot& operator[](int slot) { return slots[static_cast<std::size_t>(slot)]; }
  const KeySlot& operator[](int slot) const { return slots[static_cast<std::size_t>(slot)]; }
};

// The one rule for which slots are keys, that is, the sources of pairs: the
// physical keys (1..109) and the raw-scancode slots in use. Slot 149 (typed
// scancode) and slot 150 (disable) are targets only.
bool IsKeySlot(const KeyCatalogue& catalogue, int slot);

// The key slots in ascending order, walked without building a list: reading a
// stored value looks up every pair.
class KeySlotRange {
 public:
  class Iterator {
   public:
    explicit Iterator(int position) : position_(position) {}
    int operator*() const {
      return position_ < kPhysicalKeyCount ? kFirstKeySlot + position_
                                           : kFirstRawSlot + position_ - kPhysicalKeyCount;
    }
    Iterator& operator++() {
      ++position_;
      return *this;
    }
    friend bool operator==(const Iterator&, const Iterator&) = default;

   private:
    int position_;
  };
  explicit KeySlotRange(int rawCount) : count_(kPhysicalKeyCount + rawCount) {}
  Iterator begin() const { return Iterator(0); }
  Iterator end() const { return Iterator(count_); }

 private:
  int count_;
};
KeySlotRange KeySlots(const KeyCatalogue& catalogue);

// The physical key with this scancode; 0 when no key of the picture has it.
int PhysicalKeySlot(Scancode scancode);

// The key slot that stands for this scancode: its physical key, else the raw
// slot in use that holds it; 0 when there is none.
int KeySlotOf(const KeyCatalogue& catalogue, Scancode scancode);

// Whether some key can send this code: a make code (01..7F), alone or after the
// E0 prefix. Anything else is no key anyone can press.
bool CanBeSentByAKey(Scancode scancode);

}  // namespace kivora
