#include "ui/change_rules.h"

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"

namespace kivora {
namespace {

// One source of every kind; only one shown with a raw-scancode target is limited
// by the ten raw slots.
TEST(ChangeRules, CaptionPromptAndScancodeButtonForEveryKindOfSource) {
  using enum ButtonState;
  KeyCatalogue c;
  c[161].scancode = 0x0056;
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));
  c[kScancodeEntrySlot].scancode = 0x1234;
  ApplyChange(c, IdFromSlot(79), IdFromSlot(kScancodeEntrySlot));
  RecordPair(c, {.from = 0x001F, .to = 0xE07A});  // S -> a code no key has
  // clang-format off
  const struct { int slot; const char* caption; ButtonState nineInUse, tenInUse; } rows[] = {
      {44, "【Ａ　 　ち】キーをどのキーに変更しますか？", Unchanged, Unchanged},
      {161, "【Scan code】スキャンコード 0x0056 をどのキーに変更しますか？", Unchanged, Unchanged},
      {1, "変更前【Esc 】---> 変更後【無効 】キーをどのキーに変更しますか？", Unchanged, Unchanged},
      {43, "変更前【CapsLock 英数】---> 変更後【Ctrl 左】キーをどのキーに変更しますか？", Unchanged, Unchanged},
      {79, "変更前【Ctrl 右】---> 変更後【Scan code】キーをどのキーに変更しますか？", Unchanged, Unchanged},
      {45, "変更前【Ｓ　 　と】---> 変更後【Scan code】スキャンコード 0xe07a をどのキーに変更しますか？", Enabled, Disabled},
  };
  // clang-format on
  for (const auto& row : rows) {
    EXPECT_EQ(ChangeDialogCaption(c, row.slot), row.caption) << row.slot;
    c.rawCount = 9;
    EXPECT_EQ(ScancodeButtonState(c, row.slot), row.nineInUse) << row.slot;
    c.rawCount = 10;
    EXPECT_EQ(ScancodeButtonState(c, row.slot), row.tenInUse) << row.slot;
  }
  EXPECT_EQ(ScancodeEntryPrompt(c, 1), "キー[Esc][0x0001]を変更します");
  EXPECT_EQ(ScancodeEntryPrompt(c, 79), "キー[Ctrl右][0xe01d]を変更します");
}

// Checked for the Esc key (own scancode 0x0001); only four characters are read.
TEST(ChangeRules, ScancodeEntryTakesFourHexadecimalDigitsOtherThanTheKeysOwn) {
  using enum EntryVerdict;
  // clang-format off
  const struct { const char* typed; EntryVerdict verdict; Scancode value; } rows[] = {
      {"", NotFourCharacters, 0},
      {"1d", NotFourCharacters, 0},
      {"E0 1", NotHexadecimal, 0},
      {"0x1d", NotHexadecimal, 0},
      {"00g0", NotHexadecimal, 0},
      {"\x95\x5C" "12", NotHexadecimal, 0},
      {"0001", SameAsOwn, 0},
      {"e01d", Accepted, 0xE01D},
      {"09af", Accepted, 0x09AF},
      {"AF90", Accepted, 0xAF90},
      {"0000", Accepted, 0},
      {"12345", Accepted, 0x1234},
  };
  // clang-format on
  for (const auto& row : rows) {
    const EntryCheck check = CheckScancodeEntry(row.typed, 0x0001);
    EXPECT_EQ(check.verdict, row.verdict) << row.typed;
    EXPECT_EQ(check.value, row.value) << row.typed;
  }
}

}  // namespace
}  // namespace kivora
