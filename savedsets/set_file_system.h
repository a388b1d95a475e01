// The file operations behind kivora.ini, behind an interface so that every
// failure point of a save can be exercised without a disk.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace kivora {

// A file path in the platform's own characters: UTF-16 on Windows, bytes
// elsewhere. The program only joins its own folder and a file name, so it has no
// use for std::filesystem::path, whose conversions alone would statically link
// the whole locale library (well over half a megabyte) into kivora.exe.
#ifdef _WIN32
using FilePath = std::wstring;
#else
using FilePath = std::string;
#endif

// A file being written; an unclosed file is closed (and the result ignored) when
// destroyed.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(std::string_view bytes) = 0;
  virtual bool Flush() = 0;  // to the disk, not just out of the process
  virtual bool Close() = 0;
};

enum class FileRead { Read, NotFound, TooLarge, Failed };

class SetFileSystem {
 public:
  virtual ~SetFileSystem() = default;
  // The whole file, if it holds at most `limit` bytes (TooLarge, and nothing
  // read, when it holds more). NotFound only when it (or its folder) does not
  // exist; every other failure to open or read, a read error mid-way included,
  // is Failed.
  virtual FileRead ReadAll(const FilePath& path, std::string& contents, std::size_t limit) = 0;
  // Creates the file new, after removing whatever had its name; what a link of
  // that name pointed at is never written. Null when it cannot be created new.
  virtual std::unique_ptr<OutputFile> Create(const FilePath& path) = 0;
  // Puts `from` in the place of `to` in one step, replacing the name `to`, not
  // what a link of that name points at: afterwards `to` is either the old file
  // or the new one, never missing or partial.
  virtual bool Replace(const FilePath& from, const FilePath& to) = 0;
  virtual void Remove(const FilePath& path) = 0;
};

}  // namespace kivora
