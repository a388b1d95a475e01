#include "savedsets/saved_set_file.h"

#include <string>
#include <string_view>

#include "savedsets/saved_set_format.h"

namespace kivora {
namespace {

// The folder, a separator unless it already ends in one, and the name.
FilePath JoinPath(const FilePath& directory, std::string_view name) {
#ifdef _WIN32
  constexpr FilePath::value_type kSeparator = L'\\';
#else
  constexpr FilePath::value_type kSeparator = '/';
#endif
  FilePath path = directory;
  if (!path.empty() && path.back() != kSeparator) path += kSeparator;
  path.append(name.begin(), name.end());  // ASCII names: the same in every encoding
  return path;
}

bool WriteTemporary(const SavedSetTable& table, OutputFile& file) {
  for (const std::string& line : FormatSavedSets(table)) {
    if (!file.Write(line)) return false;
  }
  return file.Flush() && file.Close();
}

}  // namespace

bool ReadSavedSetFile(SavedSetTable& table, SetFileSystem& fs, const FilePath& directory) {
  table = SavedSetTable{};
  table.iniPath = JoinPath(directory, "kivora.ini");
  table.tmpPath = JoinPath(directory, "kivora.tmp");
  std::string contents;
  switch (fs.ReadAll(table.iniPath, contents, kMaxSetFileBytes)) {
    case FileRead::Read: {
      SetFileText file = ParseSavedSets(contents);
      table.sets = std::move(file.sets);
      table.foreign = file.foreign;
      return true;
    }
    case FileRead::NotFound:
      return true;
    case FileRead::TooLarge:
      table.foreign = {.kind = ForeignKind::TooLarge, .line = 0};
      return true;
    case FileRead::Failed:
      break;
  }
  table.unreadable = true;
  return false;
}

SetFileWrite WriteSavedSetFile(const SavedSetTable& table, SetFileSystem& fs) {
  // Without a read there is no place to write to; never write beside the
  // working directory by accident, nor over sets that could not be read, nor
  // over a file that holds what the table does not.
  if (table.iniPath.empty() || table.tmpPath.empty() || table.unreadable ||
      table.foreign.kind != ForeignKind::None) {
    return SetFileWrite::NotOurs;
  }
  bool written = false;
  {
    auto file = fs.Create(table.tmpPath);
    if (!file) return SetFileWrite::NotCreated;
    written = WriteTemporary(table, *file);
  }  // closed here: Windows neither replaces nor removes an open file
  if (written && fs.Replace(table.tmpPath, table.iniPath)) return SetFileWrite::Written;
  fs.Remove(table.tmpPath);
  return SetFileWrite::Failed;
}

}  // namespace kivora
