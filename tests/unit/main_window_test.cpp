#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <deque>

#include "keymodel/mapping_operations.h"
#include "savedsets/set_operations.h"
#include "tests/unit/fakes.h"
#include "ui/texts.h"

namespace kivora {
namespace {

using testing::FileFault;

// A short name for each text the window shows, so that a transcript reads as
// one line: "warn pause, change 282, beep, label+, marks".
std::string Tag(std::string_view text) {
  using namespace message;
  // clang-format off
  static const std::pair<std::string, const char*> tags[] = {
      {kMachineStoreUnreadable, "fallback"}, {kNoStoreReadable, "noStore"}, {kPauseKey, "pause"},
      {kUnregisteredChanges, "unregistered"}, {kRestartQuestion, "restart?"}, {kHelp, "help"},
      {kRestartFailed, "restartFailed"}, {kCtrlAltDeleteNeeded, "ctrlAltDel"},
      {kWriteFailed, "writeFailed"}, {kUserMapNotApplied, "userMap"}, {kTooManySets, "twenty"},
      {kSetNameExists, "exists?"}, {kSetLoaded, "loaded"}, {kSetNameNotStorable, "notStorable"},
      {kTooManyPairs, "tooMany"}, {kSetFileWriteFailed, "notWritten"}, {kProductTitle, "bare"},
      {kSetFileReadFailed, "notRead"}, {MainWindowTitle(StoreKind::Machine), "admin"},
      {MainWindowTitle(StoreKind::User), "user"}};
  // clang-format on
  for (const auto& [shown, tag] : tags) {
    if (shown == text) return tag;
  }
  return std::string(text);
}

// Records what the window asks of it and answers from scripts: Ask pops
// `answers` (none left: Cancel), the change dialog pops `choices`.
class FakeView : public MainWindowView {
 public:
  std::string log;
  std::deque<bool> answers;
  std::deque<ChangeChoice> choices;
  bool restartSucceeds = true;
  WindowsVersion version{10, 0};

  void Say(const std::string& what) { log += (log.empty() ? "" : ", ") + what; }
  template <typename T>
  static T Pop(std::deque<T>& script) {
    const T value = script.empty() ? T{} : script.front();
    if (!script.empty()) script.pop_front();
    return value;
  }
  void ShowWarning(std::string_view text) override { Say("warn " + Tag(text)); }
  void ShowInformation(std::string_view text) override { Say("info " + Tag(text)); }
  bool Ask(std::string_view text) override { return Say("ask " + Tag(text)), Pop(answers); }
  void SetTitle(std::string_view title) override { Say("title " + Tag(title)); }
  void CheckModeItem(StoreKind m) override { Say(m == StoreKind::User ? "check 61" : "check 60"); }
  void GreyAdminModeItem() override { Say("grey 60"); }
  void LabelKeys(bool showChanges) override { Say(showChanges ? "label+" : "label-"); }
  void DrawChangeMarks() override { Say("marks"); }
  // A run of slots reads as one range: "erase 1..150".
  void EraseChangeMark(int slot) override {
    const std::string before = std::to_string(slot - 1);
    if (log.ends_with(".." + before)) {
      log.resize(log.size() - before.size() - 2);
    } else if (!log.ends_with("erase " + before)) {
      return Say("erase " + std::to_string(slot));
    }
    log += ".." + std::to_string(slot);
  }
  void PostClose() override { Say("close"); }
  void Beep() override { Say("beep"); }
  ChangeChoice RunChangeDialog(int id) override {
    return Say("change " + std::to_string(id)), Pop(choices);
  }
  void RunDialog(Dialog dialog) override { Say("dialog " + std::to_string(int(dialog))); }
  bool SetShutdownPrivilege(bool on) override { return Say(on ? "priv on" : "priv off"), true; }
  bool RequestRestart() override { return Say("restart"), restartSucceeds; }
  WindowsVersion RunningWindowsVersion() override { return version; }
};

// The machine store holds CapsLock -> Ctrl, the user's Esc disabled, and
// kivora.ini the sets "one" (Esc disabled) and "two".
const std::vector<std::uint8_t> kCapsToCtrl = {0, 0, 0,    0, 0,    0, 0, 0, 2, 0,
                                               0, 0, 0x1D, 0, 0x3A, 0, 0, 0, 0, 0},
                                kEscOff = {0, 0, 0, 0, 0,    0, 0, 0, 2, 0,
                                           0, 0, 0, 0, 0x01, 0, 0, 0, 0, 0};
const std::string kOne = "name=one                 2026.01.01\r\nchg=    1    0\r\n",
                  kTwo = "name=two                 2026.01.02\r\n", kTwoSets = kOne + kTwo,
                  kIni = "/exe/kivora.ini";
constexpr int kCtrl = IdFromSlot(69), kRightCtrl = IdFromSlot(79), kCaps = IdFromSlot(43),
              kA = IdFromSlot(44);

struct World {
  World() {
    store.machine = {.exists = true, .value = kCapsToCtrl};
    store.user = {.exists = true, .value = kEscOff};
    files.files[kIni] = kTwoSets;
  }
  void Start() {
    window.Start("/exe");
    view.log.clear();
  }
  bool StoresWritten() const {
    return store.machine.value != kCapsToCtrl || store.user.value != kEscOff;
  }

