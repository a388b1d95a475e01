#include "savedsets/saved_set_format.h"

#include <gtest/gtest.h>

#include <numeric>

#include "savedsets/set_name.h"

namespace kivora {
namespace {

using namespace std::string_literals;
using Sets = std::vector<SavedKeySet>;

std::string Written(const Sets& sets, std::array<bool, kMaxSavedSets> deleted = {}) {
  SavedSetTable table;
  table.sets = sets;
  table.deleted = deleted;
  const std::vector<std::string> lines = FormatSavedSets(table);
  return std::accumulate(lines.begin(), lines.end(), std::string());
}

// `count` sets named s0, s1, ..., each with `pairs` pairs (set, pair).
std::string ManySets(int count, int pairs) {
  std::string text;
  for (int set = 0; set < count; ++set) {
    text += "name=s" + std::to_string(set) + "\r\n";
    for (int pair = 0; pair < pairs; ++pair) {
      text += "chg=" + std::to_string(10000 + set) + std::to_string(10000 + pair) + "\r\n";
    }
  }
  return text;
}

// Every row is read, written and read back to the same sets; a canonical row's
// bytes are exactly what a save writes.
TEST(SavedSetFormat, ReadsEveryFileAsADefiniteTable) {
  const std::string hyou = "\x95\x5C\x83\x4C\x81\x5B";  // 表キー: 0x5C as a trail byte
  const std::string notCp932 = "\x80\xA0\xFD\xFE\xFF\x81\x7F\x85\x40";
  const std::string mega(2 * 1024 * 1024, 'x');
  const std::string n20(20, 'n'), h20 = std::string(19, 'h') + "\x83";  // a lead byte last
  Sets twenty = ParseSavedSets(ManySets(19, 1));
  twenty.push_back({.name = "s19", .pairs = {{10019, 10000}}});
  struct {
    const char* name;
    std::string bytes;
    Sets sets;
    bool canonical = false;
  } const rows[] = {
      {"a saved set",
       "name=MyKeys              2026.12.06\r\nchg=   58   29\r\nchg=5737357400\r\n",
       {{"MyKeys", "2026.12.06", {{58, 29}, {0xE01D, 0xE038}}}},
       true},
      {"no sets", "", {}, true},
      {"name bytes kept", "name=" + hyou + "x             d\r\n", {{hyou + "x", "d"}}, true},
      {"twenty bytes", "name=" + n20 + "d\r\n", {{n20, "d"}}, true},
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
      {"twenty sets; the 21st's pairs dropped", ManySets(21, 1), twenty},
      {"a hundred pairs", ManySets(1, 101), ParseSavedSets(ManySets(1, 100))},
      {"lines read in pieces of 1023 bytes",
       "name=long\n" + std::string(1023, 'x') + "chg=    7    8\n",
       {{"long", "", {{7, 8}}}}},
      {"a NUL ends the line",
       "name=ab\0cd      2026.12.06\r\nchg=   58\0   29\r\n\0\0\0\r\n"s,
       {{"ab", "", {{58, 0}}}}},
      {"a lone CR ends no line",
       "name=a\nchg=    3    4\rchg=    5    6\r\n",
       {{"a", "", {{3, 4}}}}},
      {"CR-only line ends",
       "name=MyKeys\rchg=   58   29\rchg=    1    2\r",
       {{"MyKeys\rchg=   58   2", "9\rchg=    "}}},
      {"a two-megabyte line",
       "name=big" + mega + "\r\nchg=    1    2\r\n",
       {{"big" + mega.substr(0, 17), mega.substr(0, 10), {{1, 2}}}}},
      {"not code page 932", "name=" + notCp932 + "\r\n", {{notCp932}}},
  };
  for (const auto& row : rows) {
    const Sets sets = ParseSavedSets(row.bytes);
    EXPECT_EQ(sets, row.sets) << row.name;
    const std::string written = Written(sets);
    EXPECT_EQ(ParseSavedSets(written), sets) << row.name;
    EXPECT_TRUE(!row.canonical || written == row.bytes) << row.name << ": " << written;
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
  const std::pair<std::string, std::string> cuts[] = {{tenWide + "\x82\xA0", tenWide},
                                                      {"a" + tenWide, "a" + tenWide.substr(0, 18)},
                                                      {"abc", "abc"}};
  for (const auto& [name, cut] : cuts) EXPECT_EQ(CutToByteLimit(name, 20), cut) << name;
}

}  // namespace
}  // namespace kivora
