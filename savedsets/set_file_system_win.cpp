#include "savedsets/set_file_system_win.h"

#include <windows.h>

#include <string>
#include <utility>

namespace kivora {
namespace {

// Paths past MAX_PATH need the extended-length form to be opened at all.
std::wstring Win32Path(const FilePath& path) {
  std::wstring text = path;
  if (text.size() < MAX_PATH - 12 || text.starts_with(L"\\\\?\\")) return text;
  if (text.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + text.substr(2);
  if (text.size() >= 3 && text[1] == L':' && text[2] == L'\\') return L"\\\\?\\" + text;
  return text;
}

class WinOutputFile final : public OutputFile {
 public:
  explicit WinOutputFile(HANDLE file) : file_(file) {}
  ~WinOutputFile() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  WinOutputFile(const WinOutputFile&) = delete;
  WinOutputFile& operator=(const WinOutputFile&) = delete;

  bool Write(std::string_view bytes) override {
    DWORD written = 0;
    return WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  }
  bool Flush() override { return FlushFileBuffers(file_) != 0; }
  bool Close() override {
    const HANDLE file = std::exchange(file_, INVALID_HANDLE_VALUE);
    return CloseHandle(file) != 0;
  }

 private:
  HANDLE file_;
};

}  // namespace

bool WinSetFileSystem::ReadAll(const FilePath& path, std::string& contents) {
  const HANDLE file = CreateFileW(Win32Path(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  contents.clear();
  char chunk[64 * 1024];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) {
    contents.append(chunk, read);
  }
  CloseHandle(file);
  return true;
}

std::unique_ptr<OutputFile> WinSetFileSystem::Create(const FilePath& path) {
  const HANDLE file = CreateFileW(Win32Path(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<WinOutputFile>(file);
}

bool WinSetFileSystem::Replace(const FilePath& from, const FilePath& to) {
  return MoveFileExW(Win32Path(from).c_str(), Win32Path(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void WinSetFileSystem::Remove(const FilePath& path) { DeleteFileW(Win32Path(path).c_str()); }

FilePath ExecutableDirectory() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      const std::size_t cut = buffer.find_last_of(L"\\/", length);
      if (cut == std::wstring::npos) return {};
      // A program in a drive's root keeps the backslash: "C:" alone would name
      // the current folder of drive C.
      buffer.resize(cut == 2 && buffer[1] == L':' ? cut + 1 : cut);
      return buffer;
    }
    if (buffer.size() >= 32768) return {};  // no Windows path is longer
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace kivora
