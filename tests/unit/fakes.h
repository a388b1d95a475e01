// In-memory stand-ins for the registry and the disk, with switches to make each
// step fail.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "keymodel/key_store.h"
#include "savedsets/set_file_system.h"

namespace kivora::testing {

inline std::string Repeat(std::string_view text, int times) {
  std::string all;
  while (times-- > 0) all += text;
  return all;
}

class FakeKeyStore : public KeyStore {
 public:
  struct Key {
    bool exists = false, openDenied = false, createDenied = false, queryFails = false,
         setFails = false, queryOnly = false;  // queryOnly: a standard user's machine store
    std::optional<std::vector<std::uint8_t>> value;
  };
  Key machine, user;

  std::unique_ptr<StoreKey> Open(StoreKind kind, KeyAccess access) override {
    Key& key = kind == StoreKind::Machine ? machine : user;
    const bool allowed = !key.openDenied && (!key.queryOnly || access == KeyAccess::QueryOnly);
    return key.exists && allowed ? std::make_unique<OpenKey>(key) : nullptr;
  }
  std::unique_ptr<StoreKey> Create(StoreKind kind) override {
    Key& key = kind == StoreKind::Machine ? machine : user;
    if (key.queryOnly) return nullptr;
    key.exists |= !key.createDenied && !key.openDenied;
    return Open(kind, KeyAccess::AllAccess);
  }

 private:
  struct OpenKey : StoreKey {
    Key& key;
    explicit OpenKey(Key& k) : key(k) {}
    ValueQuery QueryValue(std::vector<std::uint8_t>& value) override {
      if (key.queryFails) return ValueQuery::Failed;
      if (!key.value) return ValueQuery::Missing;
      value = *key.value;
      return ValueQuery::Read;
    }
    bool SetValue(std::span<const std::uint8_t> data) override {
      if (!key.setFails) key.value.emplace(data.begin(), data.end());
      return !key.setFails;
    }
  };
};

// Fault points of one save, in the order they are reached, and of a read: every
// read, or only those after a replace.
enum class FileFault { None, Create, Write, Flush, Close, Replace, Read, ReadBack };

class FakeSetFileSystem : public SetFileSystem {
 public:
  std::map<FilePath, std::string> files;
  FileFault fault = FileFault::None;
  bool replaced = false;

  FileRead ReadAll(const FilePath& path, std::string& contents, std::size_t limit) override {
    if (!files.contains(path)) return FileRead::NotFound;
    if (fault == FileFault::Read || (fault == FileFault::ReadBack && replaced))
      return FileRead::Failed;
    if (files[path].size() > limit) return FileRead::TooLarge;
    contents = files[path];
    return FileRead::Read;
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
    return replaced = true;
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
