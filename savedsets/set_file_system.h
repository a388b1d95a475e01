// The file operations behind kivora.ini, behind an interface so that every
// failure point of a save can be exercised without a disk.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace kivora {

// A file being written; an unclosed file is closed (and the result ignored) when
// destroyed.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(std::string_view bytes) = 0;
  virtual bool Flush() = 0;  // to the disk, not just out of the process
  virtual bool Close() = 0;
};

class SetFileSystem {
 public:
  virtual ~SetFileSystem() = default;
  // False when the file cannot be opened; a read error mid-way ends the contents.
  virtual bool ReadAll(const std::filesystem::path& path, std::string& contents) = 0;
  // Creates or empties the file; null when it cannot be opened for writing.
  virtual std::unique_ptr<OutputFile> Create(const std::filesystem::path& path) = 0;
  // Puts `from` in the place of `to` in one step: afterwards `to` is either the
  // old file or the new one, never missing or partial.
  virtual bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual void Remove(const std::filesystem::path& path) = 0;
};

}  // namespace kivora
