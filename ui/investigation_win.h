#pragma once

namespace kivora {

struct Application;

// The key investigation dialog (template 13); a change it starts reaches the
// main window as a posted key command 360..369.
void RunInvestigationDialog(Application& app);

}  // namespace kivora
