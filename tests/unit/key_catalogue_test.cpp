#include "keymodel/key_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kivora {
namespace {

// Look-ups by scancode and by label rely on these: each key once, at a label
// height there is a font for, spare slots without label or scancode.
TEST(KeyCatalogue, EachKeyOnceAndNothingElseLooksLikeAKey) {
  const KeyCatalogue c;
  std::set<Scancode> seen;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const bool key = slot >= kFirstKeySlot && slot <= kLastKeySlot;
    EXPECT_EQ(c[slot].scancode != 0, key) << slot;
    EXPECT_TRUE(!key || (seen.insert(c[slot].scancode).second && c[slot].HasLabel())) << slot;
    EXPECT_TRUE(!key || (std::set{7, 8, 10, 12}.contains(c[slot].fontHeight))) << slot;
  }
  for (int spare : {0, 110, 148, 152, 159, 170, 171}) EXPECT_FALSE(c[spare].HasLabel()) << spare;
  EXPECT_STREQ(c[kDisableSlot].topLabel, "キーを無効にする！");
  EXPECT_STREQ(c[kDisabledLabelSlot].topLabel, "無効");
  for (int raw = kFirstRawSlot; raw <= kLastRawSlot; ++raw) {
    EXPECT_EQ(std::string(c[raw].topLabel) + c[raw].bottomLabel, "Scancode") << raw;
  }
}

}  // namespace
}  // namespace kivora
