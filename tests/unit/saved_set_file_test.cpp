#include "savedsets/saved_set_file.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace kivora {
namespace {

using testing::FakeSetFileSystem;
using enum testing::FileFault;

const FilePath kDir = "/programs/kivora", kIni = kDir + "/kivora.ini";
const std::string kOld = "name=old                 2026.01.01\r\nchg=   58   29\r\n";

// Before the first read there is nowhere to write; every read starts over from a
// stale table, here one set flagged deleted.
TEST(SavedSetFile, ReadFindsTheFileBesideTheProgram) {
  // clang-format off
  struct { const char* name; FilePath directory; std::optional<std::string> file; bool read; FilePath paths; } const rows[] = {
      {"no file", kDir, std::nullopt, false, kDir + "/"},
      {"one set", kDir, kOld, true, kDir + "/"},
      {"a root folder", "/", kOld, true, "/"},
  };
  // clang-format on
  for (const auto& row : rows) {
    FakeSetFileSystem fs;
    if (row.file) fs.files[row.paths + "kivora.ini"] = *row.file;
    SavedSetTable table{.sets = {{.name = "stale"}}, .deleted = {true}};
    EXPECT_FALSE(WriteSavedSetFile(table, fs)) << row.name;
    EXPECT_EQ(ReadSavedSetFile(table, fs, row.directory), row.read) << row.name;
    EXPECT_EQ(table.iniPath, row.paths + "kivora.ini") << row.name;
    EXPECT_EQ(table.tmpPath, row.paths + "kivora.tmp") << row.name;
    EXPECT_EQ(table.sets.size(), row.read ? 1u : 0u) << row.name;
    EXPECT_FALSE(table.deleted[0]) << row.name;
  }
}

// Whatever step fails, kivora.ini keeps every byte and the temporary is gone.
TEST(SavedSetFile, ASaveReplacesTheFileOrLeavesItWhole) {
  const std::string saved = kOld + "name=new                 2026.12.06\r\nchg=    1    2\r\n";
  const std::pair<const char*, testing::FileFault> rows[] = {
      {"saved", None},  {"create", Create}, {"write", Write},
      {"flush", Flush}, {"close", Close},   {"replace", Replace}};
  for (auto [name, fault] : rows) {
    FakeSetFileSystem fs;
    fs.files[kIni] = kOld;
    SavedSetTable table;
    ASSERT_TRUE(ReadSavedSetFile(table, fs, kDir));
    table.sets.push_back({.name = "new", .date = "2026.12.06", .pairs = {{1, 2}}});
    fs.fault = fault;
    EXPECT_EQ(WriteSavedSetFile(table, fs), fault == None) << name;
    EXPECT_EQ(fs.files, (decltype(fs.files){{kIni, fault == None ? saved : kOld}})) << name;
  }
}

}  // namespace
}  // namespace kivora
