#include "ui/web_page.h"

namespace kivora {

WebPageStep AfterDesktopShell(bool elevated, bool openedByDesktopShell) {
  if (openedByDesktopShell) return WebPageStep::Done;
  return elevated ? WebPageStep::ShowAddress : WebPageStep::ShellExecute;
}

}  // namespace kivora
