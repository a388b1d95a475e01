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

struct KeyEventOutcome {
  bool consumed = false;  // key presses are swallowed, releases pass
  bool showTexts = false;
  std::string scancodeText;  // edit 151, e.g. " 0xe01d  "
  std::string topText;       // edit 152
  std::string bottomText;    // edit 153
  bool numLockNote = false;  // scan code 0x45: NumLock and Pause may be shown swapped
  ButtonState changeButton = ButtonState::Unchanged;  // button 107
  std::optional<std::string> limitText;               // static 135, when it changes
};

// Handles the keyboard message whose lParam is given. An offered raw-scancode
// slot gets the pressed scancode and becomes the current raw index.
KeyEventOutcome HandleKeyEvent(KeyCatalogue& catalogue, std::uint32_t lParam);

// The key command that starts the change of the offered slot (360..369), or
// nothing when no slot could be offered.
std::optional<int> RawChangeCommand(const KeyCatalogue& catalogue);

}  // namespace kivora
