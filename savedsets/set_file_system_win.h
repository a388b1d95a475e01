// kivora.ini on a Windows disk.
#pragma once

#include "savedsets/set_file_system.h"

namespace kivora {

class WinSetFileSystem final : public SetFileSystem {
 public:
  FileRead ReadAll(const FilePath& path, std::string& contents, std::size_t limit) override;
  std::unique_ptr<OutputFile> Create(const FilePath& path) override;
  bool Replace(const FilePath& from, const FilePath& to) override;
  void Remove(const FilePath& path) override;
};

// The directory of the running executable, whatever its length; empty when the
// system cannot tell.
FilePath ExecutableDirectory();

}  // namespace kivora
