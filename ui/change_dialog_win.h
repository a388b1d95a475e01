// The change dialog (12) and the direct scancode entry (20).
#pragma once

namespace kivora {

struct Application;

// Opens the change dialog over the main window for the current source id and
// returns the chosen target id: a key's id, 350 (disable), 349 (the scancode
// just typed into slot 149), or 0 when nothing was chosen.
int RunChangeDialogFor(Application& app);

}  // namespace kivora
