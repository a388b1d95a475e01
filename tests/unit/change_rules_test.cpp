#include "ui/change_rules.h"

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"

namespace kivora {
namespace {

TEST(ChangeDialogCaption, EveryKindOfSource) {
  KeyCatalogue c;
  EXPECT_EQ(ChangeDialogCaption(c, 1), "【Esc 】キーをどのキーに変更しますか？");
  c[161].scancode = 0x0056;
  EXPECT_EQ(ChangeDialogCaption(c, 161),
            "【Scan code】スキャンコード 0x0056 をどのキーに変更しますか？");

  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  EXPECT_EQ(ChangeDialogCaption(c, 1),
            "変更前【Esc 】---> 変更後【無効 】キーをどのキーに変更しますか？");
  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));
  EXPECT_EQ(ChangeDialogCaption(c, 43),
            "変更前【CapsLock 英数】---> 変更後【Ctrl 左】キーをどのキーに変更しますか？");
  c[kScancodeEntrySlot].scancode = 0x1234;
  ApplyChange(c, IdFromSlot(44), IdFromSlot(kScancodeEntrySlot));
  EXPECT_EQ(ChangeDialogCaption(c, 44),
            "変更前【Ａ　 　ち】---> 変更後【Scan code】キーをどのキーに変更しますか？");
  RecordPair(c, {.from = 0x001F, .to = 0xE07A});
  EXPECT_EQ(ChangeDialogCaption(c, 45),
            "変更前【Ｓ　 　と】---> 変更後【Scan code】スキャンコード 0xe07a "
            "をどのキーに変更しますか？");
}

TEST(ScancodeButtonState, OnlyScancodeTargetsAreLimitedByTheRawSlots) {
  KeyCatalogue c;
  EXPECT_EQ(ScancodeButtonState(c, 1), ButtonState::Unchanged);  // unchanged key
  EXPECT_EQ(ScancodeButtonState(c, 160), ButtonState::Unchanged);
  RecordPair(c, {.from = 0x001E, .to = 0x0059});  // target slot 160
  EXPECT_EQ(ScancodeButtonState(c, 44), ButtonState::Enabled);
  c.rawCount = kRawSlotCount;
  EXPECT_EQ(ScancodeButtonState(c, 44), ButtonState::Disabled);
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  EXPECT_EQ(ScancodeButtonState(c, 1), ButtonState::Unchanged);  // shown as slot 151
  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));
  EXPECT_EQ(ScancodeButtonState(c, 43), ButtonState::Unchanged);
}

TEST(ScancodeEntry, PromptNamesTheKeyAndItsOwnCode) {
  const KeyCatalogue c;
  EXPECT_EQ(ScancodeEntryPrompt(c, 1), "キー[Esc][0x0001]を変更します");
  EXPECT_EQ(ScancodeEntryPrompt(c, 79), "キー[Ctrl右][0xe01d]を変更します");
}

TEST(ScancodeEntry, ValidatesFourHexadecimalDigits) {
  const Scancode esc = 0x0001;
  EXPECT_EQ(CheckScancodeEntry("1d", esc).verdict, EntryVerdict::NotFourCharacters);
  EXPECT_EQ(CheckScancodeEntry("", esc).verdict, EntryVerdict::NotFourCharacters);
  EXPECT_EQ(CheckScancodeEntry("E0 1", esc).verdict, EntryVerdict::NotHexadecimal);
  EXPECT_EQ(CheckScancodeEntry("0x1d", esc).verdict, EntryVerdict::NotHexadecimal);
  EXPECT_EQ(CheckScancodeEntry("0001", esc).verdict, EntryVerdict::SameAsOwn);
  EXPECT_EQ(CheckScancodeEntry("\x95\x5C"
                               "12",
                               esc)
                .verdict,
            EntryVerdict::NotHexadecimal);

  const EntryCheck accepted = CheckScancodeEntry("e01d", esc);
  EXPECT_EQ(accepted.verdict, EntryVerdict::Accepted);
  EXPECT_EQ(accepted.value, 0xE01D);
  EXPECT_EQ(CheckScancodeEntry("E01D", esc).value, 0xE01D);
  const EntryCheck cut = CheckScancodeEntry("12345", esc);  // only four are read
  EXPECT_EQ(cut.verdict, EntryVerdict::Accepted);
  EXPECT_EQ(cut.value, 0x1234);
  const EntryCheck zero = CheckScancodeEntry("0000", esc);
  EXPECT_EQ(zero.verdict, EntryVerdict::Accepted);
  EXPECT_EQ(zero.value, 0);
}

}  // namespace
}  // namespace kivora
