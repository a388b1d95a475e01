// The main keyboard window's decisions: start-up, commands, register and close,
// and what the save, load and delete dialogs do. The window system is reached
// only through MainWindowView.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keymodel/key_catalogue.h"
#include "keymodel/key_store.h"
#include "keymodel/scancode_map.h"
#include "resources/resource_ids.h"
#include "savedsets/saved_set_table.h"
#include "savedsets/set_file_system.h"

namespace kivora {

namespace command {
inline constexpr int kRegister = IDM_REGISTER;
inline constexpr int kReset = IDM_RESET;
inline constexpr int kLoadSet = IDM_LOAD_SET;
inline constexpr int kSaveSet = IDM_SAVE_SET;
inline constexpr int kDeleteSet = IDM_DELETE_SET;
inline constexpr int kInvestigate = IDM_INVESTIGATE;
inline constexpr int kChangedKeyList = IDM_CHANGED_KEY_LIST;
inline constexpr int kAdminMode = IDM_ADMIN_MODE;
inline constexpr int kUserMode = IDM_USER_MODE;
inline constexpr int kHelp = IDM_HELP;
inline constexpr int kAbout = IDM_ABOUT;
inline constexpr int kExit = IDM_EXIT;
inline constexpr int kPauseKey = IdFromSlot(82);
}  // namespace command

// The modal dialogs the main window opens from its menu.
enum class Dialog { LoadSet, SaveSet, DeleteSet, Investigation, ChangedKeyList, About };

// The change dialog's answer: a key's id, 350 (disable), 349 with the scancode
// typed into the direct entry, or 0 when nothing was chosen.
struct ChangeChoice {
  int targetId = 0;
  Scancode typedScancode = 0;
};

struct CalendarDate {
  int year;
  int month;
  int day;
};

// What a saved-set dialog shows after one of its commands, in order, and whether
// it stays open afterwards.
struct SetDialogOutcome {
  std::vector<std::string> messages;
  bool stayOpen = false;
};

// The version Windows itself reports (major.minor), whatever the manifest says.
struct WindowsVersion {
  unsigned major = 0;
  unsigned minor = 0;
};

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual void ShowWarning(std::string_view text) = 0;
  virtual void ShowInformation(std::string_view text) = 0;
  // Over whichever of our windows is in front; true only for OK.
  virtual bool Ask(std::string_view question) = 0;
  virtual void SetTitle(std::string_view title) = 0;
  virtual void CheckModeItem(StoreKind mode) = 0;
  virtual void GreyAdminModeItem() = 0;
  virtual void LabelKeys(bool showChanges) = 0;
  virtual void DrawChangeMarks() = 0;
  virtual void EraseChangeMark(int slot) = 0;
  virtual void PostClose() = 0;
  virtual void Beep() = 0;
  virtual ChangeChoice RunChangeDialog(int sourceId) = 0;
  virtual void RunDialog(Dialog dialog) = 0;
  virtual bool SetShutdownPrivilege(bool enable) = 0;
  virtual bool RequestRestart() = 0;
  virtual WindowsVersion RunningWindowsVersion() = 0;
};

struct MainWindowState {
  StoreKind mode = StoreKind::Machine;
  bool dirty = false;  // changes on screen that are not registered
};

class MainWindow {
 public:
  MainWindow(KeyCatalogue& catalogue, SavedSetTable& savedSets, KeyStore& store,
             SetFileSystem& files, MainWindowView& view)
      : catalogue_(catalogue), savedSets_(savedSets), store_(store), files_(files), view_(view) {}

  // Everything of the start after the window is centred, has its icon and its
  // key buttons are subclassed.
  void Start(const FilePath& exeDirectory);
  void Command(int id);
  // WM_CLOSE: true when the window may end now.
  bool MayClose();

  // The saved-set dialogs' commands. `position` is the selected row (none
  // selected: nothing); `typedName` the name box's text in code page 932
  // bytes, or nothing when some character has no code there.
  SetDialogOutcome SaveSet(const std::optional<std::string>& typedName, CalendarDate today);
  SetDialogOutcome LoadSet(std::optional<std::size_t> position);
  SetDialogOutcome DeleteSet(std::optional<std::size_t> position);

  const MainWindowState& State() const { return state_; }

 private:
  void Register();
  void Reset();
  void SwitchMode(StoreKind mode);
  void ChangeKey(int sourceId);
  void EnterMode(StoreKind mode);
  // Once per read of a store: a value that could not be read, and the pairs
  // that no key shows.
  void TellWhatTheKeysDoNotShow(MapRead read);
  // False (and said) while kivora.ini cannot be read.
  bool SavedSetsReadable();
  // False (and said) while kivora.ini cannot be read, or holds what a rewrite
  // would lose.
  bool SavedSetsWritable();

  KeyCatalogue& catalogue_;
  SavedSetTable& savedSets_;
  KeyStore& store_;
  SetFileSystem& files_;
  MainWindowView& view_;
  MainWindowState state_;
  FilePath exeDirectory_;  // where kivora.ini is read back after a delete
};

// Command ids that stand for a key: the key buttons and the raw-scancode slots.
bool IsKeyCommand(int id);

}  // namespace kivora
