// The key investigation dialog's handling of one keyboard event, apart from the
// hook and the window: what the dialog shows and which raw-scancode slot it offers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "keymodel/key_catalogue.h"
#include "ui/change_rules.h"

namespace kivora {

inline constexpr char kRawSlotLimitText[] = "スキャンコード変更は最大１０件です";
// Alt and this key press the change button (its mnemonic, "&K"), which is the
// only way to remap a key the picture lacks: the keyboard alone can do it.
inline constexpr unsigned kChangeMnemonicKey = 'K';

// A keyboard message as the investigation's hook receives it, with what the
// dialog is doing meanwhile.
struct KeyEvent {
  std::uint32_t lParam = 0;   // scan code, extended, Alt held, repeat, release
  unsigned virtualKey = 0;    // wParam
  bool toMessageBox = false;  // one of the dialog's message boxes has the keyboard
  bool notePending = false;   // a NumLock note is posted or shown
  bool altHeld = false;       // an Alt press was held back, waiting for K
  bool numLockDown = false;   // NumLock (or Pause) went down and has not come up
};

struct KeyEventOutcome {
  bool consumed = false;  // key presses are swallowed; what passes is not shown
  bool showTexts = false;
  std::string scancodeText;  // edit 151, e.g. " 0xe01d  "
  std::string topText;       // edit 152
  std::string bottomText;    // edit 153
  bool numLockNote = false;  // scan code 0x45 pressed: NumLock and Pause may be swapped
  ButtonState changeButton = ButtonState::Unchanged;  // button 107
  std::optional<std::string> limitText;               // static 135, when it changes
  bool holdAlt = false;      // an Alt press is held back: the next event's altHeld
  bool numLockDown = false;  // the next event's numLockDown
};

// The dialog opens offering nothing: what an earlier visit offered is gone.
void StartInvestigation(KeyCatalogue& catalogue);

// Handles one keyboard message. Every key press is shown and swallowed, Esc
// included, but for those that must reach their window, so that the dialog can
// be used by keyboard alone: the keys of its message boxes, Alt+F4, which
// leaves it, and Alt+K while a raw slot can be changed, which presses the
// change button (Alt alone is then shown only once released). A key the picture lacks is offered
// its raw slot in use, else the next free one, which gets the pressed scancode; the slot becomes
// the current raw index. Any other key withdraws the offer.
KeyEventOutcome HandleKeyEvent(KeyCatalogue& catalogue, const KeyEvent& event);

// The key command that starts the change of the offered slot (360..369), or
// nothing when no slot could be offered.
std::optional<int> RawChangeCommand(const KeyCatalogue& catalogue);

}  // namespace kivora
