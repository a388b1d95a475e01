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

// Records what the window was asked to do, in order, and answers from scripts.
class FakeView : public MainWindowView {
 public:
  std::vector<std::string> log;
  std::deque<bool> answers;       // for Ask; an empty script answers Cancel
  std::deque<int> changeChoices;  // for RunChangeDialog
  bool restartSucceeds = true;

  void ShowWarning(std::string_view text) override { log.push_back("warn " + std::string(text)); }
  void ShowInformation(std::string_view text) override {
    log.push_back("info " + std::string(text));
  }
  bool Ask(std::string_view question) override {
    log.push_back("ask " + std::string(question));
    bool answer = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  void SetTitle(std::string_view title) override { log.push_back("title " + std::string(title)); }
  void CheckModeItem(StoreKind mode) override {
    log.push_back(mode == StoreKind::Machine ? "check 60" : "check 61");
  }
  void GreyAdminModeItem() override { log.push_back("grey 60"); }
  void ComputeMarkOrigin() override { log.push_back("origin"); }
  void LabelKeys(bool showChanges) override { log.push_back(showChanges ? "label+" : "label-"); }
  void DrawChangeMarks() override { log.push_back("marks"); }
  void EraseChangeMark(int slot) override { log.push_back("erase " + std::to_string(slot)); }
  void PostClose() override { log.push_back("close"); }
  void Beep() override { log.push_back("beep"); }
  int RunChangeDialog() override {
    log.push_back("change");
    int choice = changeChoices.empty() ? 0 : changeChoices.front();
    if (!changeChoices.empty()) changeChoices.pop_front();
    return choice;
  }
  void RunDialog(int command) override { log.push_back("dialog " + std::to_string(command)); }
  bool SetShutdownPrivilege(bool enable) override {
    log.push_back(enable ? "privilege on" : "privilege off");
    return true;
  }
  bool RequestRestart() override {
    log.push_back("restart");
    return restartSucceeds;
  }
};

using Log = std::vector<std::string>;
const std::string kAdminTitle = "title Kivora キヴォラ v1.50   >> 管理者 <<";
const std::string kUserTitle = "title Kivora キヴォラ v1.50   >> ユーザー <<";

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
  EXPECT_EQ(sets.iniPath, std::filesystem::path("/exe/kivora.ini"));
}

TEST_F(MainWindowTest, FallsBackToTheUserStoreAndGreysAdminMode) {
  store.machine.openDenied = true;
  store.user.exists = true;
  store.user.value = {0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0x01, 0, 0, 0, 0, 0};
  window.Start("/exe");
  EXPECT_EQ(view.log, (Log{"warn " + std::string(message::kMachineStoreUnreadable), "grey 60",
                           kUserTitle, "check 61", "origin", "label+", "marks"}));
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
            (Log{"warn " + std::string(message::kMachineStoreUnreadable),
                 "warn " + std::string(message::kNoStoreReadable),
                 "title " + std::string(kProductTitle), "close", "origin", "label+", "marks"}));
  EXPECT_TRUE(window.MayClose());  // nothing changed: no question
}

TEST_F(MainWindowTest, AKeyChangeBeepsAppliesAndRedraws) {
  StartWith({});
  view.changeChoices = {IdFromSlot(69)};
  window.Command(IdFromSlot(43));
  EXPECT_EQ(view.log, (Log{"change", "beep", "label+", "marks"}));
  EXPECT_EQ(window.State().sourceId, IdFromSlot(43));
  EXPECT_EQ(catalogue[43].targetSlot, 69);
  EXPECT_TRUE(window.State().dirty);

  // Choosing the key itself clears the change and erases its mark.
  view.log.clear();
  view.changeChoices = {IdFromSlot(43)};
  window.Command(IdFromSlot(43));
  EXPECT_EQ(view.log, (Log{"change", "beep", "erase 43", "label+", "marks"}));
  EXPECT_FALSE(catalogue[43].IsChanged());
}

TEST_F(MainWindowTest, LeavingTheChangeDialogWithoutAChoiceChangesNothing) {
  StartWith({});
  window.Command(IdFromSlot(43));
  EXPECT_EQ(view.log, (Log{"change"}));
  EXPECT_FALSE(window.State().dirty);
  EXPECT_TRUE(window.MayClose());
}

TEST_F(MainWindowTest, PauseWarnsBeforeTheChangeDialog) {
  StartWith({});
  view.changeChoices = {IdFromSlot(1)};
  window.Command(command::kPauseKey);
  EXPECT_EQ(view.log,
            (Log{"warn " + std::string(message::kPauseKey), "change", "beep", "label+", "marks"}));
  EXPECT_EQ(catalogue[82].targetSlot, 1);
}

TEST_F(MainWindowTest, EnterEscapeAndUnknownCommandsDoNothing) {
  StartWith({});
  for (int id : {1, 2, 0, 57, 78, 199, 311, 348, 359, 370, 1000}) window.Command(id);
  EXPECT_TRUE(view.log.empty());
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
  view.changeChoices = {IdFromSlot(69)};
  window.Command(IdFromSlot(43));
  view.log.clear();
  view.answers = {true};
  window.Command(command::kRegister);
  EXPECT_EQ(view.log, (Log{"ask " + std::string(message::kRestartQuestion), "privilege on",
                           "restart", "privilege off", "close"}));
  EXPECT_EQ(Stored(StoreKind::Machine),
            (std::vector<std::uint8_t>{0, 0, 0,    0, 0,    0, 0, 0, 2, 0,
                                       0, 0, 0x1D, 0, 0x3A, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(window.State().dirty);
}

TEST_F(MainWindowTest, RegisterCancelledAtTheRestartQuestionKeepsTheWindowClean) {
  StartWith({});
  window.Command(command::kReset);
  view.log.clear();
  window.Command(command::kRegister);
  EXPECT_EQ(view.log, (Log{"ask " + std::string(message::kRestartQuestion)}));
  EXPECT_FALSE(window.State().dirty);
  EXPECT_TRUE(window.MayClose());
}

TEST_F(MainWindowTest, AFailedRestartIsReportedAndTheWindowStillCloses) {
  StartWith({});
  view.answers = {true};
  view.restartSucceeds = false;
  window.Command(command::kRegister);
  EXPECT_EQ(view.log,
            (Log{"ask " + std::string(message::kRestartQuestion), "privilege on", "restart",
                 "warn " + std::string(message::kRestartFailed), "privilege off", "close"}));
}

TEST_F(MainWindowTest, RegisterRefusesWithoutCtrlAndWhenTheWriteFails) {
  StartWith({{0x001D, 0}, {0xE01D, 0}});  // both Ctrl keys disabled
  window.Command(command::kReset);        // dirty, keys reset
  view.log.clear();
  window.Command(command::kAdminMode);  // back to the stored map
  view.log.clear();
  const auto before = Stored(StoreKind::Machine);
  window.Command(command::kRegister);
  EXPECT_EQ(view.log, (Log{"warn " + std::string(message::kCtrlAltDeleteNeeded)}));
  EXPECT_TRUE(window.State().dirty);

  view.changeChoices = {IdFromSlot(69)};
  window.Command(IdFromSlot(43));  // CapsLock gives Ctrl back
  store.machine.setFails = true;
  view.log.clear();
  window.Command(command::kRegister);
  EXPECT_EQ(view.log, (Log{"warn " + std::string(message::kWriteFailed)}));
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
  EXPECT_EQ(view.log, (Log{"dialog 53", "warn " + std::string(message::kTooManySets),
                           "info " + std::string(message::kHelp), "close"}));
}

}  // namespace
}  // namespace kivora
