#include "savedsets/set_file_system_win.h"

#include <windows.h>

#include <string>

#include "keymodel/handles_win.h"

namespace kivora {
namespace {

// Paths past MAX_PATH need the extended-length form to be opened at all. A
// folder's path must leave 12 characters of MAX_PATH for an 8.3 file name;
// keeping to that shorter limit is safe for every call.
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;
// No Windows path is longer.
constexpr DWORD kLongestPath = 32768;

std::wstring Win32Path(const FilePath& path) {
  std::wstring text = path;
  // Already extended (\\?\) or a device path (\\.\): as it is.
  if (text.size() < kPlainPathLimit || text.starts_with(L"\\\\?\\") ||
      text.starts_with(L"\\\\.\\")) {
    return text;
  }
  if (text.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + text.substr(2);
  if (text.size() >= 3 && text[1] == L':' && text[2] == L'\\') return L"\\\\?\\" + text;
  return text;
}

class WinOutputFile final : public OutputFile {
 public:
  explicit WinOutputFile(KernelHandle file) : file_(std::move(file)) {}

  bool Write(std::string_view bytes) override {
    DWORD written = 0;
    return WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
  }
  bool Flush() override { return FlushFileBuffers(file_.get()) != 0; }
  bool Close() override { return file_.Close(); }

 private:
  KernelHandle file_;
};

}  // namespace

FileRead WinSetFileSystem::ReadAll(const FilePath& path, std::string& contents, std::size_t limit) {
  // Not through a link, and as no one a pipe's server could act as: a standard
  // user may plant either as kivora.ini beside an elevated Kivora.
  const KernelHandle file(CreateFileW(Win32Path(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT |
                                          SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                                      nullptr));
  if (!file.valid()) {
    // Held open by another program, denied, offline: the sets exist but are
    // not ours to read now, which is not the same as having none.
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::NotFound
                                                                          : FileRead::Failed;
  }
  // Only a plain file on a disk is read: a link itself, a pipe or a device is
  // not kivora.ini, which then cannot be read (and is never written over).
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return FileRead::Failed;
  }
  if (info.nFileSizeHigh != 0 || info.nFileSizeLow > limit) return FileRead::TooLarge;
  contents.clear();
  char chunk[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr)) return FileRead::Failed;
    if (read == 0) return FileRead::Read;
    contents.append(chunk, read);
    // Another program may be making it longer while we read.
    if (contents.size() > limit) {
      contents.clear();
      return FileRead::TooLarge;
    }
  }
}

std::unique_ptr<OutputFile> WinSetFileSystem::Create(const FilePath& path) {
  // Elevated, we write in a folder a standard user may write too: whatever is
  // there under this name (a stale temporary, or a hard link, symbolic link or
  // junction planted there) is only ever removed by name, and the file is made
  // new, never opened through a link, so no other file is written.
  const std::wstring name = Win32Path(path);
  DeleteFileW(name.c_str());
  KernelHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT |
                                    SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                                nullptr));
  if (!file.valid()) return nullptr;
  return std::make_unique<WinOutputFile>(std::move(file));
}

bool WinSetFileSystem::Replace(const FilePath& from, const FilePath& to) {
  // A rename over kivora.ini replaces the name: a link planted as kivora.ini
  // goes, and the file it pointed at keeps every byte.
  return MoveFileExW(Win32Path(from).c_str(), Win32Path(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void WinSetFileSystem::Remove(const FilePath& path) { DeleteFileW(Win32Path(path).c_str()); }

namespace {

// The running exe's path as it was started; empty when the system cannot tell.
std::wstring ModulePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return buffer.substr(0, length);
    if (buffer.size() >= kLongestPath) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

FilePath ExecutableDirectory() {
  std::wstring path = ModulePath();
  // As the file system names it, links resolved: a junction on the way that its
  // owner repoints while we run elevated cannot move our writes elsewhere.
  const KernelHandle exe(CreateFileW(path.c_str(), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
  std::wstring final(kLongestPath, L'\0');
  const DWORD length = exe.valid()
                           ? GetFinalPathNameByHandleW(exe.get(), final.data(), kLongestPath,
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)
                           : 0;
  if (length > 0 && length < kLongestPath) path = final.substr(0, length);
  const std::size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring::npos || cut == 0) return {};
  // A program in a drive's root keeps the backslash: "C:" alone would name the
  // current folder of drive C.
  path.resize(path[cut - 1] == L':' ? cut + 1 : cut);
  return path;
}

}  // namespace kivora
