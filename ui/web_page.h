// How the about box's link reaches the user's browser from a program that an
// administrator runs elevated.
#pragma once

namespace kivora {

enum class WebPageStep {
  Done,          // the desktop shell opened it, as the desktop user
  ShellExecute,  // open it ourselves: the browser gets no more rights than we have
  ShowAddress,   // show the address, for the user to open by hand
};

// What follows the desktop shell's attempt to open the page. A browser that an
// elevated Kivora starts itself runs with full administrator rights, and with
// it every page and download it opens, so only the shell may start it then.
WebPageStep AfterDesktopShell(bool elevated, bool openedByDesktopShell);

}  // namespace kivora
