// In-memory stand-ins for the registry and the disk, with switches to make each
// step fail.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "keymodel/key_catalogue.h"
#include "keymodel/key_store.h"
#include "savedsets/set_file_system.h"

namespace kivora::testing {

// Every changed slot as (slot, target slot, target scancode), in slot order: one
// comparison shows what an operation changed and what it left alone.
using Changes = std::vector<std::tuple<int, int, int>>;
inline Changes ChangedSlots(const KeyCatalogue& catalogue) {
  Changes changes;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const KeySlot& s = catalogue[slot];
    if (s.IsChanged()) changes.emplace_back(slot, s.targetSlot, s.targetScancode);
  }
  return changes;
}

class FakeKeyStore : public KeyStore {
 public:
  struct Key {
    bool exists = false;
    bool openDenied = false;  // e.g. HKLM for a standard user
    bool createDenied = false;
    bool queryFails = false;
    bool setFails = false;
    std::optional<std::vector<std::uint8_t>> value;
  };
  Key machine, user;
  std::vector<std::string> calls;  // "open Machine write", "create User", ...

  Key& Of(StoreKind kind) { return kind == StoreKind::Machine ? machine : user; }

  std::unique_ptr<StoreKey> Open(StoreKind kind, KeyAccess access) override {
    calls.push_back(std::string("open ") + Name(kind) +
                    (access == KeyAccess::Write ? " write" : " all"));
    Key& key = Of(kind);
    if (!key.exists || key.openDenied) return nullptr;
    return std::make_unique<OpenKey>(key);
  }
  std::unique_ptr<StoreKey> Create(StoreKind kind) override {
    calls.push_back(std::string("create ") + Name(kind));
    Key& key = Of(kind);
    if (key.createDenied || key.openDenied) return nullptr;
    key.exists = true;
    return std::make_unique<OpenKey>(key);
  }

 private:
  static const char* Name(StoreKind kind) {
    return kind == StoreKind::Machine ? "Machine" : "User";
  }

  class OpenKey : public StoreKey {
   public:
    explicit OpenKey(Key& key) : key_(key) {}
    bool QueryValue(std::span<std::uint8_t> buffer, std::size_t& bytesRead) override {
      if (key_.queryFails || !key_.value || key_.value->size() > buffer.size()) return false;
      std::copy(key_.value->begin(), key_.value->end(), buffer.begin());
      bytesRead = key_.value->size();
      return true;
    }
    bool SetValue(std::span<const std::uint8_t> data) override {
      if (key_.setFails) return false;
      key_.value.emplace(data.begin(), data.end());
      return true;
    }

   private:
    Key& key_;
  };
};

// Fault points of one save, in the order they are reached, and of a read.
enum class FileFault { None, Create, WriteLine, Flush, Close, Replace, Read };

class FakeSetFileSystem : public SetFileSystem {
 public:
  std::map<FilePath, std::string> files;
  FileFault fault = FileFault::None;
  int failingLine = 0;  // with WriteLine: the 0-based line write that fails
  int openFiles = 0;

  bool ReadAll(const FilePath& path, std::string& contents) override {
    if (fault == FileFault::Read) return false;
    auto it = files.find(path);
    if (it == files.end()) return false;
    contents = it->second;
    return true;
  }
  std::unique_ptr<OutputFile> Create(const FilePath& path) override {
    if (fault == FileFault::Create) return nullptr;
    files[path].clear();
    return std::make_unique<File>(*this, path);
  }
  bool Replace(const FilePath& from, const FilePath& to) override {
    if (fault == FileFault::Replace || openFiles != 0 || !files.contains(from)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  void Remove(const FilePath& path) override {
    if (openFiles == 0) files.erase(path);
  }

 private:
  class File : public OutputFile {
   public:
    File(FakeSetFileSystem& fs, FilePath path) : fs_(fs), path_(std::move(path)) {
      ++fs_.openFiles;
    }
    ~File() override {
      if (open_) --fs_.openFiles;
    }
    bool Write(std::string_view bytes) override {
      if (fs_.fault == FileFault::WriteLine && lines_++ == fs_.failingLine) return false;
      fs_.files[path_] += bytes;
      return true;
    }
    bool Flush() override { return fs_.fault != FileFault::Flush; }
    bool Close() override {
      open_ = false;
      --fs_.openFiles;
      return fs_.fault != FileFault::Close;
    }

   private:
    FakeSetFileSystem& fs_;
    FilePath path_;
    bool open_ = true;
    int lines_ = 0;
  };
};

}  // namespace kivora::testing
