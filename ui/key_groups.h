// PageUp/PageDown between the key groups of the keyboard picture.
#pragma once

namespace kivora {

// The id of the key button to focus for UM_NEXT_GROUP (PageDown) or
// UM_PREV_GROUP (PageUp) when the control `focusedId` has the focus (0: none).
int NextFocusId(unsigned message, int focusedId);

}  // namespace kivora
