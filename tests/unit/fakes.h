// In-memory stand-ins for the registry and the disk, with switches to make each
// step fail.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "keymodel/key_store.h"
#include "savedsets/set_file_system.h"

namespace kivora::testing {

class FakeKeyStore : public KeyStore {
 public:
  struct Key {
    bool exists = false, openDenied = false, createDenied = false, queryFails = false,
         setFails = false;
    std::optional<std::vector<std::uint8_t>> value;
  };
  Key machine, user;

  std::unique_ptr<StoreKey> Open(StoreKind kind, KeyAccess) override {
    Key& key = kind == StoreKind::Machine ? machine : user;
    return key.exists && !key.openDenied ? std::make_unique<OpenKey>(key) : nullptr;
  }
  std::unique_ptr<StoreKey> Create(StoreKind kind) override {
    Key& key = kind == StoreKind::Machine ? machine : user;
    key.exists |= !key.createDenied && !key.openDenied;
    return Open(kind, KeyAccess::AllAccess);
  }

 private:
  struct OpenKey : StoreKey {
    Key& key;
    explicit OpenKey(Key& k) : key(k) {}
    bool QueryValue(std::span<std::uint8_t> buffer, std::size_t& bytesRead) override {
      if (key.queryFails || !key.value || key.value->size() > buffer.size()) return false;
      bytesRead = std::copy(key.value->begin(), key.value->end(), buffer.begin()) - buffer.begin();
      return true;
    }
    bool SetValue(std::span<const std::uint8_t> data) override {
      if (!key.setFails) key.value.emplace(data.begin(), data.end());
      return !key.setFails;
    }
  };
};

// Fault points of one save, in the order they are reached, and of a read.
enum class FileFault { None, Create, Write, Flush, Close, Replace, Read };

class FakeSetFileSystem : public SetFileSystem {
 public:
  std::map<FilePath, std::string> files;
  FileFault fault = FileFault::None;

  bool ReadAll(const FilePath& path, std::string& contents) override {
    if (fault == FileFault::Read || !files.contains(path)) return false;
    contents = files[path];
    return true;
  }
  std::unique_ptr<OutputFile> Create(const FilePath& path) override {
    if (fault == FileFault::Create) return nullptr;
    files[path].clear();
    return std::make_unique<File>(*this, path);
  }
  bool Replace(const FilePath& from, const FilePath& to) override {
    if (fault == FileFault::Replace || !files.contains(from)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  void Remove(const FilePath& path) override { files.erase(path); }

 private:
  struct File : OutputFile {
    FakeSetFileSystem& fs;
    FilePath path;
    File(FakeSetFileSystem& owner, FilePath p) : fs(owner), path(std::move(p)) {}
    bool Write(std::string_view bytes) override {
      if (fs.fault != FileFault::Write) fs.files[path] += bytes;
      return fs.fault != FileFault::Write;
    }
    bool Flush() override { return fs.fault != FileFault::Flush; }
    bool Close() override { return fs.fault != FileFault::Close; }
  };
};

}  // namespace kivora::testing
