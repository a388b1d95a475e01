#include "ui/change_rules.h"

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"

namespace kivora {
namespace {

TEST(ChangeDialogCaption, EveryKindOfSource) {
  KeyCatalogue c;
  c[161].scancode = 0x0056;
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));
  c[kScancodeEntrySlot].scancode = 0x1234;
  ApplyChange(c, IdFromSlot(79), IdFromSlot(kScancodeEntrySlot));
  RecordPair(c, {.from = 0x001F, .to = 0xE07A});
  const std::pair<int, const char*> rows[] = {
      {44, "【Ａ　 　ち】キーをどのキーに変更しますか？"},
      {161, "【Scan code】スキャンコード 0x0056 をどのキーに変更しますか？"},
      {1, "変更前【Esc 】---> 変更後【無効 】キーをどのキーに変更しますか？"},
      {43, "変更前【CapsLock 英数】---> 変更後【Ctrl 左】キーをどのキーに変更しますか？"},
      {79, "変更前【Ctrl 右】---> 変更後【Scan code】キーをどのキーに変更しますか？"},
      {45,
       "変更前【Ｓ　 　と】---> 変更後【Scan code】スキャンコード 0xe07a "
       "をどのキーに変更しますか？"},
  };
  for (auto [slot, caption] : rows) EXPECT_EQ(ChangeDialogCaption(c, slot), caption) << slot;
}

// Only a source shown with a raw-scancode target is limited by the ten raw slots.
TEST(ScancodeButtonState, LimitedOnlyForRawScancodeTargets) {
  using enum ButtonState;
  KeyCatalogue c;
  RecordPair(c, {.from = 0x001E, .to = 0x0059});  // A -> a code no key has
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));
  struct {
    const char* name;
    int slot, rawCount;
    ButtonState state;
  } const rows[] = {
      {"unchanged key", 2, 10, Unchanged},       {"unchanged raw slot", 160, 10, Unchanged},
      {"raw target, room left", 44, 9, Enabled}, {"raw target, ten in use", 44, 10, Disabled},
      {"disabled key", 1, 10, Unchanged},        {"key target", 43, 10, Unchanged},
  };
  for (const auto& row : rows) {
    c.rawCount = row.rawCount;
    EXPECT_EQ(ScancodeButtonState(c, row.slot), row.state) << row.name;
  }
}

TEST(ScancodeEntry, PromptNamesTheKeyAndItsOwnCode) {
  const KeyCatalogue c;
  EXPECT_EQ(ScancodeEntryPrompt(c, 1), "キー[Esc][0x0001]を変更します");
  EXPECT_EQ(ScancodeEntryPrompt(c, 79), "キー[Ctrl右][0xe01d]を変更します");
}

// Checked for the Esc key (own scancode 0x0001).
TEST(ScancodeEntry, FourHexadecimalDigitsOtherThanTheKeysOwn) {
  using enum EntryVerdict;
  struct {
    const char* typed;
    EntryVerdict verdict;
    Scancode value;
  } const rows[] = {
      {"", NotFourCharacters, 0},
      {"1d", NotFourCharacters, 0},
      {"E0 1", NotHexadecimal, 0},
      {"0x1d", NotHexadecimal, 0},
      {"00g0", NotHexadecimal, 0},
      {"\x95\x5C"
       "12",
       NotHexadecimal, 0},
      {"0001", SameAsOwn, 0},
      {"e01d", Accepted, 0xE01D},
      {"09af", Accepted, 0x09AF},
      {"AF90", Accepted, 0xAF90},
      {"0000", Accepted, 0},
      {"12345", Accepted, 0x1234},  // only four are read
  };
  for (const auto& row : rows) {
    const EntryCheck check = CheckScancodeEntry(row.typed, 0x0001);
    EXPECT_EQ(check.verdict, row.verdict) << row.typed;
    EXPECT_EQ(check.value, row.value) << row.typed;
  }
}

}  // namespace
}  // namespace kivora
