#include "keymodel/key_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kivora {
namespace {

// Look-ups by scancode and by label rely on these: each key once, spare slots
// without label or scancode.
TEST(KeyCatalogue, EachKeyOnceAndNothingElseLooksLikeAKey) {
  const KeyCatalogue c;
  std::set<Scancode> seen;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool key = slot >= kFirstKeySlot && slot <= kLastKeySlot;
    EXPECT_EQ(c[slot].scancode != 0, key) << slot;
    EXPECT_TRUE(!key || (seen.insert(c[slot].scancode).second && c[slot].HasLabel())) << slot;
  }
  for (int spare : {0, 110, 148, 152, 159, 170, 171}) EXPECT_FALSE(c[spare].HasLabel()) << spare;
  for (int raw = kFirstRawSlot; raw <= kLastRawSlot; ++raw) {
    EXPECT_EQ(std::string(c[raw].topLabel) + c[raw].bottomLabel, "Scancode") << raw;
  }
}

TEST(KeyCatalogue, KeysEasyToConfuse) {
  struct {
    int slot;
    Scancode scancode;
    const char* top;
    const char* bottom;
    int fontHeight;
  } const rows[] = {
      {82, 0xE045, "Pause", "", 10},        {93, 0x0045, "Num", "Lock", 10},
      {86, 0xE053, "Delete", "", 8},        {109, 0x0053, "．", "", 10},
      {42, 0x001C, "Enter", "左", 10},      {107, 0xE01C, "Enter", "右", 10},
      {43, 0x003A, "CapsLock", "英数", 10}, {74, 0x0079, "前変換", "変換(次候補)", 7},
      {15, 0x0002, "！　", "１ぬ", 10},     {1, 0x0001, "Esc", "", 12},
  };
  const KeyCatalogue c;
  for (const auto& row : rows) {
    EXPECT_EQ(c[row.slot].scancode, row.scancode) << row.slot;
    EXPECT_STREQ(c[row.slot].topLabel, row.top) << row.slot;
    EXPECT_STREQ(c[row.slot].bottomLabel, row.bottom) << row.slot;
    EXPECT_EQ(c[row.slot].fontHeight, row.fontHeight) << row.slot;
  }
  EXPECT_STREQ(c[kDisableSlot].topLabel, "キーを無効にする！");
  EXPECT_STREQ(c[kDisabledLabelSlot].topLabel, "無効");
}

}  // namespace
}  // namespace kivora
