// kivora.ini on a real disk: the bytes written, the replace over an existing
// file and over one another program holds open, and the names it can hold.
#include "savedsets/set_file_system_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "savedsets/saved_set_file.h"
#include "ui/text_win.h"

namespace kivora {
namespace {

TEST(SetFileOnDisk, ReplacesAnExistingFileByteForByteButNotAHeldOne) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / (L"kivora-test-" + std::to_wstring(GetCurrentProcessId()));
  fs::remove_all(dir);  // left by an earlier run that failed, under a reused process id
  fs::create_directories(dir);
  const auto onDisk = [&] {
    std::ifstream in(dir / "kivora.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  WinSetFileSystem files;
  SavedSetTable table;
  ASSERT_FALSE(ReadSavedSetFile(table, files, dir));
  table.sets.push_back({.name = "MyKeys", .date = "2026.12.06", .pairs = {{58, 29}}});
  ASSERT_TRUE(WriteSavedSetFile(table, files));
  const std::string myKeys = "name=MyKeys              2026.12.06\r\nchg=   58   29\r\n";
  EXPECT_EQ(onDisk(), myKeys);
  // 表キー: a 0x5C trail byte must reach the disk unchanged.
  table.sets.push_back({.name = "\x95\x5C\x83\x4C\x81\x5B", .date = "2026.12.06"});
  ASSERT_TRUE(WriteSavedSetFile(table, files));
  const std::string both = myKeys + "name=\x95\x5C\x83\x4C\x81\x5B              2026.12.06\r\n";
  EXPECT_EQ(onDisk(), both);
  // Another program holds kivora.ini open without sharing deletion.
  const HANDLE holder = CreateFileW((dir / "kivora.ini").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  table.deleted[0] = true;
  EXPECT_FALSE(WriteSavedSetFile(table, files));
  CloseHandle(holder);
  EXPECT_EQ(onDisk(), both);
  EXPECT_FALSE(fs::exists(dir / "kivora.tmp"));
  fs::remove_all(dir);
}

// A typed name is stored as code page 932 bytes, never with '?' substitutes.
TEST(CodePage932, CharactersItLacksAreRefused) {
  std::string out = "kept";
  EXPECT_FALSE(WideToCp932(L"caf\u00e9", out));
  EXPECT_FALSE(WideToCp932(L"\U0001F600", out));
  EXPECT_EQ(out, "kept");
  ASSERT_TRUE(WideToCp932(L"\u8868\u30AD\u30FC", out));  // 表キー
  EXPECT_EQ(Cp932ToWide(out), L"\u8868\u30AD\u30FC");
  EXPECT_EQ(out, "\x95\x5C\x83\x4C\x81\x5B");
}

}  // namespace
}  // namespace kivora
