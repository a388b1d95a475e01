// The main window's side of the save, load and delete dialogs: what each
// command does to the sets, the keys and kivora.ini, and what the dialog shows.
#include "keymodel/mapping_operations.h"
#include "savedsets/saved_set_file.h"
#include "savedsets/set_name.h"
#include "savedsets/set_operations.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace kivora {
namespace {

// What a save or delete shows when kivora.ini was not written.
std::optional<std::string> WriteFailure(SetFileWrite result) {
  switch (result) {
    case SetFileWrite::Written:
      return std::nullopt;
    case SetFileWrite::NotCreated:
      return message::kTemporaryNotCreated;
    case SetFileWrite::ChangedMeanwhile:
      return message::kSetFileChangedMeanwhile;
    case SetFileWrite::NotOurs:  // the commands open no set dialog then: said before
    case SetFileWrite::Failed:
      break;
  }
  return message::kSetFileWriteFailed;
}

}  // namespace

SetDialogOutcome MainWindow::SaveSet(const std::optional<std::string>& typedName,
                                     CalendarDate today) {
  // A name is stored as typed or not at all: the user picks another.
  if (!typedName) return {.messages = {message::kSetNameNotStorable}, .stayOpen = true};
  // Blanks at the end (an IME often leaves one) would be gone at the next read,
  // or make a second set that looks like the first; blanks alone are no name.
  const std::string name(WithoutTypedBlanks(*typedName));
  if (name.empty()) return {};
  if (!FitsSetName(name)) return {.messages = {message::kSetNameTooLong}, .stayOpen = true};
  const auto pairs = MappingAsPairs(catalogue_);
  if (!pairs) return {.messages = {message::kTooManyPairs}};
  const auto existing = FindSetByName(savedSets_, name);
  // Cancel keeps the dialog open with the name as typed.
  if (existing && !view_.Ask(message::kSetNameExists)) return {.messages = {}, .stayOpen = true};
  // The table takes the set only once kivora.ini holds it.
  SavedSetTable saved = savedSets_;
  PutSet(saved, existing.value_or(saved.sets.size()),
         {.name = name, .date = SaveDate(today.year, today.month, today.day), .pairs = *pairs});
  const SetFileWrite written = WriteSavedSetFile(saved, files_);
  // Read again what another program wrote meanwhile: the user then saves over that.
  if (written == SetFileWrite::ChangedMeanwhile) {
    ReadSavedSetFile(savedSets_, files_, exeDirectory_);
  }
  if (auto failure = WriteFailure(written)) return {.messages = {std::move(*failure)}};
  savedSets_ = std::move(saved);
  return {};
}

SetDialogOutcome MainWindow::LoadSet(std::optional<std::size_t> position) {
  if (!position || *position >= savedSets_.sets.size()) return {};
  kivora::LoadSet(catalogue_, savedSets_.sets[*position]);
  view_.LabelKeys(true);
  for (int slot = kFirstKeySlot; slot <= kDisableSlot; ++slot) view_.EraseChangeMark(slot);
  view_.DrawChangeMarks();
  state_.dirty = true;  // loaded is not registered
  SetDialogOutcome outcome{.messages = {message::kSetLoaded}};
  if (!catalogue_.keptPairs.empty()) {
    outcome.messages.push_back(KeptPairsNote(catalogue_.keptPairs.size()));
  }
  return outcome;
}

SetDialogOutcome MainWindow::DeleteSet(std::optional<std::size_t> position) {
  if (!position || *position >= savedSets_.sets.size()) return {};
  SetDialogOutcome outcome;
  savedSets_.deleted[*position] = true;
  if (auto failure = WriteFailure(WriteSavedSetFile(savedSets_, files_))) {
    outcome.messages.push_back(std::move(*failure));
  }
  // Read back whatever the write did: the table then matches the file again.
  if (!ReadSavedSetFile(savedSets_, files_, exeDirectory_)) {
    outcome.messages.push_back(message::kSetFileReadFailed);
  }
  return outcome;
}

}  // namespace kivora
