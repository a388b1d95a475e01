// The load, save and delete dialogs (templates 16 and 19).
#pragma once

namespace kivora {

struct Application;

void RunLoadDialog(Application& app);
void RunSaveDialog(Application& app);
void RunDeleteDialog(Application& app);

}  // namespace kivora
