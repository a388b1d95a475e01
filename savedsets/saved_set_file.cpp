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
  switch (fs.ReadAll(table.iniPath, contents)) {
    case FileRead::Read:
      table.sets = ParseSavedSets(contents);
      return true;
    case FileRead::NotFound:
      return true;
    case FileRead::Failed:
      break;
  }
  table.unreadable = true;
  return false;
}

bool WriteSavedSetFile(const SavedSetTable& table, SetFileSystem& fs) {
  // Without a read there is no place to write to; never write beside the
  // working directory by accident, nor over sets that could not be read.
  if (table.iniPath.empty() || table.tmpPath.empty() || table.unreadable) return false;
  bool written = false;
  {
    auto file = fs.Create(table.tmpPath);
    if (!file) return false;
    written = WriteTemporary(table, *file);
  }  // closed here: Windows neither replaces nor removes an open file
  if (written && fs.Replace(table.tmpPath, table.iniPath)) return true;
  fs.Remove(table.tmpPath);
  return false;
}

}  // namespace kivora
