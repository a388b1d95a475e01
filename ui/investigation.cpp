#include "ui/investigation.h"

#include <cstdio>

namespace kivora {
namespace {

// The parts of a keyboard message's lParam that tell which key it was.
constexpr std::uint32_t kReleaseBit = 0x80000000u;   // bit 31: the key goes up
constexpr std::uint32_t kRepeatBit = 0x40000000u;    // bit 30: it was down already
constexpr std::uint32_t kAltBit = 0x20000000u;       // bit 29: Alt is held
constexpr std::uint32_t kExtendedBit = 0x01000000u;  // bit 24: the 0xE0-prefixed keys
constexpr int kMakeCodeShift = 16;                   // bits 16..23: the make code
constexpr std::uint32_t kMakeCodeMask = 0xFF;
// NumLock (0x45) and Pause (0xE045) may reach the hook with each other's code.
constexpr unsigned kNumLockMakeCode = 0x45;
// With Alt held, the key that closes any window.
constexpr unsigned kF4VirtualKey = 0x73;
// The left and right Alt keys' make code.
constexpr unsigned kAltMakeCode = 0x38;

}  // namespace

KeyEventOutcome HandleKeyEvent(KeyCatalogue& catalogue, const KeyEvent& event) {
  KeyEventOutcome out;
  const std::uint32_t lParam = event.lParam;
  const unsigned scan = (lParam >> kMakeCodeShift) & kMakeCodeMask;
  const bool release = (lParam & kReleaseBit) != 0;
  // Its own record of NumLock held, whoever has the keyboard: Wine forgets a key
  // held across a window that comes and goes, and reports its repeat as a press.
  out.numLockDown = scan == kNumLockMakeCode ? !release : event.numLockDown;
  // Only the press itself: a held Alt+F4 would repeat into the main window once
  // the dialog has gone, and close that too; a held Alt+K into the change dialog.
  const bool altPress = (lParam & kAltBit) != 0 && (lParam & kRepeatBit) == 0;
  const bool changeOffered = RawChangeCommand(catalogue).has_value();
  const bool altF4 = altPress && event.virtualKey == kF4VirtualKey;
  const bool altChange = altPress && changeOffered && event.virtualKey == kChangeMnemonicKey;
  // While a change is offered, an Alt press is held back, so that the key shown
  // is still the one the button changes: it is shown once released alone.
  const bool altLookedAt = release && scan == kAltMakeCode && event.altHeld;
  if ((release && !altLookedAt) || event.toMessageBox || altF4 || altChange) {
    out.holdAlt = event.altHeld && !altF4 && !altChange;
    return out;
  }
  out.consumed = !release;
  if (scan == kAltMakeCode && !release && changeOffered) {
    out.holdAlt = true;
    return out;
  }
  out.showTexts = true;
  const bool extended = (lParam & kExtendedBit) != 0;
  const auto pressed = static_cast<Scancode>(extended ? 0xE000 + scan : scan);
  char text[16];
  std::snprintf(text, sizeof text, " 0x%s%02x  ", extended ? "e0" : "00", scan);
  out.scancodeText = text;

  // A key of the picture shows its labels; any other key, a scancode typed into
  // slot 149 included, is offered its raw slot in use, else the next free one.
  const int keySlot = KeySlotOf(catalogue, pressed);
  catalogue.currentRawIndex = kNoRawIndex;
  if (keySlot >= kFirstKeySlot && keySlot <= kLastKeySlot) {
    const KeySlot& s = catalogue[keySlot];
    // A held key repeats: one note per press, and none over another.
    out.numLockNote = scan == kNumLockMakeCode && !(lParam & kRepeatBit) && !event.numLockDown &&
                      !event.notePending;
    out.topText = s.topLabel;
    out.bottomText = s.bottomLabel;
    out.changeButton = ButtonState::Disabled;
    return out;
  }

  out.topText = "該当なし";
  out.changeButton = ButtonState::Disabled;
  // Only a code some key sends can be remapped (an injected key may carry 0).
  if (!CanBeSentByAKey(pressed)) return out;
  const int index = keySlot != 0 ? keySlot - kFirstRawSlot : catalogue.rawCount;
  if (index >= kRawSlotCount) {
    out.limitText = kRawSlotLimitText;
    return out;
  }
  catalogue.currentRawIndex = index;
  catalogue[kFirstRawSlot + index].scancode = pressed;
  out.changeButton = ButtonState::Enabled;
  out.limitText = "";
  return out;
}

void StartInvestigation(KeyCatalogue& catalogue) { catalogue.currentRawIndex = kNoRawIndex; }

std::optional<int> RawChangeCommand(const KeyCatalogue& catalogue) {
  // An in-use slot found while all ten are in use is changed like any other.
  if (catalogue.currentRawIndex < 0 || catalogue.currentRawIndex >= kRawSlotCount) {
    return std::nullopt;
  }
  return IdFromSlot(kFirstRawSlot + catalogue.currentRawIndex);
}

}  // namespace kivora
