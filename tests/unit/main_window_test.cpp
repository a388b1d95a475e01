#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <deque>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "savedsets/saved_set_file.h"
#include "savedsets/set_operations.h"
#include "tests/unit/fakes.h"
#include "ui/texts.h"

namespace kivora {
namespace {

using testing::FileFault;
using testing::Repeat;

// A short name for each text the window shows, so that a transcript reads as
// one line: "warn pause, change 282, beep, label+, marks".
std::string Tag(std::string_view text) {
  using namespace message;
  // Written out here, not by the program: a wrong title, count or reason must show.
  const auto notOurs = [](const char* reason) {
    return std::string(
               "kivora.ini（キー内容保存ファイル）に、Kivora が書き換えると失われる内容があります。\n（") +
           reason +
           "）\nファイルを守るため、保存と削除はできません。読込はできます。\n"
           "保存するには、kivora.ini を別の名前に変えるか、内容を直して下さい。";
  };
  const auto kept = [](const char* count) {
    return std::string("画面に表示できないキー変更が ") + count +
           " 件登録されています。\nこれらは［登録］しても、登録されたまま残ります。\n"
           "［リセット］するか保存したキー内容を読み込んで［登録］すると、消去されます。";
  };
  // clang-format off
  static const std::pair<std::string, const char*> tags[] = {
      {kMachineStoreUnreadable, "fallback"}, {kNoStoreReadable, "noStore"}, {kPauseKey, "pause"},
      {kUnregisteredChanges, "unregistered"}, {kRestartQuestion, "restart?"}, {kHelp, "help"},
      {kRestartFailed, "restartFailed"}, {kCtrlAltDeleteNeeded, "ctrlAltDel"},
      {kWriteFailed, "writeFailed"}, {kUserMapNotApplied, "userMap"}, {kTooManySets, "twenty"},
      {kSetNameExists, "exists?"}, {kSetLoaded, "loaded"}, {kSetNameNotStorable, "notStorable"},
      {kTooManyPairs, "tooMany"}, {kSetFileWriteFailed, "notWritten"}, {kProductTitle, "bare"},
      {kSetFileReadFailed, "notRead"}, {"Kivora キヴォラ v1.50   >> 管理者 <<", "admin"},
      {"Kivora キヴォラ v1.50   >> ユーザー <<", "user"}, {kStoredMapUnreadable, "mapUnreadable"},
      {kModeSwitchDropsChanges, "switch?"}, {kept("2"), "kept 2"}, {kept("1"), "kept 1"},
      {kTemporaryNotCreated, "tmpNotCreated"},
      {"ユーザー用のレジストリ（HKEY_CURRENT_USER\\Keyboard Layout）を開けませんでした。\n"
       "ユーザーモードには切り替えていません。", "noUserStore"},
      {kStoredMapAmbiguous, "mapAmbiguous"}, {notOurs("16 行目：キー内容ではない行です"), "notOurs 16"},
      {kSetNameTooLong, "nameTooLong"}, {MachineMapNote(1), "machineMap 1"},
      {kSetFileChangedMeanwhile, "changedMeanwhile"}, {notOurs("ファイルが 1 MB を超えています"), "notOurs large"},
      {notOurs("1 行目：Shift-JIS 以外の文字コードです"), "notOurs encoding"}};
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
const std::string kOne = "name=one                 2026.01.01\r\nchg=    1    0\r\n";
// Esc off, and eleven keys the picture lacks (256..266): one is kept aside.
const std::string kTwo = [] {
  std::string two = "name=two                 2026.01.02\r\nchg=    1    0\r\n";
  for (int from = 256; from <= 266; ++from) two += "chg=  " + std::to_string(from) + "    0\r\n";
  return two;
}();
const std::string kTwoSets = kOne + kTwo, kIni = "/exe/kivora.ini";
constexpr int kCtrl = IdFromSlot(69), kRightCtrl = IdFromSlot(79), kCaps = IdFromSlot(43),
              kA = IdFromSlot(44);

struct World {
  World() {
    store.machine = {.exists = true, .value = kCapsToCtrl};
    store.user = {.exists = true, .value = kEscOff};
    files.files[kIni] = kTwoSets;
  }
  void Start() {
    stored = {store.machine.value, store.user.value};
    window.Start("/exe");
  }
  // Each store on its own, against what it held before the start: "machine",
  // "user", both or "".
  std::string StoresWritten() const {
    return std::string(store.machine.value != stored.first ? "machine" : "") +
           (store.user.value != stored.second ? "user" : "");
  }

  KeyCatalogue catalogue;
  SavedSetTable sets;
  testing::FakeKeyStore store;
  std::pair<std::optional<std::vector<std::uint8_t>>, std::optional<std::vector<std::uint8_t>>>
      stored;
  testing::FakeSetFileSystem files;
  FakeView view;
  MainWindow window{catalogue, sets, store, files, view};
};

// clang-format off
TEST(MainWindow, StartReadsTheStoreItCanAndAltersNone) {
  const std::string kAdmin = "title admin, check 60, label+, marks",
                    kUser = "warn fallback, grey 60, title user, check 61, label+, marks";
  struct { const char* name; void (*fail)(World&); std::string log; StoreKind mode;
           int shownSlot; /* 43 from the machine store, 1 from the user's, 0 neither */ std::size_t sets = 2;
  } const rows[] = {
      // Registering would replace a value that is there but unreadable: say so.
      {"query fails", [](World& w) { w.store.machine.queryFails = true; }, kAdmin + ", warn mapUnreadable",
          StoreKind::Machine, 0},
      // Unknown keys once the ten raw slots are in use: kept, and said once.
      {"two pairs kept", [](World& w) { w.catalogue.rawCount = kRawSlotCount, w.catalogue.keptPairs = {{0x0100, 0},
          {0x0101, 0}}, w.store.machine.value = BuildScancodeMap(w.catalogue), w.catalogue.keptPairs = {}; },
          kAdmin + ", info kept 2", StoreKind::Machine, 0},
      {"missing, create denied", [](World& w) { w.store.machine = {.createDenied = true}; }, kUser,
          StoreKind::User, 1},
      // A standard user's picture shows the per-user value; Windows applies CapsLock -> Ctrl.
      {"a standard user", [](World& w) { w.store.machine.queryOnly = true; }, kUser + ", info machineMap 1",
          StoreKind::User, 1},
      {"both denied", [](World& w) { w.store.machine.openDenied = w.store.user.openDenied = true; },
          "warn fallback, warn noStore, title bare, close", StoreKind::Machine, 0, 0},
      {"kivora.ini unreadable", [](World& w) { w.files.fault = FileFault::Read; }, kAdmin + ", warn notRead",
          StoreKind::Machine, 43, 0},
      // A byte-order mark of UTF-16: what can be read is, but the file is not ours to rewrite.
      {"kivora.ini not ours", [](World& w) { w.files.files[kIni] = "\xFF\xFE" + kTwoSets; },
          kAdmin + ", warn notOurs encoding", StoreKind::Machine, 43, 1},
      {"kivora.ini past 1 MiB", [](World& w) { w.files.files[kIni] = std::string(kMaxSetFileBytes + 1, ' '); },
          kAdmin + ", warn notOurs large", StoreKind::Machine, 43, 0},
      // CapsLock -> Ctrl, then CapsLock -> Esc: the last one is shown, and said.
      {"a key named twice", [](World& w) { auto& v = *w.store.machine.value; v.insert(v.begin() + 16, {1, 0, 0x3A, 0}),
          v[8] = 3; }, kAdmin + ", warn mapAmbiguous", StoreKind::Machine, 43},
  };
  for (const auto& row : rows) {
    World w;
    row.fail(w);
    w.Start();
    SCOPED_TRACE(row.name);
    EXPECT_EQ(w.view.log, row.log);
    EXPECT_EQ(std::tuple(w.window.State().mode, w.catalogue[43].IsChanged(), w.catalogue[1].IsChanged()),
              std::tuple(row.mode, row.shownSlot == 43, row.shownSlot == 1));
    // Nothing written, the saved sets read, and nothing to ask at the close.
    EXPECT_EQ(std::tuple(w.StoresWritten(), w.sets.sets.size(), w.window.MayClose()),
              std::tuple("", row.sets, true));
  }
}

// After a start in admin mode, one row per rule: the view's transcript, the
// dirty flag, the mode, and whether a store was written.
constexpr int kMayClose = -1;  // not a command: asks MayClose instead

TEST(MainWindow, CommandsFollowTheirRules) {
  const std::string changeA = "change 244, beep, label+, marks",
                    toUser = "erase 43, label-, title user, check 61, label+, marks, ";
  struct { const char* name; void (*script)(World&); std::vector<int> commands; std::string log;
           bool dirty; StoreKind mode = StoreKind::Machine; std::string written = ""; } const rows[] = {
      {"key, nothing chosen", [](World&) {}, {kCaps}, "change 243", false},
      // Enter, Escape and ids that are no command do nothing at all.
      {"no commands", [](World&) {}, {1, 2, 0, 57, 78, 199, 311, 348, 359, 370, 1000}, "", false},
      {"the last key commands", [](World&) {}, {310, 369}, "change 310, change 369", false},
      {"key cleared by itself", [](World& w) { w.view.choices = {{kCaps}}; }, {kCaps},
          "change 243, beep, erase 43, label+, marks", true},
      {"pause warns first", [](World& w) { w.view.choices = {{kCtrl}}; }, {command::kPauseKey},
          "warn pause, change 282, beep, label+, marks", true},
      {"raw slot offered", [](World& w) { w.view.choices = {{kCtrl}}, w.catalogue.currentRawIndex = 0; },
          {IdFromSlot(kFirstRawSlot)}, "change 360, beep, label+, marks", true},
      {"reset always dirty", [](World& w) { w.view.answers = {false, true}; },
          {command::kReset, command::kReset, kMayClose, kMayClose},
          "erase 43, label-, label-, ask unregistered, stays, ask unregistered, may close", true},
      // The window closes all the same: the value is registered.
      {"restart refused", [](World& w) { w.view.answers = {true}, w.view.restartSucceeds = false; },
          {command::kRegister}, "ask restart?, priv on, restart, warn restartFailed, priv off, close",
          false},
      // Both Ctrl keys and CapsLock made Esc: no key gives Ctrl any more.
      {"register without Ctrl",
          [](World& w) { for (int key : {kCtrl, kRightCtrl, kCaps}) ApplyChange(w.catalogue, key, 201); },
          {command::kRegister}, "warn ctrlAltDel", false},
      {"register, write fails",
          [](World& w) { w.view.choices = {{kCtrl}}, w.store.machine.setFails = true; },
          {kA, command::kRegister}, changeA + ", warn writeFailed", true},
      // Since Windows 7 only the machine-wide value changes keys: the user's is
      // written all the same, but no restart is offered for it.
      {"user mode on 7", [](World& w) { w.view.choices = {{kCtrl}}, w.view.version = {6, 1}; },
          {command::kUserMode, kA, command::kRegister}, toUser + changeA + ", warn userMap", false,
          StoreKind::User, "user"},
      {"user mode on Vista", [](World& w) { w.view.choices = {{kCtrl}}, w.view.version = {6, 0}; },
          {command::kUserMode, kA, command::kRegister}, toUser + changeA + ", ask restart?", false,
          StoreKind::User, "user"},
      {"to user and back", [](World&) {}, {command::kUserMode, command::kAdminMode},
          toUser + "erase 1, label-, title admin, check 60, label+, marks", false},
      // Said before any question: the keys stay as they were, and so does the mode.
      {"switch to an unreadable store", [](World& w) { w.view.choices = {{kCtrl}}, w.store.user.openDenied = true; },
          {kA, command::kUserMode}, changeA + ", warn noUserStore", true},
      {"the mode shown again", [](World&) {}, {command::kAdminMode}, "", false},
      // With the raw slots in use, 0x0100 -> Ctrl is kept aside, and said.
      {"switch: a pair kept", [](World& w) {
          w.catalogue.rawCount = kRawSlotCount;
          w.stored.second = w.store.user.value = std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0,
                                                                           0x1D, 0, 0, 1, 0, 0, 0, 0}; },
          {command::kUserMode}, toUser + "info kept 1", false, StoreKind::User},
      {"switch drops changes, Cancel", [](World& w) { w.view.choices = {{kCtrl}}; },
          {kA, command::kUserMode}, changeA + ", ask switch?", true},
      {"switch drops changes, OK", [](World& w) { w.view.choices = {{kCtrl}}, w.view.answers = {true}; },
          {kA, command::kUserMode},
          changeA + ", ask switch?, erase 43..44, label-, title user, check 61, label+, marks", false, StoreKind::User},
      {"dialogs", [](World&) {},
          {command::kLoadSet, command::kSaveSet, command::kDeleteSet, command::kInvestigate,
           command::kChangedKeyList, command::kAbout, command::kHelp, command::kExit},
          "dialog 0, dialog 1, dialog 2, dialog 3, dialog 4, dialog 5, info help, close", false},
      {"twenty sets: no save", [](World& w) { w.sets.sets.resize(kMaxSavedSets); },
          {command::kSaveSet}, "warn twenty", false},
      // kivora.ini is read again first; while it cannot be, no set dialog opens.
      {"sets unreadable", [](World& w) { w.sets.unreadable = true, w.files.fault = FileFault::Read; },
          {command::kSaveSet, command::kLoadSet, command::kDeleteSet}, "warn notRead, warn notRead, warn notRead",
          false},
      {"sets readable again", [](World& w) { w.sets = {.unreadable = true}; }, {command::kSaveSet}, "dialog 1",
          false},
      // Read again first: loaded, but neither saved nor deleted, until mended.
      {"sets not ours", [](World& w) { w.files.files[kIni] += ";\r\n", w.sets.foreign.kind = ForeignKind::TooLarge; },
          {command::kSaveSet, command::kDeleteSet, command::kLoadSet}, "warn notOurs 16, warn notOurs 16, dialog 0",
          false},
  };
  for (const auto& row : rows) {
    World w;
    w.Start();
    w.view.log.clear();
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
  const std::string oneToday = "name=one                 2026.12.07\r\nchg=   58   29\r\n";
  const std::string kLongName = "a" + Repeat("\x95\x5C", 10);
  using enum FileFault;
  struct { const char* name; char command; const char* typed; int row; FileFault fault; bool ok;
           const char* log; std::string names; std::string file; } const rows[] = {
      {"not storable", 'S', nullptr, -1, None, false, "show notStorable, stays", "one two", kTwoSets},
      {"empty name, or blanks only", 'S', "\x81\x40 ", -1, None, false, "", "one two", kTwoSets},
      {"a new set, last", 'S', "three", -1, None, false, "", "one two three",
       kTwoSets + "name=three               2026.12.07\r\nchg=   58   29\r\n"},
      // "a" and ten double-byte characters: 21 bytes, refused, never cut.
      {"past 20 bytes", 'S', kLongName.c_str(), -1, None, false, "show nameTooLong, stays", "one two", kTwoSets},
      {"existing, Cancel", 'S', "two", -1, None, false, "ask exists?, stays", "one two", kTwoSets},
      // The full-width blank an IME leaves finds the set that looks the same.
      {"existing, OK", 'S', "one\x81\x40", -1, None, true, "ask exists?", "one two", oneToday + kTwo},
      // The table stays as kivora.ini is, and kivora.ini keeps every byte.
      // Twenty bytes, which fit.
      {"create", 'S', kLongName.c_str() + 1, -1, Create, false, "show tmpNotCreated", "one two", kTwoSets},
      {"write", 'S', "three", -1, Write, false, "show notWritten", "one two", kTwoSets},
      {"flush", 'S', "three", -1, Flush, false, "show notWritten", "one two", kTwoSets},
      {"close", 'S', "three", -1, Close, false, "show notWritten", "one two", kTwoSets},
      // Refused whole rather than cut to the 100 pairs a set holds.
      {"over 100 pairs", 'S', "three", -1, None, false, "show tooMany", "one two", kTwoSets},
      // Another program added "x" since the start: not written over, and shown now.
      {"edited meanwhile", 'S', "three", -1, None, false, "show changedMeanwhile", "one two x",
       kTwoSets + "name=x\r\n"},
      {"load, none selected", 'L', nullptr, -1, None, false, "", "one two", kTwoSets},
      {"load, past the end", 'L', nullptr, 2, None, false, "", "one two", kTwoSets},
      // Only a load changes the keys; it is not registered, so the close will ask.
      {"load, one pair kept", 'L', nullptr, 1, None, false, "label+, erase 1..150, marks, show loaded, show kept 1",
       "one two", kTwoSets},
      {"delete, none selected", 'D', nullptr, -1, None, false, "", "one two", kTwoSets},
      // Read back: the set is there again and no deleted flag is left.
      {"not deleted", 'D', nullptr, 1, Replace, false, "show notWritten", "one two", kTwoSets},
      {"read back fails", 'D', nullptr, 1, ReadBack, false, "show notRead", "", kOne},
  };
  for (const auto& row : rows) {
    World w;
    w.Start();
    w.view.log.clear();
    w.files.fault = row.fault;
    w.view.answers = {row.ok};
    if (row.name == std::string("over 100 pairs")) {
      for (int s = 2; s <= 102; ++s) ApplyChange(w.catalogue, IdFromSlot(s), IDC_DISABLE);
    }
    if (row.name == std::string("edited meanwhile")) w.files.files[kIni] += "name=x\r\n";
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
    const bool loads = w.view.log.find("loaded") != std::string::npos;
    EXPECT_EQ(w.catalogue[1].targetSlot == kDisableSlot && !w.catalogue[43].IsChanged(), loads);
    EXPECT_EQ(w.window.State().dirty, loads);
  }
}
// clang-format on

// A row pads the name to 20 bytes; a set takes 100 pairs, and no more.
TEST(SetOperations, ListRowsPadTheNameToTwentyBytes) {
  const std::string wide = "\x95\x5C\x83\x4C";  // 表キ: four bytes, two characters
  EXPECT_EQ(SetListRow({.name = wide, .date = "2026.12.06"}),
            wide + std::string(16, ' ') + "\t2026.12.06");
  KeyCatalogue c;
  for (int slot = 1; slot <= 100; ++slot) ApplyChange(c, IdFromSlot(slot), IDC_DISABLE);
  EXPECT_EQ(MappingAsPairs(c).value_or(std::vector<ScancodePair>{}).size(), 100u);
}

}  // namespace
}  // namespace kivora
