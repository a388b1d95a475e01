// kivora.ini on a real disk, and the names it can hold.
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

// Over an existing file, then over one another program holds open without
// sharing deletion: that save fails, and the file keeps every byte. A file held
// from reading fails the read; only a missing one reads as no sets.
TEST(SetFileOnDisk, ReplacesAnExistingFileByteForByteButNotAHeldOne) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / (L"kivora-test-" + std::to_wstring(GetCurrentProcessId()));
  fs::remove_all(dir);  // left by an earlier run that failed, under a reused process id
  fs::create_directories(dir);
  const auto bytes = [&dir](const wchar_t* name) {
    std::ifstream in(dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string old = "name=\x95\x5C\x83\x4C\x81\x5B              2026.12.06\r\n";  // 表キー
  std::ofstream(dir / "kivora.ini", std::ios::binary) << old;
  WinSetFileSystem files;
  SavedSetTable table;
  ASSERT_TRUE(ReadSavedSetFile(table, files, dir));
  table.sets.push_back({.name = "MyKeys", .date = "2026.12.06", .pairs = {{58, 29}}});
  const std::string saved = old + "name=MyKeys              2026.12.06\r\nchg=   58   29\r\n";
  for (const bool held : {false, true}) {
    const HANDLE holder = held ? CreateFileW((dir / "kivora.ini").c_str(), GENERIC_READ,
                                             FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                               : nullptr;
    table.deleted[0] = held;  // a save that went through would drop the first set
    EXPECT_EQ(WriteSavedSetFile(table, files) == SetFileWrite::Written, !held);
    if (holder) CloseHandle(holder);
    EXPECT_EQ(bytes(L"kivora.ini"), saved) << held;
    EXPECT_FALSE(fs::exists(dir / "kivora.tmp")) << held;
  }
  // Held without shared reading, the sets are there but unreadable: not none.
  const HANDLE locked = CreateFileW((dir / "kivora.ini").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(ReadSavedSetFile(table, files, dir));
  CloseHandle(locked);
  EXPECT_TRUE(ReadSavedSetFile(table, files, dir / "no-such-folder"));
  // Links planted as kivora.tmp and as kivora.ini, as a standard user may beside an
  // elevated Kivora: the save replaces the names, and writes neither file linked.
  std::ofstream(dir / "linked.ini", std::ios::binary) << old;
  std::ofstream(dir / "linked.tmp", std::ios::binary) << "other";
  fs::remove(dir / "kivora.ini");
  ASSERT_TRUE(
      CreateHardLinkW((dir / "kivora.ini").c_str(), (dir / "linked.ini").c_str(), nullptr) &&
      CreateHardLinkW((dir / "kivora.tmp").c_str(), (dir / "linked.tmp").c_str(), nullptr));
  ASSERT_TRUE(ReadSavedSetFile(table, files, dir));
  table.sets.push_back({.name = "Mine"});
  EXPECT_EQ(WriteSavedSetFile(table, files), SetFileWrite::Written);
  fs::create_directory(dir / "kivora.tmp");  // cannot be made new: nothing changes
  EXPECT_EQ(WriteSavedSetFile(table, files), SetFileWrite::NotCreated);
  EXPECT_EQ(bytes(L"linked.ini") + bytes(L"linked.tmp"), old + "other");
  // Saved by Notepad as "Unicode": read, but never cut down to what Kivora understood.
  const std::string utf16("\xFF\xFEn\0a\0m\0e\0=\0a\0\r\0\n\0", 18);
  std::ofstream(dir / "kivora.ini", std::ios::binary) << utf16;
  ASSERT_TRUE(ReadSavedSetFile(table, files, dir));
  table.sets.push_back({.name = "Three"});
  EXPECT_EQ(WriteSavedSetFile(table, files), SetFileWrite::NotOurs);
  EXPECT_EQ(bytes(L"kivora.ini"), utf16);
  std::ofstream(dir / "kivora.ini", std::ios::binary) << std::string(kMaxSetFileBytes + 1, '\n');
  EXPECT_TRUE(ReadSavedSetFile(table, files, dir) && table.foreign.kind == ForeignKind::TooLarge);
  fs::remove_all(dir);
}

// A typed name is stored as code page 932 bytes, never with '?' substitutes.
TEST(CodePage932, CharactersItLacksAreRefused) {
  std::string out = "kept";
  EXPECT_FALSE(WideToCp932(L"caf\u00e9", out));
  EXPECT_FALSE(WideToCp932(L"\U0001F600", out));
  EXPECT_EQ(out, "kept");
  ASSERT_TRUE(WideToCp932(L"\u8868\u30AD\u30FC", out));  // 表キー
  EXPECT_EQ(out, "\x95\x5C\x83\x4C\x81\x5B");
}

}  // namespace
}  // namespace kivora
