// The change dialog (12) and the direct scancode entry (20).
#pragma once

#include "ui/main_window.h"

namespace kivora {

struct Application;

// Opens the change dialog over the main window for the key `sourceId` and
// returns what the user chose; it changes nothing itself.
ChangeChoice RunChangeDialog(Application& app, int sourceId);

}  // namespace kivora
