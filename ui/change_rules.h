// The rules of the change dialog and the direct scancode entry that need no window.
#pragma once

#include <string>
#include <string_view>

#include "keymodel/key_catalogue.h"

namespace kivora {

// The change dialog's caption for the source slot: which key is being changed,
// and what it produces now.
std::string ChangeDialogCaption(const KeyCatalogue& catalogue, int sourceSlot);

// Whether a command of the change dialog picks a target and ends the change:
// a key of the picture or the disable button; the typed scancode (349) needs
// the entry dialog first.
bool IsChangeTarget(int id);

enum class ButtonState { Unchanged, Enabled, Disabled };

// Button 349 (typed scancode) for this source: a source shown by a raw-scancode
// label is limited by the ten raw slots; every other source leaves the button
// as the template has it, enabled.
ButtonState ScancodeButtonState(const KeyCatalogue& catalogue, int sourceSlot);

// The entry dialog's line naming the key: "キー[Esc][0x0001]を変更します".
std::string ScancodeEntryPrompt(const KeyCatalogue& catalogue, int sourceSlot);

enum class EntryVerdict { Accepted, NotFourCharacters, NotHexadecimal, SameAsOwn };

struct EntryCheck {
  EntryVerdict verdict;
  Scancode value = 0;  // with Accepted
};

// The entry takes four hexadecimal digits, and its box no more characters.
inline constexpr std::size_t kScancodeEntryDigits = 4;

// `typed` is the edit's text as code page 932 bytes; only its first four bytes
// count.
EntryCheck CheckScancodeEntry(std::string_view typed, Scancode ownScancode);

}  // namespace kivora
