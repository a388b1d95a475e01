#include "savedsets/set_file_system_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "savedsets/saved_set_file.h"

namespace kivora {
namespace {

namespace fs = std::filesystem;

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class SetFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / (L"kivora-test-" + std::to_wstring(GetCurrentProcessId()) +
                                        L"-" + std::to_wstring(GetTickCount64()));
    dir = root;
    fs::create_directories(dir);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  static SavedKeySet Set(std::string name) {
    return {.name = std::move(name), .date = "2026.12.06", .pairs = {{58, 29}, {0xE01D, 0xE038}}};
  }
  fs::path root, dir;
  WinSetFileSystem files;
  SavedSetTable table;
};

TEST_F(SetFileOnDisk, SavesByteForByteAndReplacesTheOldFile) {
  ASSERT_FALSE(ReadSavedSetFile(table, files, dir));
  table.sets.push_back(Set("MyKeys"));
  ASSERT_TRUE(WriteSavedSetFile(table, files));
  const std::string myKeys =
      "name=MyKeys              2026.12.06\r\nchg=   58   29\r\nchg=5737357400\r\n";
  EXPECT_EQ(FileBytes(dir / "kivora.ini"), myKeys);
  EXPECT_FALSE(fs::exists(dir / "kivora.tmp"));

  // "表キー": a 0x5C trail byte must survive the disk unchanged.
  table.sets.push_back(Set("\x95\x5C\x83\x4C\x81\x5B"));
  ASSERT_TRUE(WriteSavedSetFile(table, files));  // over an existing kivora.ini
  const std::string both = FileBytes(dir / "kivora.ini");
  EXPECT_EQ(both.substr(0, myKeys.size()), myKeys);

  ASSERT_TRUE(ReadSavedSetFile(table, files, dir));
  ASSERT_EQ(table.sets.size(), 2u);
  EXPECT_EQ(table.sets[1], Set("\x95\x5C\x83\x4C\x81\x5B"));
  ASSERT_TRUE(WriteSavedSetFile(table, files));
  EXPECT_EQ(FileBytes(dir / "kivora.ini"), both);
}

TEST_F(SetFileOnDisk, AFailedReplaceLeavesTheOldFileAndNoTemporary) {
  ASSERT_FALSE(ReadSavedSetFile(table, files, dir));
  table.sets.push_back(Set("old"));
  ASSERT_TRUE(WriteSavedSetFile(table, files));
  const std::string old = FileBytes(dir / "kivora.ini");

  // Another program holds kivora.ini open without sharing deletion.
  const HANDLE holder = CreateFileW((dir / "kivora.ini").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  table.sets.push_back(Set("new"));
  EXPECT_FALSE(WriteSavedSetFile(table, files));
  CloseHandle(holder);
  EXPECT_EQ(FileBytes(dir / "kivora.ini"), old);
  EXPECT_FALSE(fs::exists(dir / "kivora.tmp"));
}

TEST_F(SetFileOnDisk, ADirectoryThatCannotBeWrittenFailsCleanly) {
  ASSERT_FALSE(ReadSavedSetFile(table, files, dir / "missing"));
  table.sets.push_back(Set("x"));
  EXPECT_FALSE(WriteSavedSetFile(table, files));
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

// A directory whose full path is exactly `length` characters.
fs::path DirectoryOfLength(const fs::path& base, std::size_t length) {
  fs::path dir = base;
  while (dir.wstring().size() + 1 + 40 + 1 + 20 < length) dir /= std::wstring(40, L'd');
  return dir / std::wstring(length - dir.wstring().size() - 1, L'e');
}

TEST_F(SetFileOnDisk, LongDirectoriesWork) {
  // 250 characters: kivora.ini's own path is then past MAX_PATH; and longer ones.
  for (std::size_t length : {250u, 300u, 1000u}) {
    dir = DirectoryOfLength(root, length);
    ASSERT_EQ(dir.wstring().size(), length);
    std::error_code error;
    fs::create_directories(dir, error);
    ASSERT_FALSE(error) << length;
    table = {};
    ASSERT_FALSE(ReadSavedSetFile(table, files, dir));
    table.sets.push_back(Set("deep"));
    ASSERT_TRUE(WriteSavedSetFile(table, files)) << length;
    ASSERT_TRUE(ReadSavedSetFile(table, files, dir)) << length;
    ASSERT_EQ(table.sets.size(), 1u);
    EXPECT_EQ(table.sets[0].name, "deep");
  }
}

// Past the longest path Windows has (32,767 characters) nothing can be read or
// written: both say so, and nothing is created or lost on the way.
TEST_F(SetFileOnDisk, ADirectoryPastThePathLimitFailsClearly) {
  ASSERT_FALSE(ReadSavedSetFile(table, files, dir));  // no file yet; the paths are set
  table.sets.push_back(Set("kept"));
  ASSERT_TRUE(WriteSavedSetFile(table, files));
  const std::string saved = FileBytes(dir / "kivora.ini");

  const fs::path tooLong = DirectoryOfLength(root, 33000);
  SavedSetTable deep;
  EXPECT_FALSE(ReadSavedSetFile(deep, files, tooLong));
  EXPECT_TRUE(deep.sets.empty());
  deep.sets.push_back(Set("new"));
  EXPECT_FALSE(WriteSavedSetFile(deep, files));
  EXPECT_EQ(deep.sets.size(), 1u);
  EXPECT_EQ(FileBytes(dir / "kivora.ini"), saved);
  EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
}

TEST_F(SetFileOnDisk, ExecutableDirectoryHoldsTheRunningProgram) {
  const fs::path exeDir = ExecutableDirectory();
  ASSERT_FALSE(exeDir.empty());
  EXPECT_TRUE(fs::exists(exeDir / "kivora_win_tests.exe")) << exeDir.string();
}

}  // namespace
}  // namespace kivora
