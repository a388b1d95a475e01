#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "tests/unit/fakes.h"
#include "ui/texts.h"

namespace kivora {
namespace {

using testing::FakeKeyStore;
using testing::FakeSetFileSystem;

// Records what the window was asked to do, in order, and answers from scripts:
// Ask pops `answers` (none left: Cancel), the change dialog pops `choices`.
class FakeView : public MainWindowView {
 public:
  std::vector<std::string> log;
  std::deque<bool> answers;
  std::deque<int> choices;
  bool restartSucceeds = true;
  WindowsVersion version{10, 0};

  void Say(std::string what, std::string_view text = {}) { log.push_back(what += text); }
  template <typename T>
  static T Pop(std::deque<T>& script) {
    if (script.empty()) return T{};
    T value = script.front();
    script.pop_front();
    return value;
  }
  void ShowWarning(std::string_view text) override { Say("warn ", text); }
  void ShowInformation(std::string_view text) override { Say("info ", text); }
  bool Ask(std::string_view question) override { return Say("ask ", question), Pop(answers); }
  void SetTitle(std::string_view title) override { Say("title ", title); }
  void CheckModeItem(StoreKind m) override {
    Say(m == StoreKind::Machine ? "check 60" : "check 61");
  }
  void GreyAdminModeItem() override { Say("grey 60"); }
  void ComputeMarkOrigin() override { Say("origin"); }
  void LabelKeys(bool showChanges) override { Say(showChanges ? "label+" : "label-"); }
  void DrawChangeMarks() override { Say("marks"); }
  void EraseChangeMark(int slot) override { Say("erase " + std::to_string(slot)); }
  void PostClose() override { Say("close"); }
  void Beep() override { Say("beep"); }
  int RunChangeDialog() override { return Say("change"), Pop(choices); }
  void RunDialog(int command) override { Say("dialog " + std::to_string(command)); }
  bool SetShutdownPrivilege(bool on) override {
    return Say(on ? "privilege on" : "privilege off"), true;
  }
  bool RequestRestart() override { return Say("restart"), restartSucceeds; }
  WindowsVersion RunningWindowsVersion() override { return version; }
};

using Log = std::vector<std::string>;
const std::string kAdminTitle = "title Kivora キヴォラ v1.50   >> 管理者 <<";
const std::string kUserTitle = "title Kivora キヴォラ v1.50   >> ユーザー <<";
std::string Warn(const char* text) { return std::string("warn ") + text; }

class MainWindowTest : public ::testing::Test {
 protected:
  void StartWith(std::initializer_list<ScancodePair> machinePairs) {
    KeyCatalogue preset;
    for (ScancodePair p : machinePairs) RecordPair(preset, p);
    store.machine.exists = true;
    WriteScancodeMap(preset, store, StoreKind::Machine);
    window.Start("/exe");
    view.log.clear();
  }
  std::vector<std::uint8_t> Stored(StoreKind kind) { return *store.Of(kind).value; }

