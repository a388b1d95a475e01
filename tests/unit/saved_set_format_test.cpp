#include "savedsets/saved_set_format.h"

#include <gtest/gtest.h>

#include <numeric>

#include "savedsets/set_name.h"

namespace kivora {
namespace {

using namespace std::string_literals;

std::string Joined(const std::vector<std::string>& lines) {
  return std::accumulate(lines.begin(), lines.end(), std::string());
}

SavedSetTable TableOf(std::vector<SavedKeySet> sets) {
  SavedSetTable table;
  table.sets = std::move(sets);
  return table;
}

const std::string kMyKeys =
    "name=MyKeys              2026.12.06\r\n"
    "chg=   58   29\r\n"
    "chg=5737357400\r\n";

TEST(SavedSetFormat, WritesFixedColumnsWithCrLf) {
  const SavedSetTable table =
      TableOf({{.name = "MyKeys", .date = "2026.12.06", .pairs = {{58, 29}, {0xE01D, 0xE038}}}});
  const std::vector<std::string> lines = FormatSavedSets(table);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 35u + 2);
  EXPECT_EQ(lines[1].size(), 14u + 2);
  EXPECT_EQ(Joined(lines), kMyKeys);
}

TEST(SavedSetFormat, ReadsTheWrittenExampleBack) {
  const std::vector<SavedKeySet> sets = ParseSavedSets(kMyKeys);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].name, "MyKeys");
  EXPECT_EQ(sets[0].date, "2026.12.06");
  EXPECT_EQ(sets[0].pairs, (std::vector<ScancodePair>{{58, 29}, {0xE01D, 0xE038}}));
}

TEST(SavedSetFormat, LeavesOutDeletedSetsAndWritesNothingForNoSets) {
  SavedSetTable table = TableOf({{.name = "a", .date = "1"}, {.name = "b", .date = "2"}});
  table.deleted[0] = true;
  EXPECT_EQ(Joined(FormatSavedSets(table)), "name=b                   2\r\n");
  table.deleted[1] = true;
  EXPECT_TRUE(FormatSavedSets(table).empty());
  EXPECT_TRUE(ParseSavedSets("").empty());
}

TEST(SavedSetFormat, NamesKeepLeadingBlanksAndLoseTrailingOnes) {
  auto sets = ParseSavedSets("name=  ab  \nname=                    2026.01.02\nname=   ");
  ASSERT_EQ(sets.size(), 3u);
  EXPECT_EQ(sets[0].name, "  ab");
  EXPECT_EQ(sets[0].date, "");
  EXPECT_EQ(sets[1].name, "");
  EXPECT_EQ(sets[1].date, "2026.01.02");
  EXPECT_EQ(sets[2].name, "");  // a last line without a line end counts too
}

TEST(SavedSetFormat, PairFieldsConvertLikeAtoiModulo65536) {
  auto sets = ParseSavedSets(
      "name=x\n"
      "chg=   -1    7\n"
      "chg=99999  +12\n"
      "chg=   12\n"       // ends after the from field: to is 0
      "chg=  x 5 abcd\n"  // no digits: 0
      "chg=\n");
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].pairs,
            (std::vector<ScancodePair>{{0xFFFF, 7}, {99999 - 65536, 12}, {12, 0}, {0, 0}, {0, 0}}));
}

TEST(SavedSetFormat, IgnoresStrayAndUnknownLines) {
  auto sets = ParseSavedSets(
      "chg=    1    2\n"  // before any set
      "NAME=upper\n"
      "name=real\n"
      "Chg=    3    4\n"
      "\n"
      "comment\n"
      "chg=    5    6\n");
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].name, "real");
  EXPECT_EQ(sets[0].pairs, (std::vector<ScancodePair>{{5, 6}}));
}

TEST(SavedSetFormat, LimitsTwentySetsAndAHundredPairs) {
  std::string text;
  for (int set = 0; set < 21; ++set) {
    text += "name=set" + std::to_string(set) + "\r\n";
    for (int pair = 0; pair <= 100; ++pair)
      text += "chg=" + std::to_string(10000 + set) + "    1\r\n";
  }
  const auto sets = ParseSavedSets(text);
  ASSERT_EQ(sets.size(), 20u);
  EXPECT_EQ(sets[19].name, "set19");
  ASSERT_EQ(sets[19].pairs.size(), 100u);  // the 21st set's pairs do not spill into it
  EXPECT_EQ(sets[19].pairs.back().from, 10019);
}

