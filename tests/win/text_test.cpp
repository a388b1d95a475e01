#include "ui/text_win.h"

#include <gtest/gtest.h>

namespace kivora {
namespace {

// A typed name is stored as code page 932 bytes, never with '?' substitutes.
TEST(CodePage932, CharactersItLacksAreRefused) {
  std::string out = "kept";
  EXPECT_FALSE(WideToCp932(L"caf\u00e9", out));
  EXPECT_FALSE(WideToCp932(L"\U0001F600", out));
  EXPECT_EQ(out, "kept");
  ASSERT_TRUE(WideToCp932(L"\u8868\u30AD\u30FC", out));  // 表キー
  EXPECT_EQ(out, "\x95\x5C\x83\x4C\x81\x5B");
  EXPECT_EQ(Cp932ToWide(out), L"\u8868\u30AD\u30FC");
}

}  // namespace
}  // namespace kivora
