#include <gtest/gtest.h>

#include <string>

#include "keymodel/key_catalogue.h"
#include "ui/text_win.h"

namespace kivora {
namespace {

// Every label must exist in code page 932 and fit 20 bytes, since saved names and
// labels share the same byte limits.
TEST(LabelEncoding, EveryLabelFitsTwentyCodePage932Bytes) {
  const KeyCatalogue catalogue;
  std::size_t longest = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    for (const char* label : {catalogue[slot].topLabel, catalogue[slot].bottomLabel}) {
      const std::wstring wide = Utf8ToWide(label);
      std::string bytes;
      ASSERT_TRUE(WideToCp932(wide, bytes)) << "slot " << slot << ": " << label;
      EXPECT_LE(bytes.size(), 20u) << "slot " << slot << ": " << label;
      EXPECT_EQ(Cp932ToWide(bytes), wide) << "slot " << slot;
      longest = std::max(longest, bytes.size());
    }
  }
  EXPECT_EQ(longest, 18u);  // "キーを無効にする！"
  std::string bytes;
  ASSERT_TRUE(WideToCp932(Utf8ToWide(catalogue[15].topLabel), bytes));
  EXPECT_EQ(bytes, "\x81\x49\x81\x40");  // "！" and the full-width space
}

TEST(LabelEncoding, CharactersOutsideCodePage932AreRefused) {
  std::string out = "kept";
  EXPECT_FALSE(WideToCp932(L"caf\u00e9", out));
  EXPECT_FALSE(WideToCp932(L"\U0001F600", out));
  EXPECT_EQ(out, "kept");
  ASSERT_TRUE(WideToCp932(L"\u8868", out));  // 表: a backslash as second byte
  EXPECT_EQ(out, "\x95\x5C");
  ASSERT_TRUE(WideToCp932(L"", out));
  EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace kivora
