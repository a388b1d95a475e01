#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "savedsets/set_operations.h"
#include "tests/unit/fakes.h"
#include "ui/texts.h"

namespace kivora {
namespace {

using testing::FakeKeyStore;
using testing::FakeSetFileSystem;
using testing::FileFault;
using Log = std::vector<std::string>;

// Records what the window was asked to do, in order, and answers from scripts:
// Ask pops `answers` (none left: Cancel), the change dialog pops `choices`.
class FakeView : public MainWindowView {
 public:
  Log log;
  std::deque<bool> answers;
  std::deque<ChangeChoice> choices;
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
  ChangeChoice RunChangeDialog(int id) override {
    return Say("change ", std::to_string(id)), Pop(choices);
  }
  void RunDialog(Dialog dialog) override { Say("dialog " + std::to_string(int(dialog))); }
  bool SetShutdownPrivilege(bool on) override {
    return Say(on ? "privilege on" : "privilege off"), true;
  }
  bool RequestRestart() override { return Say("restart"), restartSucceeds; }
  WindowsVersion RunningWindowsVersion() override { return version; }
};

std::string Warn(const char* text) { return std::string("warn ") + text; }
std::string Ask(const char* text) { return std::string("ask ") + text; }
const std::string kAdminTitle = "title " + MainWindowTitle(StoreKind::Machine);
const std::string kUserTitle = "title " + MainWindowTitle(StoreKind::User);
const Log kShown = {"origin", "label+", "marks"};
const Log kRelabelled = {"label+", "marks"};
// The machine store holds CapsLock -> Ctrl, the user store Esc disabled.
const std::vector<std::uint8_t> kCapsToCtrl = {0, 0, 0,    0, 0,    0, 0, 0, 2, 0,
                                               0, 0, 0x1D, 0, 0x3A, 0, 0, 0, 0, 0};
const std::vector<std::uint8_t> kEscDisabled = {0, 0, 0, 0, 0,    0, 0, 0, 2, 0,
                                                0, 0, 0, 0, 0x01, 0, 0, 0, 0, 0};

Log operator+(Log a, const Log& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store.machine = {.exists = true, .value = kCapsToCtrl};
    store.user = {.exists = true, .value = kEscDisabled};
  }
  KeyCatalogue catalogue;
  SavedSetTable sets;
  FakeKeyStore store;
  FakeSetFileSystem files;
  FakeView view;
  MainWindow window{catalogue, sets, store, files, view};
};

// Start-up, one row per state of the two stores: what the window says, the
// mode it ends in and which store's change it shows. No failure alters a store.
struct StartRow {
  const char* name;
  void (*fail)(FakeKeyStore&);
  Log log;
  StoreKind mode;
  int shownSlot;  // 43 from the machine store, 1 from the user's, 0 neither
};
void PrintTo(const StartRow& r, std::ostream* os) { *os << r.name; }
class MainWindowStart : public MainWindowTest, public ::testing::WithParamInterface<StartRow> {};

TEST_P(MainWindowStart, ReadsTheStoreItCan) {
  const StartRow& row = GetParam();
  row.fail(store);
  files.files["/exe/kivora.ini"] = "name=one\r\n";
  window.Start("/exe");
  EXPECT_EQ(view.log, row.log) << row.name;
  EXPECT_EQ(window.State().mode, row.mode) << row.name;
  EXPECT_EQ(catalogue[43].IsChanged(), row.shownSlot == 43) << row.name;
  EXPECT_EQ(catalogue[1].IsChanged(), row.shownSlot == 1) << row.name;
  EXPECT_EQ(store.machine.value, kCapsToCtrl) << row.name;
  EXPECT_EQ(store.user.value, kEscDisabled) << row.name;
  EXPECT_EQ(sets.sets.size(), 1u) << row.name;  // read in every case
  EXPECT_TRUE(window.MayClose()) << row.name;   // nothing changed: no question
}

const std::string kFallback = Warn(message::kMachineStoreUnreadable);
INSTANTIATE_TEST_SUITE_P(
    EveryStore, MainWindowStart,
    ::testing::Values(
        StartRow{"machine", [](FakeKeyStore&) {}, Log{kAdminTitle, "check 60"} + kShown,
                 StoreKind::Machine, 43},
        // An unreadable value reads as no changes: nothing to warn about.
        StartRow{"machineQueryFails", [](FakeKeyStore& s) { s.machine.queryFails = true; },
                 Log{kAdminTitle, "check 60"} + kShown, StoreKind::Machine, 0},
        StartRow{"machineDenied", [](FakeKeyStore& s) { s.machine.openDenied = true; },
                 Log{kFallback, "grey 60", kUserTitle, "check 61"} + kShown, StoreKind::User, 1},
        StartRow{"machineMissingCreateDenied",
                 [](FakeKeyStore& s) {
                   s.machine = {.exists = false, .createDenied = true, .value = kCapsToCtrl};
                 },
                 Log{kFallback, "grey 60", kUserTitle, "check 61"} + kShown, StoreKind::User, 1},
        StartRow{"bothDenied",
                 [](FakeKeyStore& s) { s.machine.openDenied = s.user.openDenied = true; },
                 Log{kFallback, Warn(message::kNoStoreReadable),
                     "title " + std::string(kProductTitle), "close"} +
                     kShown,
                 StoreKind::Machine, 0}),
    [](const ::testing::TestParamInfo<StartRow>& test) { return test.param.name; });

// The commands after a start in admin mode with CapsLock -> Ctrl, one row per
// rule: the view's transcript, the dirty flag, the mode, and whether a store
// was written.
inline constexpr int kMayClose = -1;  // not a command: asks MayClose instead

struct CommandRow {
  const char* name;
  std::vector<int> commands;
  Log log;
  bool dirty = false;
  StoreKind mode = StoreKind::Machine;
  bool written = false;
  void (*script)(FakeView&, FakeKeyStore&) = [](FakeView&, FakeKeyStore&) {};
};
void PrintTo(const CommandRow& r, std::ostream* os) { *os << r.name; }
class MainWindowCommand : public MainWindowTest,
                          public ::testing::WithParamInterface<CommandRow> {};

TEST_P(MainWindowCommand, FollowsItsRule) {
  const CommandRow& row = GetParam();
  window.Start("/exe");
  view.log.clear();
  row.script(view, store);
  for (int id : row.commands) {
    if (id == kMayClose) {
      view.Say(window.MayClose() ? "may close" : "stays");
    } else {
      window.Command(id);
    }
  }
  EXPECT_EQ(view.log, row.log) << row.name;
  EXPECT_EQ(window.State().dirty, row.dirty) << row.name;
  EXPECT_EQ(window.State().mode, row.mode) << row.name;
  EXPECT_EQ(store.machine.value != kCapsToCtrl || store.user.value != kEscDisabled, row.written)
      << row.name;
}

const std::string k43 = "change " + std::to_string(IdFromSlot(43));
const Log kChanged = Log{k43, "beep"} + kRelabelled;
const std::string kRestart = Ask(message::kRestartQuestion);
void ChooseCtrl(FakeView& v, FakeKeyStore&) { v.choices = {{IdFromSlot(69)}}; }  // left Ctrl

INSTANTIATE_TEST_SUITE_P(
    EveryRule, MainWindowCommand,
    ::testing::Values(
        CommandRow{"keyWithoutChoice", {IdFromSlot(43)}, {k43}},
        // Enter, Escape and ids that are no command do nothing at all.
        CommandRow{"noCommands", {1, 2, 0, 57, 78, 199, 311, 348, 359, 370, 1000}, {}},
        CommandRow{"keyChanged",
                   {IdFromSlot(44)},
                   Log{"change 244", "beep"} + kRelabelled,
                   true,
                   StoreKind::Machine,
                   false,
                   ChooseCtrl},
        CommandRow{"keyClearedBySelf",
                   {IdFromSlot(43)},
                   Log{k43, "beep", "erase 43"} + kRelabelled,
                   true,
                   StoreKind::Machine,
                   false,
                   [](FakeView& v, FakeKeyStore&) { v.choices = {{IdFromSlot(43)}}; }},
        CommandRow{"pauseWarnsFirst",
                   {command::kPauseKey},
                   Log{Warn(message::kPauseKey), "change 282", "beep"} + kRelabelled,
                   true,
                   StoreKind::Machine,
                   false,
                   ChooseCtrl},
        CommandRow{"rawSlotFromInvestigation",
                   {IdFromSlot(kFirstRawSlot)},
                   Log{"change 360", "beep"} + kRelabelled,
                   true,
                   StoreKind::Machine,
                   false,
                   ChooseCtrl},
        CommandRow{"resetAlwaysDirty",
                   {command::kReset, command::kReset, kMayClose, kMayClose},
                   {"erase 43", "label-", "label-", Ask(message::kUnregisteredChanges), "stays",
                    Ask(message::kUnregisteredChanges), "may close"},
                   true,
                   StoreKind::Machine,
                   false,
                   [](FakeView& v, FakeKeyStore&) {
                     v.answers = {false, true};
                   }},
        CommandRow{"registerThenCancelRestart",
                   {IdFromSlot(44), command::kRegister, kMayClose},
                   Log{"change 244", "beep"} + kRelabelled + Log{kRestart, "may close"},
                   false,
                   StoreKind::Machine,
                   true,
                   ChooseCtrl},
        CommandRow{"registerAndRestart",
                   {command::kRegister},
                   {kRestart, "privilege on", "restart", "privilege off", "close"},
                   false,
                   StoreKind::Machine,
                   false,
                   [](FakeView& v, FakeKeyStore&) { v.answers = {true}; }},
        // The window closes all the same: the value is registered.
        CommandRow{"restartRefused",
                   {command::kRegister},
                   {kRestart, "privilege on", "restart", Warn(message::kRestartFailed),
                    "privilege off", "close"},
                   false,
                   StoreKind::Machine,
                   false,
                   [](FakeView& v, FakeKeyStore&) {
                     v.answers = {true};
                     v.restartSucceeds = false;
                   }},
        // Both Ctrl keys and CapsLock made Esc: no key gives Ctrl any more.
        CommandRow{"registerWithoutCtrl",
                   {IdFromSlot(69), IdFromSlot(79), IdFromSlot(43), command::kRegister},
                   Log{"change 269", "beep"} + kRelabelled + Log{"change 279", "beep"} +
                       kRelabelled + kChanged + Log{Warn(message::kCtrlAltDeleteNeeded)},
                   true,
                   StoreKind::Machine,
                   false,
                   [](FakeView& v, FakeKeyStore&) {
                     v.choices = {{IdFromSlot(1)}, {IdFromSlot(1)}, {IdFromSlot(1)}};
                   }},
        CommandRow{"registerWriteFails",
                   {IdFromSlot(44), command::kRegister},
                   Log{"change 244", "beep"} + kRelabelled + Log{Warn(message::kWriteFailed)},
                   true,
                   StoreKind::Machine,
                   false,
                   [](FakeView& v, FakeKeyStore& s) {
                     ChooseCtrl(v, s);
                     s.machine.setFails = true;
                   }},
        // Since Windows 7 only the machine-wide value changes keys: the user's
        // value is written all the same, but no restart is offered for it.
        CommandRow{"registerUserModeOn7",
                   {command::kUserMode, IdFromSlot(44), command::kRegister},
                   Log{"erase 43", "label-", kUserTitle, "check 61"} + kRelabelled +
                       Log{"change 244", "beep"} + kRelabelled +
                       Log{Warn(message::kUserMapNotApplied)},
                   false,
                   StoreKind::User,
                   true,
                   [](FakeView& v, FakeKeyStore& s) {
                     ChooseCtrl(v, s);
                     v.version = {6, 1};
                   }},
        CommandRow{"registerUserModeOnVista",
                   {command::kUserMode, IdFromSlot(44), command::kRegister},
                   Log{"erase 43", "label-", kUserTitle, "check 61"} + kRelabelled +
                       Log{"change 244", "beep"} + kRelabelled + Log{kRestart},
                   false,
                   StoreKind::User,
                   true,
                   [](FakeView& v, FakeKeyStore& s) {
                     ChooseCtrl(v, s);
                     v.version = {6, 0};
                   }},
        CommandRow{"switchToUser",
                   {command::kUserMode},
                   Log{"erase 43", "label-", kUserTitle, "check 61"} + kRelabelled,
                   false,
                   StoreKind::User},
        CommandRow{"switchToUnreadableStays",
                   {command::kUserMode},
                   {"erase 43", "label-"},
                   false,
                   StoreKind::Machine,
                   false,
                   [](FakeView&, FakeKeyStore& s) { s.user.openDenied = true; }},
        CommandRow{
            "dialogs",
            {command::kLoadSet, command::kSaveSet, command::kDeleteSet, command::kInvestigate,
             command::kChangedKeyList, command::kAbout, command::kHelp, command::kExit},
            {"dialog 0", "dialog 1", "dialog 2", "dialog 3", "dialog 4", "dialog 5",
             "info " + std::string(message::kHelp), "close"}}),
    [](const ::testing::TestParamInfo<CommandRow>& test) { return test.param.name; });

TEST_F(MainWindowTest, TypedScancodeIsKeptInItsSlotAndSavingNeedsRoom) {
  window.Start("/exe");
  view.choices = {{IDC_TYPED_SCANCODE, 0x0059}};
  window.Command(IdFromSlot(44));
  EXPECT_EQ(catalogue[kScancodeEntrySlot].scancode, 0x0059);
  EXPECT_EQ(catalogue[44].targetScancode, 0x0059);

  sets.sets.resize(kMaxSavedSets);
  view.log.clear();
  window.Command(command::kSaveSet);
  EXPECT_EQ(view.log, Log{Warn(message::kTooManySets)});
}

// The save, load and delete commands, one row per branch. Every row starts from
// two saved sets, "one" (Esc disabled) and "two", with CapsLock -> Ctrl on the keys.
struct SetCommandRow {
  const char* name;
  SetDialogOutcome (*run)(MainWindow&, FakeView&, FakeSetFileSystem&);
  std::vector<std::string_view> messages;
  bool stayOpen;
  std::vector<std::string> namesAfter;
  bool fileRewritten;
  bool keysReplaced = false;  // by set "one", unregistered
};
void PrintTo(const SetCommandRow& r, std::ostream* os) { *os << r.name; }
class SetCommand : public MainWindowTest, public ::testing::WithParamInterface<SetCommandRow> {};

const std::string kTwoSets =
    "name=one                 2026.01.01\r\nchg=    1    0\r\n"
    "name=two                 2026.01.02\r\n";

TEST_P(SetCommand, ShowsAndKeepsWhatItShould) {
  const SetCommandRow& row = GetParam();
  files.files["/exe/kivora.ini"] = kTwoSets;
  window.Start("/exe");
  view.log.clear();
  const SetDialogOutcome outcome = row.run(window, view, files);

  EXPECT_EQ(outcome.messages, row.messages) << row.name;
  EXPECT_EQ(outcome.stayOpen, row.stayOpen) << row.name;
  std::vector<std::string> names;
  for (const SavedKeySet& set : sets.sets) names.push_back(set.name);
  EXPECT_EQ(names, row.namesAfter) << row.name;
  EXPECT_EQ(files.files["/exe/kivora.ini"] != kTwoSets, row.fileRewritten) << row.name;
  EXPECT_FALSE(files.files.contains("/exe/kivora.tmp")) << row.name;
  EXPECT_EQ(catalogue[1].targetSlot == kDisableSlot, row.keysReplaced) << row.name;
  EXPECT_EQ(catalogue[43].IsChanged(), !row.keysReplaced) << row.name;
  EXPECT_TRUE(!row.keysReplaced || window.State().dirty) << row.name;
}

constexpr CalendarDate kToday{2026, 12, 7};
const std::vector<std::string> kOneTwo = {"one", "two"};
using Msgs = std::vector<std::string_view>;
using FakeFiles = FakeSetFileSystem;

INSTANTIATE_TEST_SUITE_P(
    EveryBranch, SetCommand,
    ::testing::Values(
        SetCommandRow{
            "saveNotStorable",
            [](MainWindow& w, FakeView&, FakeFiles&) { return w.SaveSet(std::nullopt, kToday); },
            Msgs{message::kSetNameNotStorable}, true, kOneTwo, false},
        SetCommandRow{"saveEmptyName",
                      [](MainWindow& w, FakeView&, FakeFiles&) { return w.SaveSet("", kToday); },
                      Msgs{}, false, kOneTwo, false},
        SetCommandRow{"saveNew",
                      [](MainWindow& w, FakeView&, FakeFiles& f) {
                        auto out = w.SaveSet("three", kToday);
                        EXPECT_EQ(
                            f.files["/exe/kivora.ini"],
                            kTwoSets + "name=three               2026.12.07\r\nchg=   58   29\r\n");
                        return out;
                      },
                      Msgs{},
                      false,
                      {"one", "two", "three"},
                      true},
        // Letter case and a trailing blank make another name.
        SetCommandRow{
            "saveOtherCaseIsNew",
            [](MainWindow& w, FakeView&, FakeFiles&) { return w.SaveSet("One ", kToday); },
            Msgs{},
            false,
            {"one", "two", "One "},
            true},
        SetCommandRow{"saveNameCutTo20Bytes",
                      [](MainWindow& w, FakeView&, FakeFiles&) {
                        return w.SaveSet("123456789012345678901234", kToday);
                      },
                      Msgs{},
                      false,
                      {"one", "two", "12345678901234567890"},
                      true},
        SetCommandRow{"saveExistingCancelled",
                      [](MainWindow& w, FakeView& v, FakeFiles&) {
                        auto out = w.SaveSet("two", kToday);
                        EXPECT_EQ(v.log, Log{Ask(message::kSetNameExists)});
                        return out;
                      },
                      Msgs{}, true, kOneTwo, false},
        SetCommandRow{"saveExistingOverwritten",
                      [](MainWindow& w, FakeView& v, FakeFiles& f) {
                        v.answers = {true};
                        auto out = w.SaveSet("one", kToday);
                        EXPECT_EQ(f.files["/exe/kivora.ini"],
                                  "name=one                 2026.12.07\r\nchg=   58   29\r\n"
                                  "name=two                 2026.01.02\r\n");
                        return out;
                      },
                      Msgs{}, false, kOneTwo, true},
        // The table keeps the set for the next write.
        SetCommandRow{"saveWriteFails",
                      [](MainWindow& w, FakeView&, FakeFiles& f) {
                        f.fault = FileFault::Flush;
                        return w.SaveSet("three", kToday);
                      },
                      Msgs{message::kSetFileWriteFailed},
                      false,
                      {"one", "two", "three"},
                      false},
        // Refused whole rather than cut to the 100 pairs a set holds.
        SetCommandRow{"saveMoreThan100Pairs",
                      [](MainWindow& w, FakeView& v, FakeFiles&) {
                        for (int slot = 2; slot <= 102; ++slot) {
                          v.choices = {{IdFromSlot(kDisableSlot)}};
                          w.Command(IdFromSlot(slot));
                        }
                        return w.SaveSet("three", kToday);
                      },
                      Msgs{message::kTooManyPairs}, false, kOneTwo, false, false},
        SetCommandRow{"loadNothingSelected",
                      [](MainWindow& w, FakeView&, FakeFiles&) { return w.LoadSet(std::nullopt); },
                      Msgs{}, false, kOneTwo, false},
        SetCommandRow{"loadReplacesEveryChange",
                      [](MainWindow& w, FakeView& v, FakeFiles&) {
                        auto out = w.LoadSet(0);
                        EXPECT_EQ(v.log.size(), 152u);  // relabel, 150 erasures, marks
                        EXPECT_EQ(v.log[1], "erase 1");
                        EXPECT_EQ(v.log[150], "erase 150");
                        EXPECT_EQ(v.log.back(), "marks");
                        return out;
                      },
                      Msgs{message::kSetLoaded}, false, kOneTwo, false, true},
        SetCommandRow{
            "deleteNothingSelected",
            [](MainWindow& w, FakeView&, FakeFiles&) { return w.DeleteSet(std::nullopt); }, Msgs{},
            false, kOneTwo, false},
        SetCommandRow{"deleteFirst",
                      [](MainWindow& w, FakeView&, FakeFiles&) { return w.DeleteSet(0); },
                      Msgs{},
                      false,
                      {"two"},
                      true},
        // Read back: the set is there again and no deleted flag is left.
        SetCommandRow{"deleteWriteFails",
                      [](MainWindow& w, FakeView&, FakeFiles& f) {
                        f.fault = FileFault::Replace;
                        return w.DeleteSet(1);
                      },
                      Msgs{message::kSetFileWriteFailed}, false, kOneTwo, false},
        SetCommandRow{"deleteReadBackFails",
                      [](MainWindow& w, FakeView&, FakeFiles& f) {
                        f.fault = FileFault::Read;
                        return w.DeleteSet(1);
                      },
                      Msgs{message::kSetFileReadFailed},
                      false,
                      {},
                      true}),
    [](const ::testing::TestParamInfo<SetCommandRow>& test) { return test.param.name; });

TEST(SetOperations, ListRowsPadTheNameToTwentyBytes) {
  const std::string wide = "\x95\x5C\x83\x4C";  // 表キ: four bytes, two characters
  EXPECT_EQ(SetListRow({.name = wide, .date = "2026.12.06"}),
            wide + std::string(16, ' ') + "\t2026.12.06");
}

TEST(SetOperations, LoadingFreesTheRawSlots) {
  KeyCatalogue c;
  RecordPair(c, {.from = 0x0056, .to = 0x001E});
  LoadSet(c, {.name = "s", .pairs = {{0x0059, 0x0001}}});
  EXPECT_EQ(c.rawCount, 1);  // the old raw slot was freed, the new pair took slot 160
  EXPECT_EQ(c[kFirstRawSlot].scancode, 0x0059);
}

}  // namespace
}  // namespace kivora