// Files no version of the program wrote: each reads as a definite table, and that
// table is written and read back unchanged.
TEST(SavedSetFormat, DamagedFilesReadAsADefiniteTable) {
  // Never a lead byte (0x80, 0xA0, 0xFD..0xFF), a lead byte with a trail byte that
  // cannot follow it (0x81 0x7F), and a pair in a row with no characters (0x85 0x40).
  const std::string notCp932 = "\x80\xA0\xFD\xFE\xFF\x81\x7F\x85\x40";
  const std::string megaLine(2 * 1024 * 1024, 'x');
  struct {
    const char* name;
    std::string bytes;
    std::vector<SavedKeySet> sets;
  } const cases[] = {
      {"empty", "", {}},
      {"nulBytes",
       "name=ab\0cd      2026.12.06\r\nchg=   58\0   29\r\n\0\0\0\r\n"s,
       {{.name = "ab", .pairs = {{58, 0}}}}},
      {"crOnlyLineEnds",
       "name=MyKeys\rchg=   58   29\rchg=    1    2\r",
       {{.name = "MyKeys\rchg=   58   2", .date = "9\rchg=    "}}},
      {"twoMegabyteLine",
       "name=big" + megaLine + "\r\nchg=    1    2\r\n",
       {{.name = "big" + megaLine.substr(0, 17),
         .date = megaLine.substr(0, 10),
         .pairs = {{1, 2}}}}},
      {"notCodePage932", "name=" + notCp932 + "\r\n", {{.name = notCp932}}},
  };
  for (const auto& c : cases) {
    const auto sets = ParseSavedSets(c.bytes);
    EXPECT_EQ(sets, c.sets) << c.name;
    EXPECT_EQ(ParseSavedSets(Joined(FormatSavedSets(TableOf(sets)))), sets) << c.name;
  }
}

TEST(SavedSetFormat, LongLinesAreReadInPiecesOf1023Bytes) {
  // The second piece of this line starts with "chg=" and is read as a pair line.
  std::string text = "name=long\n" + std::string(1023, 'x') + "chg=    7    8\n";
  // A NUL ends a line for the reader; what follows it on that line is lost.
  text += std::string("chg=    1\0    2\n", 16);
  // CR alone is no line end.
  text += "chg=    3    4\rchg=    5    6\n";
  const auto sets = ParseSavedSets(text);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].pairs, (std::vector<ScancodePair>{{7, 8}, {1, 0}, {3, 4}}));
}

TEST(SavedSetFormat, NameBytesRoundTripUntouched) {
  // "表" is 0x95 0x5C in code page 932: its second byte is a backslash.
  const std::string hyou = "\x95\x5C";
  const std::string name = hyou + "\x83\x4C\x81\x5B" + "x";  // 表キー x
  // Twenty bytes read from a file whose last is a lead byte: kept, not cut to 19.
  const std::string halfCharacter = std::string(19, 'h') + "\x83";
  const SavedSetTable table = TableOf({{.name = name, .date = "2026.12.06", .pairs = {{1, 2}}},
                                       {.name = std::string(20, 'n'), .date = "d"},
                                       {.name = halfCharacter, .date = "2026.12.06"}});
  const std::string bytes = Joined(FormatSavedSets(table));
  const auto sets = ParseSavedSets(bytes);
  EXPECT_EQ(sets, table.sets);
  EXPECT_EQ(Joined(FormatSavedSets(TableOf(sets))), bytes);
}

TEST(SavedSetFormat, OverlongNamesAreCutWithoutSplittingACharacter) {
  // Ten double-byte characters fill twenty bytes; one more would split.
  const std::string tenWide = [] {
    std::string s;
    for (int i = 0; i < 10; ++i) s += "\x82\xA0";  // あ
    return s;
  }();
  EXPECT_EQ(CutToByteLimit(tenWide + "\x82\xA0", 20), tenWide);
  EXPECT_EQ(CutToByteLimit("a" + tenWide, 20), "a" + tenWide.substr(0, 18));
  EXPECT_EQ(CutToByteLimit("abc", 20), "abc");
  const SavedSetTable table = TableOf({{.name = "a" + tenWide, .date = "2026.12.06"}});
  EXPECT_EQ(Joined(FormatSavedSets(table)), "name=a" + tenWide.substr(0, 18) + " 2026.12.06\r\n");
}

}  // namespace
}  // namespace kivora