  KeyCatalogue catalogue;
  SavedSetTable sets;
  FakeKeyStore store;
  FakeSetFileSystem files;
  FakeView view;
  MainWindow window{catalogue, sets, store, files, view};
};

TEST_F(MainWindowTest, StartsInAdminModeWithTheStoredChanges) {
  store.machine.exists = true;
  store.machine.value = {0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0x1D, 0, 0x3A, 0, 0, 0, 0, 0};
  files.files["/exe/kivora.ini"] = "name=one\r\n";
  window.Start("/exe");
  EXPECT_EQ(view.log, (Log{kAdminTitle, "check 60", "origin", "label+", "marks"}));
  EXPECT_EQ(catalogue[43].targetSlot, 69);
  EXPECT_EQ(window.State().mode, StoreKind::Machine);
  ASSERT_EQ(sets.sets.size(), 1u);
  EXPECT_EQ(sets.iniPath, "/exe/kivora.ini");
}

TEST_F(MainWindowTest, FallsBackToTheUserStoreAndGreysAdminMode) {
  store.machine.openDenied = true;
  store.user.exists = true;
  store.user.value = {0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0x01, 0, 0, 0, 0, 0};
  window.Start("/exe");
  EXPECT_EQ(view.log, (Log{Warn(message::kMachineStoreUnreadable), "grey 60", kUserTitle,
                           "check 61", "origin", "label+", "marks"}));
  EXPECT_EQ(window.State().mode, StoreKind::User);
  EXPECT_EQ(catalogue[1].targetSlot, kDisableSlot);

  // Switching to user mode again re-reads the user store.
  view.log.clear();
  window.Command(command::kUserMode);
  EXPECT_EQ(view.log, (Log{"erase 1", "label-", kUserTitle, "check 61", "label+", "marks"}));
  EXPECT_EQ(catalogue[1].targetSlot, kDisableSlot);
}

TEST_F(MainWindowTest, ClosesAfterTellingWhenNoStoreCanBeRead) {
  store.machine.openDenied = true;
  store.user.openDenied = true;
  window.Start("/exe");
  EXPECT_EQ(view.log,
            (Log{Warn(message::kMachineStoreUnreadable), Warn(message::kNoStoreReadable),
                 "title " + std::string(kProductTitle), "close", "origin", "label+", "marks"}));
  EXPECT_TRUE(window.MayClose());  // nothing changed: no question
}

TEST_F(MainWindowTest, KeyCommands) {
  StartWith({});
  window.Command(IdFromSlot(43));  // the change dialog left without a choice
  EXPECT_EQ(view.log, (Log{"change"}));
  EXPECT_FALSE(window.State().dirty);
  // Enter, Escape and ids that are no command do nothing at all.
  for (int id : {1, 2, 0, 57, 78, 199, 311, 348, 359, 370, 1000}) window.Command(id);
  EXPECT_EQ(view.log.size(), 1u);

  view.log.clear();
  view.choices = {IdFromSlot(69)};
  window.Command(IdFromSlot(43));
  EXPECT_EQ(view.log, (Log{"change", "beep", "label+", "marks"}));
  EXPECT_EQ(window.State().sourceId, IdFromSlot(43));
  EXPECT_EQ(catalogue[43].targetSlot, 69);
  EXPECT_TRUE(window.State().dirty);

  // Choosing the key itself clears the change and erases its mark.
  view.log.clear();
  view.choices = {IdFromSlot(43)};
  window.Command(IdFromSlot(43));
  EXPECT_EQ(view.log, (Log{"change", "beep", "erase 43", "label+", "marks"}));
  EXPECT_FALSE(catalogue[43].IsChanged());

  // Pause warns first; the change is still made.
  view.log.clear();
  view.choices = {IdFromSlot(1)};
  window.Command(command::kPauseKey);
  EXPECT_EQ(view.log, (Log{Warn(message::kPauseKey), "change", "beep", "label+", "marks"}));
  EXPECT_EQ(catalogue[82].targetSlot, 1);
}

TEST_F(MainWindowTest, ResetSetsTheDirtyFlagEvenWithNothingChanged) {
  StartWith({{0x003A, 0x001D}});
  window.Command(command::kReset);
  EXPECT_EQ(view.log, (Log{"erase 43", "label-"}));
  window.Command(command::kReset);
  EXPECT_TRUE(window.State().dirty);
  view.log.clear();
  EXPECT_FALSE(window.MayClose());  // no answer scripted: Cancel keeps the window
  EXPECT_EQ(view.log, (Log{"ask " + std::string(message::kUnregisteredChanges)}));
  view.answers = {true};
  EXPECT_TRUE(window.MayClose());
}

TEST_F(MainWindowTest, RegisterWritesAsksAndRestarts) {
  StartWith({});
  view.choices = {IdFromSlot(69)};
  window.Command(IdFromSlot(43));
  view.log.clear();
  window.Command(command::kRegister);  // Cancel at the restart question
  const std::string restart = "ask " + std::string(message::kRestartQuestion);
  EXPECT_EQ(view.log, (Log{restart}));
  EXPECT_EQ(Stored(StoreKind::Machine),
            (std::vector<std::uint8_t>{0, 0, 0,    0, 0,    0, 0, 0, 2, 0,
                                       0, 0, 0x1D, 0, 0x3A, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(window.State().dirty);
  EXPECT_TRUE(window.MayClose());

  view.log.clear();
  view.answers = {true};
  window.Command(command::kRegister);
  EXPECT_EQ(view.log, (Log{restart, "privilege on", "restart", "privilege off", "close"}));

  // A failed restart request is reported; the window closes all the same.
  view.log.clear();
  view.answers = {true};
  view.restartSucceeds = false;
  window.Command(command::kRegister);
  EXPECT_EQ(view.log, (Log{restart, "privilege on", "restart", Warn(message::kRestartFailed),
                           "privilege off", "close"}));
}

// Since Windows 7 only the machine-wide value changes keys: a user-mode write
// is kept but said to change nothing, and no restart is offered.
struct RegisterOn {
  const char* name;
  StoreKind mode;
  WindowsVersion version;
  bool restartOffered;
};

TEST_F(MainWindowTest, RegisterTellsWhatWindowsWillApply) {
  for (const RegisterOn& row : {RegisterOn{"user, Vista", StoreKind::User, {6, 0}, true},
                                RegisterOn{"user, 7", StoreKind::User, {6, 1}, false},
                                RegisterOn{"user, 10", StoreKind::User, {10, 0}, false},
                                RegisterOn{"admin, 10", StoreKind::Machine, {10, 0}, true}}) {
    StartWith({});
    store.user = {.exists = true};
    if (row.mode == StoreKind::User) window.Command(command::kUserMode);
    view.choices = {IdFromSlot(69)};
    window.Command(IdFromSlot(43));
    view.version = row.version;
    view.log.clear();
    window.Command(command::kRegister);
    EXPECT_EQ(view.log, (Log{row.restartOffered ? "ask " + std::string(message::kRestartQuestion)
                                                : Warn(message::kUserMapNotApplied)}))
        << row.name;
    EXPECT_EQ(Stored(row.mode).size(), 20u) << row.name;
    EXPECT_FALSE(window.State().dirty) << row.name;
  }
}

TEST_F(MainWindowTest, RegisterRefusesWithoutCtrl) {
  StartWith({{0x001D, 0}, {0xE01D, 0}});  // both Ctrl keys disabled
  window.Command(command::kReset);        // dirty, keys reset
  view.log.clear();
  window.Command(command::kAdminMode);  // back to the stored map
  view.log.clear();
  const auto before = Stored(StoreKind::Machine);
  window.Command(command::kRegister);
  EXPECT_EQ(view.log, (Log{Warn(message::kCtrlAltDeleteNeeded)}));
  EXPECT_TRUE(window.State().dirty);
  EXPECT_EQ(Stored(StoreKind::Machine), before);
}

TEST_F(MainWindowTest, ModeSwitchReadsTheOtherStoreOrStaysPut) {
  StartWith({{0x003A, 0x001D}});
  store.user.exists = true;
  window.Command(command::kUserMode);
  EXPECT_EQ(view.log, (Log{"erase 43", "label-", kUserTitle, "check 61", "label+", "marks"}));
  EXPECT_EQ(window.State().mode, StoreKind::User);
  EXPECT_FALSE(catalogue[43].IsChanged());
  EXPECT_FALSE(window.State().dirty);  // a switch never sets it

  store.machine.openDenied = true;
  view.log.clear();
  window.Command(command::kAdminMode);  // unreadable: reset, nothing else
  EXPECT_EQ(view.log, (Log{"label-"}));
  EXPECT_EQ(window.State().mode, StoreKind::User);
}

TEST_F(MainWindowTest, SavingNeedsRoomForOneMoreSet) {
  StartWith({});
  sets.sets.resize(19);
  window.Command(command::kSaveSet);
  sets.sets.resize(20);
  window.Command(command::kSaveSet);
  window.Command(command::kHelp);
  window.Command(command::kExit);
  EXPECT_EQ(view.log, (Log{"dialog 53", Warn(message::kTooManySets),
                           "info " + std::string(message::kHelp), "close"}));
}

// One row per registry step that can fail, at start-up and at registering: the
// core operation's result, what the window says, the mode it ends in and what
// the stores and the keys hold afterwards.
struct RegistryFault {
  const char* name;
  bool atStart;  // else at registering, after CapsLock -> Ctrl was chosen
  void (*fail)(FakeKeyStore&);
  bool coreResult;  // ReadScancodeMap at start, WriteScancodeMap at registering
  std::vector<const char*> warnings;
  StoreKind mode;
  int shownSlot = 43;  // the changed key afterwards: 1 from the machine store, 43 from the user's
};
void PrintTo(const RegistryFault& f, std::ostream* os) { *os << f.name; }

class MainWindowRegistryFault : public MainWindowTest,
                                public ::testing::WithParamInterface<RegistryFault> {};

TEST_P(MainWindowRegistryFault, FailsClearlyAndLosesNothing) {
  const RegistryFault& row = GetParam();
  const std::vector<std::uint8_t> escDisabled = {0, 0, 0, 0, 0,    0, 0, 0, 2, 0,
                                                 0, 0, 0, 0, 0x01, 0, 0, 0, 0, 0};
  const std::vector<std::uint8_t> capsToCtrl = {0, 0, 0,    0, 0,    0, 0, 0, 2, 0,
                                                0, 0, 0x1D, 0, 0x3A, 0, 0, 0, 0, 0};
  store.machine = {.exists = true, .value = escDisabled};
  store.user = {.exists = true, .value = capsToCtrl};
  if (!row.atStart) {
    window.Start("/exe");
    view.choices = {IdFromSlot(69)};
    window.Command(IdFromSlot(43));
  }
  view.log.clear();
  row.fail(store);
  if (row.atStart) {
    window.Start("/exe");
  } else {
    window.Command(command::kRegister);
  }

  Log warnings;
  for (const std::string& line : view.log) {
    if (line.starts_with("warn ")) warnings.push_back(line);
  }
  Log expected;
  for (const char* text : row.warnings) expected.push_back(Warn(text));
  EXPECT_EQ(warnings, expected);
  EXPECT_EQ(window.State().mode, row.mode);
  // Neither store's value is ever lost or altered by a failure.
  EXPECT_EQ(store.machine.value, escDisabled);
  EXPECT_EQ(store.user.value, capsToCtrl);

  if (row.atStart) {
    // The keys show the store that was read, or nothing.
    EXPECT_EQ(catalogue[1].IsChanged(), row.shownSlot == 1);
    EXPECT_EQ(catalogue[43].IsChanged(), row.shownSlot == 43);
    KeyCatalogue fresh;
    EXPECT_EQ(ReadScancodeMap(fresh, store, StoreKind::Machine), row.coreResult);
  } else {
    EXPECT_EQ(catalogue[43].targetSlot, 69);  // the choice stays, to be registered later
    EXPECT_TRUE(window.State().dirty);
    EXPECT_EQ(WriteScancodeMap(catalogue, store, StoreKind::Machine), row.coreResult);
  }
}

void DenyMachine(FakeKeyStore& s) { s.machine.openDenied = true; }
void MachineMissingAndDenied(FakeKeyStore& s) {
  s.machine.exists = false;
  s.machine.createDenied = true;
}
void MachineQueryFails(FakeKeyStore& s) { s.machine.queryFails = true; }
void DenyBoth(FakeKeyStore& s) { s.machine.openDenied = s.user.openDenied = true; }
void MachineSetFails(FakeKeyStore& s) { s.machine.setFails = true; }

const char* const kUnreadable = message::kMachineStoreUnreadable;

INSTANTIATE_TEST_SUITE_P(
    EveryStep, MainWindowRegistryFault,
    ::testing::Values(
        RegistryFault{
            "startOpenAndCreate", true, DenyMachine, false, {kUnreadable}, StoreKind::User},
        RegistryFault{"startCreateMissingKey",
                      true,
                      MachineMissingAndDenied,
                      false,
                      {kUnreadable},
                      StoreKind::User},
        // An unreadable value reads as no changes: nothing to warn about.
        RegistryFault{"startQuery", true, MachineQueryFails, true, {}, StoreKind::Machine, 0},
        RegistryFault{"startBothStores",
                      true,
                      DenyBoth,
                      false,
                      {kUnreadable, message::kNoStoreReadable},
                      StoreKind::Machine,
                      0},
        RegistryFault{"registerOpenAndCreate",
                      false,
                      DenyMachine,
                      false,
                      {message::kWriteFailed},
                      StoreKind::Machine},
        RegistryFault{"registerCreateMissingKey",
                      false,
                      MachineMissingAndDenied,
                      false,
                      {message::kWriteFailed},
                      StoreKind::Machine},
        RegistryFault{"registerSet",
                      false,
                      MachineSetFails,
                      false,
                      {message::kWriteFailed},
                      StoreKind::Machine}),
    [](const ::testing::TestParamInfo<RegistryFault>& test) { return test.param.name; });

}  // namespace
}  // namespace kivora
