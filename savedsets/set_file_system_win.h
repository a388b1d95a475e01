// kivora.ini on a Windows disk.
#pragma once

#include <filesystem>

#include "savedsets/set_file_system.h"

namespace kivora {

class WinSetFileSystem final : public SetFileSystem {
 public:
  bool ReadAll(const std::filesystem::path& path, std::string& contents) override;
  std::unique_ptr<OutputFile> Create(const std::filesystem::path& path) override;
  bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
  void Remove(const std::filesystem::path& path) override;
};

// The directory of the running executable, whatever its length; empty when the
// system cannot tell.
std::filesystem::path ExecutableDirectory();

}  // namespace kivora
