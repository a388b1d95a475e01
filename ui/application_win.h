// The one application state: everything the run owns, reached by the dialogs
// through their DWLP_USER pointer.
#pragma once

#include <windows.h>

#include "keymodel/key_catalogue.h"
#include "keymodel/registry_store_win.h"
#include "savedsets/saved_set_table.h"
#include "savedsets/set_file_system_win.h"
#include "ui/gdi_win.h"
#include "ui/key_buttons_win.h"
#include "ui/main_window_win.h"

namespace kivora {

struct Application {
  explicit Application(HINSTANCE inst) : instance(inst) {}
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  HINSTANCE instance;
  KeyCatalogue catalogue;
  SavedSetTable savedSets;
  RegistryStore store;
  WinSetFileSystem files;

  HWND mainWindow = nullptr;
  KeyButtonSet mainButtons;
  KeyButtonSet changeButtons;
  FontCache fonts;
  GdiObject<HBRUSH> mainBackground{CreateSolidBrush(kMainBackground)};
  GdiObject<HBRUSH> changeBackground{CreateSolidBrush(kChangeBackground)};
  MarkPens pens;

  MainWindowViewWin view{*this};
  MainWindow controller{catalogue, savedSets, store, files, view};
};

}  // namespace kivora
