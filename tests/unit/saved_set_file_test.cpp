#include "savedsets/saved_set_file.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace kivora {
namespace {

using testing::FakeSetFileSystem;
using testing::FileFault;

const FilePath kDir = "/programs/kivora";
const FilePath kIni = kDir + "/kivora.ini";
const std::string kOld = "name=old                 2026.01.01\r\nchg=   58   29\r\n";

// Every read starts over: a stale table (one set, flagged deleted) is replaced.
TEST(SavedSetFile, ReadFindsTheFileBesideTheProgram) {
  struct {
    const char* name;
    FilePath directory;
    std::optional<std::string> file;
    bool read;
    FilePath paths;  // kivora.ini and kivora.tmp are this followed by the name
    std::size_t sets;
  } const rows[] = {
      {"no file", kDir, std::nullopt, false, kDir + "/", 0},
      {"empty file", kDir, "", true, kDir + "/", 0},
      {"one set", kDir, kOld, true, kDir + "/", 1},
      {"a root folder", "/", kOld, true, "/", 1},
  };
  for (const auto& row : rows) {
    FakeSetFileSystem fs;
    if (row.file) fs.files[row.paths + "kivora.ini"] = *row.file;
    SavedSetTable table;
    table.sets.push_back({.name = "stale"});
    table.deleted[0] = true;
    EXPECT_EQ(ReadSavedSetFile(table, fs, row.directory), row.read) << row.name;
    EXPECT_EQ(table.iniPath, row.paths + "kivora.ini") << row.name;
    EXPECT_EQ(table.tmpPath, row.paths + "kivora.tmp") << row.name;
    EXPECT_EQ(table.sets.size(), row.sets) << row.name;
    EXPECT_FALSE(table.deleted[0]) << row.name;
  }
}

TEST(SavedSetFile, WriteReplacesTheFileLeavingOutDeletedSets) {
  FakeSetFileSystem fs;
  SavedSetTable table;
  table.sets.push_back({.name = "x"});
  EXPECT_FALSE(WriteSavedSetFile(table, fs));  // no read: nowhere to write
  EXPECT_TRUE(fs.files.empty());

  fs.files[kIni] = kOld;
  ASSERT_TRUE(ReadSavedSetFile(table, fs, kDir));
  table.sets.push_back({.name = "new", .date = "2026.12.06", .pairs = {{1, 0}}});
  ASSERT_TRUE(WriteSavedSetFile(table, fs));
  EXPECT_EQ(fs.files,
            (std::map<FilePath, std::string>{
                {kIni, kOld + "name=new                 2026.12.06\r\nchg=    1    0\r\n"}}));
  table.deleted = {true, true};
  ASSERT_TRUE(WriteSavedSetFile(table, fs));
  EXPECT_EQ(fs.files, (std::map<FilePath, std::string>{{kIni, ""}}));
}

// Whatever step fails, kivora.ini keeps every byte, the temporary is gone, and
// the next save goes through. The five line rows are every line this save writes.
TEST(SavedSetFile, AFailedSaveLeavesTheOldFile) {
  struct {
    const char* name;
    FileFault fault;
    int line = 0;
  } const rows[] = {{"create", FileFault::Create},       {"line 0", FileFault::WriteLine, 0},
                    {"line 1", FileFault::WriteLine, 1}, {"line 2", FileFault::WriteLine, 2},
                    {"line 3", FileFault::WriteLine, 3}, {"line 4", FileFault::WriteLine, 4},
                    {"flush", FileFault::Flush},         {"close", FileFault::Close},
                    {"replace", FileFault::Replace}};
  for (const auto& row : rows) {
    const std::string_view name = row.name;
    FakeSetFileSystem fs;
    fs.files[kIni] = kOld;
    SavedSetTable table;
    ASSERT_TRUE(ReadSavedSetFile(table, fs, kDir));
    table.sets.push_back({.name = "new", .date = "2026.12.06", .pairs = {{1, 2}, {3, 4}}});
    fs.fault = row.fault;
    fs.failingLine = row.line;
    EXPECT_FALSE(WriteSavedSetFile(table, fs)) << name;
    EXPECT_EQ(fs.files, (std::map<FilePath, std::string>{{kIni, kOld}})) << name;
    EXPECT_EQ(fs.openFiles, 0) << name;
    fs.fault = FileFault::None;
    EXPECT_TRUE(WriteSavedSetFile(table, fs)) << name;
    EXPECT_EQ(fs.files[kIni],
              kOld + "name=new                 2026.12.06\r\nchg=    1    2\r\nchg=    3    4\r\n")
        << name;
  }
}

}  // namespace
}  // namespace kivora
