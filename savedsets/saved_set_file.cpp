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

bool WriteTemporary(std::string_view text, OutputFile& file) {
  return file.Write(text) && file.Flush() && file.Close();
}

// Whether kivora.ini is still what the table was read from (or written as):
// Written when it is, ChangedMeanwhile when it is not, NotOurs when it cannot
// be read now.
SetFileWrite StillAsRead(const SavedSetTable& table, SetFileSystem& fs) {
  std::string now;
  switch (fs.ReadAll(table.iniPath, now, kMaxSetFileBytes)) {
    case FileRead::Read:
      return table.fileBytes == now ? SetFileWrite::Written : SetFileWrite::ChangedMeanwhile;
    case FileRead::NotFound:
      return table.fileBytes ? SetFileWrite::ChangedMeanwhile : SetFileWrite::Written;
    case FileRead::TooLarge:
      return SetFileWrite::ChangedMeanwhile;
    case FileRead::Failed:
      break;
  }
  return SetFileWrite::NotOurs;
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
      table.fileBytes = std::move(contents);
      return true;
    }
    case FileRead::NotFound:
      return true;
    case FileRead::TooLarge:
      table.foreign = {.kind = ForeignKind::TooLarge};
      return true;
    case FileRead::Failed:
      break;
  }
  table.unreadable = true;
  return false;
}

SetFileWrite WriteSavedSetFile(SavedSetTable& table, SetFileSystem& fs) {
  // Without a read there is no place to write to; never write beside the
  // working directory by accident, nor over sets that could not be read, nor
  // over a file that holds what the table does not.
  if (table.iniPath.empty() || table.tmpPath.empty() || table.unreadable ||
      table.foreign.kind != ForeignKind::None) {
    return SetFileWrite::NotOurs;
  }
  // Edited by hand or by another copy since we read it: ours would undo that.
  if (const SetFileWrite now = StillAsRead(table, fs); now != SetFileWrite::Written) return now;
  std::string text;
  for (const std::string& line : FormatSavedSets(table)) text += line;
  bool written;
  {
    auto file = fs.Create(table.tmpPath);
    if (!file) return SetFileWrite::NotCreated;
    written = WriteTemporary(text, *file);
  }  // closed here: Windows neither replaces nor removes an open file
  if (written && fs.Replace(table.tmpPath, table.iniPath)) {
    table.fileBytes = std::move(text);
    return SetFileWrite::Written;
  }
  fs.Remove(table.tmpPath);
  return SetFileWrite::Failed;
}

}  // namespace kivora
