#include "savedsets/saved_set_file.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace kivora {
namespace {

using testing::FakeSetFileSystem;
using testing::FileFault;

const FilePath kDir = "/programs/kivora";
const std::string kOld = "name=old                 2026.01.01\r\nchg=   58   29\r\n";

TEST(SavedSetFile, ReadComputesBothPathsAndClearsTheTable) {
  FakeSetFileSystem fs;
  SavedSetTable table;
  table.sets.push_back({.name = "stale"});
  table.deleted[0] = true;
  EXPECT_FALSE(ReadSavedSetFile(table, fs, kDir));  // missing: no sets, false
  EXPECT_TRUE(table.sets.empty());
  EXPECT_FALSE(table.deleted[0]);
  EXPECT_EQ(table.iniPath, kDir + "/kivora.ini");
  EXPECT_EQ(table.tmpPath, kDir + "/kivora.tmp");
  ReadSavedSetFile(table, fs, "/");  // a folder ending in a separator gets no second one
  EXPECT_EQ(table.iniPath, "/kivora.ini");

  fs.files[kDir + "/kivora.ini"] = "";
  EXPECT_TRUE(ReadSavedSetFile(table, fs, kDir));  // empty: no sets, true
  EXPECT_TRUE(table.sets.empty());

  fs.files[kDir + "/kivora.ini"] = kOld;
  EXPECT_TRUE(ReadSavedSetFile(table, fs, kDir));
  ASSERT_EQ(table.sets.size(), 1u);
  EXPECT_EQ(table.sets[0].name, "old");
}

TEST(SavedSetFile, WriteReplacesTheFileAndLeavesNoTemporary) {
  FakeSetFileSystem fs;
  fs.files[kDir + "/kivora.ini"] = kOld;
  SavedSetTable table;
  ASSERT_TRUE(ReadSavedSetFile(table, fs, kDir));
  table.sets.push_back({.name = "new", .date = "2026.12.06", .pairs = {{1, 0}}});
  ASSERT_TRUE(WriteSavedSetFile(table, fs));
  EXPECT_EQ(fs.files[kDir + "/kivora.ini"],
            kOld + "name=new                 2026.12.06\r\nchg=    1    0\r\n");
  EXPECT_FALSE(fs.files.contains(kDir + "/kivora.tmp"));
  EXPECT_EQ(table.sets.size(), 2u);  // the write changes nothing in the table

  // Deleting: the write leaves out the flagged set, the read closes the gap.
  table.deleted[0] = true;
  ASSERT_TRUE(WriteSavedSetFile(table, fs));
  ASSERT_TRUE(ReadSavedSetFile(table, fs, kDir));
  ASSERT_EQ(table.sets.size(), 1u);
  EXPECT_EQ(table.sets[0].name, "new");
  EXPECT_FALSE(table.deleted[0]);

  table.deleted[0] = true;  // every set deleted: an empty file
  ASSERT_TRUE(WriteSavedSetFile(table, fs));
  EXPECT_EQ(fs.files[kDir + "/kivora.ini"], "");
}

TEST(SavedSetFile, WriteWithoutARead) {
  FakeSetFileSystem fs;
  SavedSetTable table;
  table.sets.push_back({.name = "x"});
  EXPECT_FALSE(WriteSavedSetFile(table, fs));
  EXPECT_TRUE(fs.files.empty());
}

struct FaultCase {
  const char* name;
  FileFault fault;
  int failingLine;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class SavedSetFileFault : public ::testing::TestWithParam<FaultCase> {};

// Whatever step fails, kivora.ini keeps every byte it had and the temporary is
// gone; the five rows of line writes are every line this save writes.
TEST_P(SavedSetFileFault, LeavesTheOldFileAndReportsFailure) {
  FakeSetFileSystem fs;
  fs.files[kDir + "/kivora.ini"] = kOld;
  SavedSetTable table;
  ASSERT_TRUE(ReadSavedSetFile(table, fs, kDir));
  table.sets.push_back({.name = "new", .date = "2026.12.06", .pairs = {{1, 2}, {3, 4}}});
  const std::vector<SavedKeySet> before = table.sets;

  fs.fault = GetParam().fault;
  fs.failingLine = GetParam().failingLine;
  EXPECT_FALSE(WriteSavedSetFile(table, fs));
  EXPECT_EQ(fs.files[kDir + "/kivora.ini"], kOld);
  EXPECT_FALSE(fs.files.contains(kDir + "/kivora.tmp"));
  EXPECT_EQ(fs.openFiles, 0);
  EXPECT_EQ(table.sets, before);

  fs.fault = FileFault::None;  // the next save goes through
  EXPECT_TRUE(WriteSavedSetFile(table, fs));
  ASSERT_TRUE(ReadSavedSetFile(table, fs, kDir));
  EXPECT_EQ(table.sets, before);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, SavedSetFileFault,
                         ::testing::Values(FaultCase{"create", FileFault::Create, 0},
                                           FaultCase{"line0", FileFault::WriteLine, 0},
                                           FaultCase{"line1", FileFault::WriteLine, 1},
                                           FaultCase{"line2", FileFault::WriteLine, 2},
                                           FaultCase{"line3", FileFault::WriteLine, 3},
                                           FaultCase{"line4", FileFault::WriteLine, 4},
                                           FaultCase{"flush", FileFault::Flush, 0},
                                           FaultCase{"close", FileFault::Close, 0},
                                           FaultCase{"replace", FileFault::Replace, 0}),
                         [](const ::testing::TestParamInfo<FaultCase>& test) {
                           return test.param.name;
                         });

}  // namespace
}  // namespace kivora