  KeyCatalogue catalogue;
  SavedSetTable sets;
  testing::FakeKeyStore store;
  testing::FakeSetFileSystem files;
  FakeView view;
  MainWindow window{catalogue, sets, store, files, view};
};

// clang-format off
TEST(MainWindow, StartReadsTheStoreItCanAndAltersNone) {
  const std::string kAdmin = "title admin, check 60, label+, marks",
                    kUser = "warn fallback, grey 60, title user, check 61, label+, marks";
  struct { const char* name; void (*fail)(testing::FakeKeyStore&); std::string log; StoreKind mode;
           int shownSlot; /* 43 from the machine store, 1 from the user's, 0 neither */ } const rows[] = {
      {"machine", [](auto&) {}, kAdmin, StoreKind::Machine, 43},
      // An unreadable value reads as no changes: nothing to warn about.
      {"query fails", [](auto& s) { s.machine.queryFails = true; }, kAdmin, StoreKind::Machine, 0},
      {"missing, create denied", [](auto& s) { s.machine.exists = false, s.machine.createDenied = true; }, kUser,
          StoreKind::User, 1},
      {"both denied", [](auto& s) { s.machine.openDenied = s.user.openDenied = true; },
          "warn fallback, warn noStore, title bare, close, label+, marks",
          StoreKind::Machine, 0},
  };
  for (const auto& row : rows) {
    World w;
    row.fail(w.store);
    w.window.Start("/exe");
    SCOPED_TRACE(row.name);
    EXPECT_EQ(w.view.log, row.log);
    EXPECT_EQ(std::tuple(w.window.State().mode, w.catalogue[43].IsChanged(), w.catalogue[1].IsChanged()),
              std::tuple(row.mode, row.shownSlot == 43, row.shownSlot == 1));
    // Nothing written, the saved sets read, and nothing to ask at the close.
    EXPECT_EQ(std::tuple(w.StoresWritten(), w.sets.sets.size(), w.window.MayClose()),
              std::tuple(false, 2u, true));
  }
}

// After a start in admin mode, one row per rule: the view's transcript, the
// dirty flag, the mode, and whether a store was written.
constexpr int kMayClose = -1;  // not a command: asks MayClose instead

TEST(MainWindow, CommandsFollowTheirRules) {
  const std::string changeA = "change 244, beep, label+, marks",
                    toUser = "erase 43, label-, title user, check 61, label+, marks, ";
  struct { const char* name; void (*script)(World&); std::vector<int> commands; std::string log;
           bool dirty; StoreKind mode = StoreKind::Machine; bool written = false; } const rows[] = {
      {"key, nothing chosen", [](World&) {}, {kCaps}, "change 243", false},
      // Enter, Escape and ids that are no command do nothing at all.
      {"no commands", [](World&) {}, {1, 2, 0, 57, 78, 199, 311, 348, 359, 370, 1000}, "", false},
      {"key cleared by itself", [](World& w) { w.view.choices = {{kCaps}}; }, {kCaps},
          "change 243, beep, erase 43, label+, marks", true},
      {"pause warns first", [](World& w) { w.view.choices = {{kCtrl}}; }, {command::kPauseKey},
          "warn pause, change 282, beep, label+, marks", true},
      {"raw slot", [](World& w) { w.view.choices = {{kCtrl}}; }, {IdFromSlot(kFirstRawSlot)},
          "change 360, beep, label+, marks", true},
      {"reset always dirty", [](World& w) { w.view.answers = {false, true}; },
          {command::kReset, command::kReset, kMayClose, kMayClose},
          "erase 43, label-, label-, ask unregistered, stays, ask unregistered, may close", true},
      {"register, no restart", [](World& w) { w.view.choices = {{kCtrl}}; },
          {kA, command::kRegister, kMayClose}, changeA + ", ask restart?, may close", false,
          StoreKind::Machine, true},
      // The window closes all the same: the value is registered.
      {"restart refused", [](World& w) { w.view.answers = {true}, w.view.restartSucceeds = false; },
          {command::kRegister}, "ask restart?, priv on, restart, warn restartFailed, priv off, close",
          false},
      // Both Ctrl keys and CapsLock made Esc: no key gives Ctrl any more.
      {"register without Ctrl", [](World& w) { w.view.choices = {{201}, {201}, {201}}; },
          {kCtrl, kRightCtrl, kCaps, command::kRegister},
          "change 269, beep, label+, marks, change 279, beep, label+, marks, change 243, beep, "
          "label+, marks, warn ctrlAltDel", true},
      {"register, write fails",
          [](World& w) { w.view.choices = {{kCtrl}}, w.store.machine.setFails = true; },
          {kA, command::kRegister}, changeA + ", warn writeFailed", true},
      // Since Windows 7 only the machine-wide value changes keys: the user's is
      // written all the same, but no restart is offered for it.
      {"user mode on 7", [](World& w) { w.view.choices = {{kCtrl}}, w.view.version = {6, 1}; },
          {command::kUserMode, kA, command::kRegister}, toUser + changeA + ", warn userMap", false,
          StoreKind::User, true},
      {"user mode on Vista", [](World& w) { w.view.choices = {{kCtrl}}, w.view.version = {6, 0}; },
          {command::kUserMode, kA, command::kRegister}, toUser + changeA + ", ask restart?", false,
          StoreKind::User, true},
      {"to user and back", [](World&) {}, {command::kUserMode, command::kAdminMode},
          toUser + "erase 1, label-, title admin, check 60, label+, marks", false},
      {"switch to an unreadable store", [](World& w) { w.store.user.openDenied = true; },
          {command::kUserMode}, "erase 43, label-", false},
      {"dialogs", [](World&) {},
          {command::kLoadSet, command::kSaveSet, command::kDeleteSet, command::kInvestigate,
           command::kChangedKeyList, command::kAbout, command::kHelp, command::kExit},
          "dialog 0, dialog 1, dialog 2, dialog 3, dialog 4, dialog 5, info help, close", false},
      {"twenty sets: no save", [](World& w) { w.sets.sets.resize(kMaxSavedSets); },
          {command::kSaveSet}, "warn twenty", false},
  };
  for (const auto& row : rows) {
    World w;
    w.Start();
    row.script(w);
    for (int id : row.commands) {
      if (id != kMayClose) w.window.Command(id);
      else w.view.Say(w.window.MayClose() ? "may close" : "stays");
    }
    EXPECT_EQ(w.view.log, row.log) << row.name;
    EXPECT_EQ(std::tuple(w.window.State().dirty, w.window.State().mode, w.StoresWritten()),
              std::tuple(row.dirty, row.mode, row.written)) << row.name;
  }
  World w;  // a typed scancode is kept in its slot, for the mark and the next write
  w.view.choices = {{IDC_TYPED_SCANCODE, 0x0059}};
  w.window.Command(kA);
  EXPECT_EQ(std::pair(w.catalogue[kScancodeEntrySlot].scancode, w.catalogue[44].targetScancode),
            std::pair(Scancode{0x0059}, Scancode{0x0059}));
}

// The save, load and delete commands, one row per branch: the name typed (null:
// not storable) or the row selected (-1: none), a fault of the disk and the
// answer to the overwrite question; the transcript with what the dialog shows
// and whether it stays open, then the sets and what kivora.ini holds.
TEST(MainWindow, SavedSetCommandsShowAndKeepWhatTheyShould) {
  const std::string three = "name=three               2026.12.07\r\nchg=   58   29\r\n",
                    oneToday = "name=one                 2026.12.07\r\nchg=   58   29\r\n",
                    cut = "name=123456789012345678902026.12.07\r\nchg=   58   29\r\n",
                    upper = "name=One                 2026.12.07\r\nchg=   58   29\r\n";
  using enum FileFault;
  struct { const char* name; char command; const char* typed; int row; FileFault fault; bool ok;
           const char* log; const char* names; std::string file; } const rows[] = {
      {"not storable", 'S', nullptr, -1, None, false, "show notStorable, stays", "one two", kTwoSets},
      {"empty name", 'S', "", -1, None, false, "", "one two", kTwoSets},
      {"cut to 20 bytes", 'S', "123456789012345678901234", -1, None, false, "",
       "one two 12345678901234567890", kTwoSets + cut},
      {"existing, Cancel", 'S', "two", -1, None, false, "ask exists?, stays", "one two", kTwoSets},
      {"existing, OK", 'S', "one", -1, None, true, "ask exists?", "one two", oneToday + kTwo},
      // The table keeps the set for the next write; kivora.ini keeps every byte.
      {"create", 'S', "three", -1, Create, false, "show notWritten", "one two three", kTwoSets},
      {"write", 'S', "three", -1, Write, false, "show notWritten", "one two three", kTwoSets},
      {"flush", 'S', "three", -1, Flush, false, "show notWritten", "one two three", kTwoSets},
      {"close", 'S', "three", -1, Close, false, "show notWritten", "one two three", kTwoSets},
      // Refused whole rather than cut to the 100 pairs a set holds.
      {"over 100 pairs", 'S', "three", -1, None, false, "show tooMany", "one two", kTwoSets},
      {"load, none selected", 'L', nullptr, -1, None, false, "", "one two", kTwoSets},
      {"load, past the end", 'L', nullptr, 2, None, false, "", "one two", kTwoSets},
      // Only a load changes the keys; it is not registered, so the close will ask.
      {"load", 'L', nullptr, 0, None, false, "label+, erase 1..150, marks, show loaded", "one two",
       kTwoSets},
      {"delete, none selected", 'D', nullptr, -1, None, false, "", "one two", kTwoSets},
      {"delete the first", 'D', nullptr, 0, None, false, "", "two", kTwo},
      // Read back: the set is there again and no deleted flag is left.
      {"not deleted", 'D', nullptr, 1, Replace, false, "show notWritten", "one two", kTwoSets},
      {"read back fails", 'D', nullptr, 1, Read, false, "show notRead", "", kOne},
  };
  for (const auto& row : rows) {
    World w;
    w.Start();
    w.files.fault = row.fault;
    w.view.answers = {row.ok};
    if (row.name == std::string("over 100 pairs")) {
      for (int s = 2; s <= 102; ++s) ApplyChange(w.catalogue, IdFromSlot(s), IDC_DISABLE);
    }
    const auto position = row.row < 0 ? std::nullopt : std::optional<std::size_t>(row.row);
    const auto typed = row.typed ? std::optional<std::string>(row.typed) : std::nullopt;
    const SetDialogOutcome outcome = row.command == 'S'   ? w.window.SaveSet(typed, {2026, 12, 7})
                                     : row.command == 'L' ? w.window.LoadSet(position)
                                                          : w.window.DeleteSet(position);
    for (std::string_view shown : outcome.messages) w.view.Say("show " + Tag(shown));
    if (outcome.stayOpen) w.view.Say("stays");
    SCOPED_TRACE(row.name);
    EXPECT_EQ(w.view.log, row.log);
    std::string names;
    for (const SavedKeySet& set : w.sets.sets) names += (names.empty() ? "" : " ") + set.name;
    EXPECT_EQ(names, row.names);
    EXPECT_EQ(w.files.files, (std::map<FilePath, std::string>{{kIni, row.file}}));
    const bool loads = w.view.log.ends_with("loaded");
    EXPECT_EQ(w.catalogue[1].targetSlot == kDisableSlot && !w.catalogue[43].IsChanged(), loads);
    EXPECT_EQ(w.window.State().dirty, loads);
  }
}
// clang-format on

TEST(SetOperations, ListRowsPadTheNameToTwentyBytes) {
  const std::string wide = "\x95\x5C\x83\x4C";  // 表キ: four bytes, two characters
  EXPECT_EQ(SetListRow({.name = wide, .date = "2026.12.06"}),
            wide + std::string(16, ' ') + "\t2026.12.06");
}

}  // namespace
}  // namespace kivora
