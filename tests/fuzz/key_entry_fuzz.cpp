// What the user types and presses: the four-digit scancode entry, and a run of
// keyboard events in the key investigation mixed with the changes that follow.
//
// Input: one byte of typed length, the typed bytes, two bytes of the source's
// own scancode; then five-byte steps: an odd first byte is a key event whose
// lParam is the next four bytes, an even one a change (source, typed scancode
// low byte, target, typed scancode high byte).
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "keymodel/mapping_operations.h"
#include "tests/fuzz/fuzz_check.h"
#include "ui/change_rules.h"
#include "ui/investigation.h"

namespace kivora {
namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void CheckEntry(std::string_view typed, Scancode own) {
  const EntryCheck check = CheckScancodeEntry(typed, own);
  if (typed.size() < 4) {
    FUZZ_CHECK(check.verdict == EntryVerdict::NotFourCharacters);
    FUZZ_CHECK(check.value == 0);
    return;
  }
  const std::string_view digits = typed.substr(0, 4);
  bool hex = true;
  for (char c : digits) hex = hex && IsHexDigit(c);
  if (!hex) {
    FUZZ_CHECK(check.verdict == EntryVerdict::NotHexadecimal);
    FUZZ_CHECK(check.value == 0);
    return;
  }
  unsigned expected = 0;
  std::from_chars(digits.data(), digits.data() + 4, expected, 16);
  if (expected == own) {
    FUZZ_CHECK(check.verdict == EntryVerdict::SameAsOwn);
    FUZZ_CHECK(check.value == 0);
  } else {
    FUZZ_CHECK(check.verdict == EntryVerdict::Accepted);
    FUZZ_CHECK(check.value == expected);
  }
}

void CheckKeyEvent(KeyCatalogue& catalogue, std::uint32_t lParam) {
  const KeyCatalogue before = catalogue;
  const KeyEventOutcome out = HandleKeyEvent(catalogue, lParam);
  const bool released = (lParam & 0x80000000u) != 0;
  FUZZ_CHECK(out.consumed == !released);
  FUZZ_CHECK(catalogue.rawCount == before.rawCount);
  FUZZ_CHECK(catalogue.currentRawIndex >= 0 && catalogue.currentRawIndex <= kRawSlotCount);
  if (released) {
    FUZZ_CHECK(!out.showTexts && out.scancodeText.empty() && !out.limitText);
    FUZZ_CHECK(catalogue.currentRawIndex == before.currentRawIndex);
    return;
  }

  const unsigned scan = (lParam >> 16) & 0xFF;
  const bool extended = (lParam & 0x01000000u) != 0;
  const auto pressed = static_cast<Scancode>(extended ? 0xE000 + scan : scan);
  char text[16];
  std::snprintf(text, sizeof text, " 0x%s%02x  ", extended ? "e0" : "00", scan);
  FUZZ_CHECK(out.scancodeText == text);

  // Only the offered raw slot's scancode may change, and only to the pressed one.
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool offered = out.changeButton == ButtonState::Enabled &&
                         slot == kFirstRawSlot + catalogue.currentRawIndex;
    if (offered) {
      FUZZ_CHECK(catalogue[slot].scancode == pressed);
    } else {
      FUZZ_CHECK(catalogue[slot].scancode == before[slot].scancode);
    }
    FUZZ_CHECK(catalogue[slot].targetSlot == before[slot].targetSlot);
  }

  switch (out.changeButton) {
    case ButtonState::Disabled:  // a key of the keyboard: nothing offered
      FUZZ_CHECK(catalogue.currentRawIndex == before.currentRawIndex);
      FUZZ_CHECK(!out.limitText);
      break;
    case ButtonState::Enabled:
      FUZZ_CHECK(catalogue.currentRawIndex < kRawSlotCount);
      FUZZ_CHECK(RawChangeCommand(catalogue) ==
                 IdFromSlot(kFirstRawSlot + catalogue.currentRawIndex));
      FUZZ_CHECK(out.limitText && out.limitText->empty());
      break;
    case ButtonState::Unchanged:  // every raw slot taken
      FUZZ_CHECK(catalogue.currentRawIndex == kRawSlotCount);
      FUZZ_CHECK(!RawChangeCommand(catalogue));
      FUZZ_CHECK(out.limitText && *out.limitText == kRawSlotLimitText);
      break;
  }
}

}  // namespace
}  // namespace kivora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kivora;
  if (size < 1) return 0;
  const std::size_t typedLength = data[0];
  if (size < 1 + typedLength + 2) return 0;
  const std::string_view typed(reinterpret_cast<const char*>(data + 1), typedLength);
  const auto own = static_cast<Scancode>(data[1 + typedLength] | (data[2 + typedLength] << 8));
  CheckEntry(typed, own);

  KeyCatalogue catalogue;
  for (std::size_t i = 3 + typedLength; i + 5 <= size; i += 5) {
    const std::uint8_t* step = data + i;
    if (step[0] & 1) {
      CheckKeyEvent(catalogue,
                    static_cast<std::uint32_t>(step[1] | (step[2] << 8) | (step[3] << 16)) |
                        (static_cast<std::uint32_t>(step[4]) << 24));
    } else {
      // The changes the window can ask for: a key button or the raw slot the
      // investigation offers, to a key, a typed scancode or nothing.
      const auto raw = RawChangeCommand(catalogue);
      const int source = (step[1] & 0x80) && raw ? *raw : IdFromSlot(1 + step[1] % 109);
      const int choice = step[3] % 111;
      const int target = choice < 109
                             ? IdFromSlot(1 + choice)
                             : IdFromSlot(choice == 109 ? kScancodeEntrySlot : kDisableSlot);
      catalogue[kScancodeEntrySlot].scancode = static_cast<Scancode>(step[2] | (step[4] << 8));
      ApplyChange(catalogue, source, target);
      FUZZ_CHECK(catalogue.rawCount >= 0 && catalogue.rawCount <= kRawSlotCount);
    }
  }
  return 0;
}
