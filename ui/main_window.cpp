#include "ui/main_window.h"

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "savedsets/saved_set_file.h"
#include "ui/change_rules.h"
#include "ui/texts.h"

namespace kivora {
namespace {

// Since Windows 7 (6.1) the per-user Scancode Map is ignored: only the
// machine-wide value is applied.
bool AppliesOnlyMachineMap(WindowsVersion version) {
  return version.major > 6 || (version.major == 6 && version.minor >= 1);
}

}  // namespace

bool IsKeyCommand(int id) {
  // The investigation starts changes of the raw slots, which no dialog shows.
  return IsChangeTarget(id) || (id >= IdFromSlot(kFirstRawSlot) && id <= IdFromSlot(kLastRawSlot));
}

void MainWindow::EnterMode(StoreKind mode) {
  state_.mode = mode;
  view_.SetTitle(MainWindowTitle(mode));
  view_.CheckModeItem(mode);
}

void MainWindow::Start(const FilePath& exeDirectory) {
  exeDirectory_ = exeDirectory;
  MapRead read = ReadScancodeMap(catalogue_, store_, StoreKind::Machine);
  if (read != MapRead::StoreUnavailable) {
    EnterMode(StoreKind::Machine);
  } else {
    view_.ShowWarning(message::kMachineStoreUnreadable);
    read = ReadScancodeMap(catalogue_, store_, StoreKind::User);
    if (read != MapRead::StoreUnavailable) {
      view_.GreyAdminModeItem();
      EnterMode(StoreKind::User);
    } else {
      view_.ShowWarning(message::kNoStoreReadable);
      view_.SetTitle(kProductTitle);
      view_.PostClose();
      return;  // closing: nothing else to show or read
    }
  }
  view_.LabelKeys(true);
  view_.DrawChangeMarks();
  TellWhatTheKeysDoNotShow(read);
  // The picture shows the user's value, which Windows does not apply: say what it does.
  if (state_.mode == StoreKind::User && AppliesOnlyMachineMap(view_.RunningWindowsVersion())) {
    if (const std::size_t machine = StoredChangeCount(store_, StoreKind::Machine)) {
      view_.ShowInformation(MachineMapNote(machine));
    }
  }
  // A missing file just means no saved sets yet; one that cannot be read, or
  // that holds what a rewrite would lose, is said.
  if (!ReadSavedSetFile(savedSets_, files_, exeDirectory_)) {
    view_.ShowWarning(message::kSetFileReadFailed);
  } else if (savedSets_.foreign.kind != ForeignKind::None) {
    view_.ShowWarning(SetFileNotOursNote(savedSets_.foreign));
  }
}

void MainWindow::TellWhatTheKeysDoNotShow(MapRead read) {
  if (read == MapRead::ValueUnreadable) view_.ShowWarning(message::kStoredMapUnreadable);
  if (read == MapRead::Ambiguous) view_.ShowWarning(message::kStoredMapAmbiguous);
  if (!catalogue_.keptPairs.empty()) {
    view_.ShowInformation(KeptPairsNote(catalogue_.keptPairs.size()));
  }
}

bool MainWindow::SavedSetsReadable() {
  // Tried again: a file that another program held at start-up may be free now.
  if (savedSets_.unreadable && !ReadSavedSetFile(savedSets_, files_, exeDirectory_)) {
    view_.ShowWarning(message::kSetFileReadFailed);
    return false;
  }
  return true;
}

bool MainWindow::SavedSetsWritable() {
  // Read again too: the user may have mended the file or moved it away meanwhile.
  if (savedSets_.foreign.kind != ForeignKind::None) {
    ReadSavedSetFile(savedSets_, files_, exeDirectory_);
  }
  if (!SavedSetsReadable()) return false;
  if (savedSets_.foreign.kind == ForeignKind::None) return true;
  view_.ShowWarning(SetFileNotOursNote(savedSets_.foreign));
  return false;
}

void MainWindow::Command(int id) {
  switch (id) {
    case command::kRegister:
      Register();
      break;
    case command::kReset:
      Reset();
      state_.dirty = true;
      break;
    case command::kSaveSet:
      if (!SavedSetsWritable()) break;
      if (savedSets_.sets.size() >= kMaxSavedSets) {
        view_.ShowWarning(message::kTooManySets);
      } else {
        view_.RunDialog(Dialog::SaveSet);
      }
      break;
    case command::kLoadSet:
      if (SavedSetsReadable()) view_.RunDialog(Dialog::LoadSet);
      break;
    case command::kDeleteSet:
      if (SavedSetsWritable()) view_.RunDialog(Dialog::DeleteSet);
      break;
    case command::kInvestigate:
      view_.RunDialog(Dialog::Investigation);
      break;
    case command::kChangedKeyList:
      view_.RunDialog(Dialog::ChangedKeyList);
      break;
    case command::kAbout:
      view_.RunDialog(Dialog::About);
      break;
    case command::kAdminMode:
      SwitchMode(StoreKind::Machine);
      break;
    case command::kUserMode:
      SwitchMode(StoreKind::User);
      break;
    case command::kHelp:
      view_.ShowInformation(message::kHelp);
      break;
    case command::kExit:
      view_.PostClose();
      break;
    default:
      // Anything else, IDOK and IDCANCEL included, does nothing: Enter and Esc
      // never close the window.
      if (IsKeyCommand(id)) ChangeKey(id);
      break;
  }
}

bool MainWindow::MayClose() { return !state_.dirty || view_.Ask(message::kUnregisteredChanges); }

void MainWindow::Register() {
  if (!HasCtrlAltDelete(catalogue_)) {
    view_.ShowWarning(message::kCtrlAltDeleteNeeded);
    return;
  }
  if (!WriteScancodeMap(catalogue_, store_, state_.mode)) {
    view_.ShowWarning(message::kWriteFailed);
    return;
  }
  state_.dirty = false;
  // The user's value is written all the same: a roaming profile or a later
  // Windows may use it. A restart would apply nothing, so none is offered.
  if (state_.mode == StoreKind::User && AppliesOnlyMachineMap(view_.RunningWindowsVersion())) {
    view_.ShowWarning(message::kUserMapNotApplied);
    return;
  }
  if (!view_.Ask(message::kRestartQuestion)) return;
  view_.SetShutdownPrivilege(true);  // without it the request below fails and says so
  if (!view_.RequestRestart()) view_.ShowWarning(message::kRestartFailed);
  view_.SetShutdownPrivilege(false);
  view_.PostClose();
}

void MainWindow::Reset() {
  for (int slot : ResetAllChanges(catalogue_)) view_.EraseChangeMark(slot);
  view_.LabelKeys(false);
}

void MainWindow::SwitchMode(StoreKind mode) {
  if (mode == state_.mode) return;
  // Read into a copy, before asking: a store that cannot be opened is said and
  // leaves everything as it was.
  KeyCatalogue next = catalogue_;
  const std::vector<int> erased = ResetAllChanges(next);
  const MapRead read = ReadScancodeMap(next, store_, mode);
  if (read == MapRead::StoreUnavailable) return view_.ShowWarning(StoreUnavailableNote(mode));
  if (state_.dirty && !view_.Ask(message::kModeSwitchDropsChanges)) return;
  catalogue_ = std::move(next);
  for (int slot : erased) view_.EraseChangeMark(slot);
  view_.LabelKeys(false);
  EnterMode(mode);
  state_.dirty = false;  // the keys show the store as it is
  view_.LabelKeys(true);
  view_.DrawChangeMarks();
  TellWhatTheKeysDoNotShow(read);
}

void MainWindow::ChangeKey(int sourceId) {
  if (sourceId == command::kPauseKey) view_.ShowWarning(message::kPauseKey);
  const ChangeChoice choice = view_.RunChangeDialog(sourceId);
  if (choice.targetId == 0) return;
  if (choice.targetId == IDC_TYPED_SCANCODE) {
    catalogue_[kScancodeEntrySlot].scancode = choice.typedScancode;
  }
  view_.Beep();
  state_.dirty = true;
  const ChangeOutcome outcome = ApplyChange(catalogue_, sourceId, choice.targetId);
  if (outcome == ChangeOutcome::Ignored) return;
  if (outcome == ChangeOutcome::Cleared) view_.EraseChangeMark(SlotFromId(sourceId));
  view_.LabelKeys(true);
  view_.DrawChangeMarks();
}

}  // namespace kivora
