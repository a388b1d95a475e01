#include "ui/key_groups.h"

#include <array>

#include "ui/window_messages.h"

namespace kivora {
namespace {

// First id of each group, Esc row to numeric keypad.
constexpr std::array<int, 10> kGroupStarts = {201, 214, 229, 243, 256, 269, 280, 283, 289, 293};

}  // namespace

int NextFocusId(unsigned message, int focusedId) {
  if (message == UM_NEXT_GROUP) {
    // The next group's first key; past the keypad, or off the keyboard, Esc.
    for (std::size_t g = 0; g + 1 < kGroupStarts.size(); ++g) {
      if (focusedId >= kGroupStarts[g] && focusedId < kGroupStarts[g + 1]) {
        return kGroupStarts[g + 1];
      }
    }
    return kGroupStarts.front();
  }
  // PageUp: the first key of the focused key's group, or of the group before when
  // the focus is on a first key already; from Esc (or nothing) round to the keypad.
  for (std::size_t g = kGroupStarts.size(); g-- > 0;) {
    if (focusedId > kGroupStarts[g]) return kGroupStarts[g];
  }
  return kGroupStarts.back();
}

}  // namespace kivora
