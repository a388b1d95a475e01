// The changed-key list (template 17) and the about box (template 15).
#pragma once

namespace kivora {

struct Application;

void RunChangedKeyList(Application& app);
void RunAboutBox(Application& app);

}  // namespace kivora
