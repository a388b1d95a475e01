#include "savedsets/saved_set_format.h"

#include <gtest/gtest.h>

#include "savedsets/set_name.h"

namespace kivora {
namespace {

using namespace std::string_literals;
using Sets = std::vector<SavedKeySet>;

std::string Written(const Sets& sets, std::array<bool, kMaxSavedSets> deleted = {}) {
  std::string text;
  for (const std::string& line : FormatSavedSets({.sets = sets, .deleted = deleted})) text += line;
  return text;
}

// `count` sets named s0, s1, ..., each with the pairs (10000, 1), (10001, 1), ...
std::string ManySets(int count, int pairs) {
  std::string text;
  for (int set = 0; set < count; ++set) {
    text += "name=s" + std::to_string(set) + "\n";
    for (int p = 0; p < pairs; ++p) text += "chg=" + std::to_string(10000 + p) + "    1\n";
  }
  return text;
}

// Every row is read, written and read back to the same sets; an exact row's
// bytes are exactly what a save writes.
TEST(SavedSetFormat, ReadsEveryFileAsADefiniteTable) {
  const std::string n20 = "\x95\x5C\x83\x4C\x81\x5B" + std::string(14, 'n');  // 表キー...
  const std::string h20 = std::string(19, 'h') + "\x83";  // ending in a lead byte
  // clang-format off
  struct Row { const char* name; std::string bytes; Sets sets; bool exact = false; };
  const Row rows[] = {
      {"a saved set", "name=MyKeys              2026.12.06\r\nchg=   58   29\r\nchg=5737357400\r\n",
       {{"MyKeys", "2026.12.06", {{58, 29}, {0xE01D, 0xE038}}}}, true},
      {"no sets", "", {}, true},
      {"twenty bytes, 0x5C as a trail byte", "name=" + n20 + "d\r\n", {{n20, "d"}}, true},
      {"twenty bytes ending in a lead byte", "name=" + h20 + "d\r\n", {{h20, "d"}}, true},
      {"leading blanks kept, trailing ones dropped", "name=  ab  \n", {{"  ab"}}},
      {"blank name, with a date", "name=                    2026.01.02\n", {{"", "2026.01.02"}}},
      {"last line without line end", "name=   ", {{""}}},
      {"pair fields like atoi, modulo 65536",
       "name=x\nchg=   -1    7\nchg=99999  +12\nchg=\t  12\r\v 34\nchg=  x 5 abcd\nchg=\n",
       {{"x", "", {{0xFFFF, 7}, {99999 - 65536, 12}, {12, 34}, {0, 0}, {0, 0}}}}},
      {"stray and unknown lines",
       "chg=    1    2\nNAME=upper\nname=real\nChg=    3    4\n\ncomment\nchg=    5    6\n",
       {{"real", "", {{5, 6}}}}},
      {"twenty sets; the 21st's pairs dropped", ManySets(21, 1), ParseSavedSets(ManySets(20, 1))},
      {"a hundred pairs", ManySets(1, 101), ParseSavedSets(ManySets(1, 100))},
      {"lines read in pieces of 1023 bytes",
       "name=long\n" + std::string(1023, 'x') + "chg=    7    8\n", {{"long", "", {{7, 8}}}}},
      {"a NUL ends the line",
       "name=ab\0cd      2026.12.06\r\nchg=   58\0   29\r\n\0\0\0\r\n"s, {{"ab", "", {{58, 0}}}}},
      {"a lone CR ends no line",
       "name=a\nchg=    3    4\rchg=    5    6\r\n", {{"a", "", {{3, 4}}}}},
  };
  // clang-format on
  for (const auto& row : rows) {
    const Sets sets = ParseSavedSets(row.bytes);
    EXPECT_EQ(sets, row.sets) << row.name;
    const std::string written = Written(sets);
    EXPECT_EQ(ParseSavedSets(written), sets) << row.name;
    EXPECT_EQ(row.exact ? written : row.bytes, row.bytes) << row.name;
  }
}

TEST(SavedSetFormat, WritesNoDeletedSetsAndCutsOverlongNamesWhole) {
  std::string tenWide;
  for (int i = 0; i < 10; ++i) tenWide += "\x82\xA0";  // あ: twenty bytes
  const Sets ab = {{"a", "1"}, {"b", "2"}};
  EXPECT_EQ(Written(ab, {true}), "name=b                   2\r\n");
  EXPECT_EQ(Written(ab, {true, true}), "");
  EXPECT_EQ(Written({{"a" + tenWide, "2026.12.06"}}),
            "name=a" + tenWide.substr(0, 18) + " 2026.12.06\r\n");
}

// A name of 19 bytes and then this byte and 'x' keeps it only when it is no lead byte.
TEST(CutToByteLimit, NeverSplitsADoubleByteCharacter) {
  // clang-format off
  const std::pair<unsigned char, std::size_t> rows[] = {{0x80, 20}, {0x81, 19}, {0x9F, 19},
      {0xA0, 20}, {0xDF, 20}, {0xE0, 19}, {0xFC, 19}, {0xFD, 20}};
  // clang-format on
  for (auto [byte, kept] : rows) {
    EXPECT_EQ(CutToByteLimit(std::string(19, 'a') + char(byte) + 'x', 20).size(), kept) << +byte;
  }
}

}  // namespace
}  // namespace kivora
