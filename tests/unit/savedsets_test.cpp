#include <gtest/gtest.h>

#include "savedsets/saved_set_file.h"
#include "savedsets/saved_set_format.h"
#include "tests/unit/fakes.h"

namespace kivora {
namespace {

using namespace std::string_literals;
using Sets = std::vector<SavedKeySet>;
using testing::FakeSetFileSystem;
using testing::Repeat;

const FilePath kDir = "/programs/kivora";
const std::string kOld = "name=old                 2026.01.01\r\nchg=   58   29\r\n";

std::string Written(const Sets& sets, std::array<bool, kMaxSavedSets> deleted = {}) {
  std::string text;
  for (const std::string& line : FormatSavedSets({.sets = sets, .deleted = deleted})) text += line;
  return text;
}

// Every row is read, written and read back to the same sets; an exact row's
// bytes are exactly what a save writes. What a rewrite would lose is named, by
// its first line: such a file is never rewritten.
TEST(SavedSetFormat, ReadsEveryFileAsADefiniteTable) {
  using enum ForeignKind;
  const std::string h20 = std::string(19, 'h') + "\x83";  // ending in a lead byte
  // clang-format off
  struct { const char* name; std::string bytes; Sets sets; ForeignContent foreign = {}; bool exact = false;
  } const rows[] = {
      {"a saved set", "name=MyKeys              2026.12.06\r\nchg=   58   29\r\nchg=5737357400\r\n",
       {{"MyKeys", "2026.12.06", {{58, 29}, {0xE01D, 0xE038}}}}, {}, true},
      {"twenty bytes ending in a lead byte", "name=" + h20 + "d\r\n", {{h20, "d"}}, {}, true},
      {"leading blanks kept, trailing ones dropped", "name=  ab  \n", {{"  ab"}}},
      {"last line without line end", "name=   ", {{""}}},
      {"a UTF-8 mark is skipped, blank lines carry nothing", "\xEF\xBB\xBFname=a\n \t\nchg=    1    2\n",
       {{"a", "", {{1, 2}}}}},
      {"a date past its columns", "name=a                   2026.12.06x\n", {{"a", "2026.12.06"}}, {UnknownLine, 1}},
      {"a UTF-16 mark, and no NUL to tell", "\xFE\xFFname=a\n", {}, {OtherEncoding, 1}},
      {"UTF-16, as Notepad saves Unicode", "\xFF\xFEn\0a\0m\0e\0=\0a\0\r\0\n\0"s, {}, {OtherEncoding, 1}},
      {"a comment line", "name=a\r\n; my layouts\r\n", {{"a"}}, {UnknownLine, 2}},
      {"pair fields like atoi, modulo 65536",
       "name=x\nchg=   -1    7\nchg=99999  +12\nchg=\t  12\r\v 34\nchg=  x 5 abcd\nchg=\n",
       {{"x", "", {{0xFFFF, 7}, {99999 - 65536, 12}, {12, 34}}}}, {UnknownLine, 5}},
      // Not loaded: "58 29" read as 58 would disable CapsLock.
      {"pairs not in their columns", "name=x\nchg=58 29\nchg=        12\nchg=   58   2x\n", {{"x"}}, {UnknownLine, 2}},
      {"stray and unknown lines",
       "chg=    1    2\nNAME=upper\nname=real\nChg=    3    4\n\ncomment\nchg=    5    6\n",
       {{"real", "", {{5, 6}}}}, {UnknownLine, 1}},
      {"twenty sets; the 21st's pairs dropped", Repeat("name=s\nchg=    1    2\n", 21),
       Sets(20, {"s", "", {{1, 2}}}), {TooManySets, 41}},
      {"a hundred pairs", "name=s\n" + Repeat("chg=    1    2\n", 101),
       {{"s", "", std::vector<ScancodePair>(100, {1, 2})}}, {TooManyPairs, 102}},
      {"lines read in pieces of 1023 bytes",
       "name=long\n" + std::string(1023, 'x') + "chg=    7    8\n", {{"long", "", {{7, 8}}}}, {UnknownLine, 2}},
      {"a NUL ends the line",
       "name=ab\0cd      2026.12.06\r\nchg=   58\0   29\r\n\0\0\0\r\n"s, {{"ab"}}, {OtherEncoding, 1}},
      {"a lone CR is a byte like any other",
       "name=a\rb\nchg=    3    4\rchg=    5    6\r\n", {{"a\rb"}}, {UnknownLine, 2}},
  };
  // clang-format on
  for (const auto& row : rows) {
    const SetFileText file = ParseSavedSets(row.bytes);
    EXPECT_EQ(std::tie(file.sets, file.foreign), std::tie(row.sets, row.foreign)) << row.name;
    const std::string written = Written(file.sets);
    EXPECT_EQ(ParseSavedSets(written).sets, file.sets) << row.name;
    EXPECT_TRUE(!row.exact || written == row.bytes) << row.name;
  }
}

// A write leaves deleted sets out, and cuts a name longer than 20 bytes (19, then
// the row's byte and 'x') before a lead byte rather than split the character.
TEST(SavedSetFormat, WritesNoDeletedSetsAndCutsOverlongNamesWhole) {
  const Sets ab = {{"a", "1"}, {"b", "2"}};
  EXPECT_EQ(Written(ab, {true}), "name=b                   2\r\n");
  EXPECT_EQ(Written(ab, {true, true}), "");
  const std::string a19(19, 'a');
  const std::pair<char, bool> rows[] = {{'\x80', true},  {'\x81', false}, {'\x9F', false},
                                        {'\xA0', true},  {'\xDF', true},  {'\xE0', false},
                                        {'\xFC', false}, {'\xFD', true}};
  for (auto [byte, kept] : rows) {
    EXPECT_EQ(Written({{a19 + byte + 'x'}}), "name=" + a19 + (kept ? byte : ' ') + "\r\n") << +byte;
  }
  std::string equals10;  // "＝" is 81 81: its second byte looks like a lead byte too
  for (int i = 0; i < 10; ++i) equals10 += "\x81\x81";
  EXPECT_EQ(Written({{equals10 + 'x'}}), "name=" + equals10 + "\r\n");
}

// Before the first read there is nowhere to write; every read starts over from a
// stale table, here one set flagged deleted. Only a missing file is no sets: one
// that cannot be read is never written over. A second write finds the first's file.
TEST(SavedSetFile, ReadFindsTheFileBesideTheProgram) {
  using enum testing::FileFault;
  const std::tuple<FilePath, bool, testing::FileFault, FilePath> rows[] = {
      {kDir, false, None, kDir + "/"}, {"/", true, None, "/"}, {kDir, true, Read, kDir + "/"}};
  for (const auto& [directory, exists, fault, expected] : rows) {
    FakeSetFileSystem fs;
    if (exists) fs.files[expected + "kivora.ini"] = kOld;
    fs.fault = fault;
    SavedSetTable table{.sets = {{.name = "stale"}}, .deleted = {true}};
    EXPECT_EQ(WriteSavedSetFile(table, fs), SetFileWrite::NotOurs) << directory;
    EXPECT_EQ(ReadSavedSetFile(table, fs, directory), fault == None) << directory;
    EXPECT_EQ(table.iniPath + table.tmpPath, expected + "kivora.ini" + expected + "kivora.tmp");
    EXPECT_EQ(table.sets.size(), exists && fault == None ? 1u : 0u) << directory;
    EXPECT_FALSE(table.deleted[0]) << directory;
    fs.fault = None;
    EXPECT_EQ(WriteSavedSetFile(table, fs) == SetFileWrite::Written, fault == None) << directory;
    EXPECT_EQ(WriteSavedSetFile(table, fs) == SetFileWrite::Written, fault == None) << directory;
    EXPECT_EQ(fs.files[expected + "kivora.ini"], exists ? kOld : "") << directory;
  }
}

}  // namespace
}  // namespace kivora
