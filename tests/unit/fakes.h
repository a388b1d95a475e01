// In-memory stand-ins for the registry and the disk, with switches to make each
// step fail.
#pragma once

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "keymodel/key_catalogue.h"
#include "keymodel/key_store.h"
#include "savedsets/set_file_system.h"

namespace kivora::testing {

// Every changed slot as "slot>target:SCANCODE", then the raw slots in use: one
// comparison shows what an operation changed and what it left alone.
inline std::string Changes(const KeyCatalogue& catalogue) {
  std::string changes;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const KeySlot& s = catalogue[slot];
    char text[32];
    std::snprintf(text, sizeof text, "%d>%d:%X ", slot, s.targetSlot, s.targetScancode);
    if (s.IsChanged()) changes += text;
  }
  return changes + "raw" + std::to_string(catalogue.rawCount);
}

class FakeKeyStore : public KeyStore {
 public:
  struct Key {
    bool exists = false, openDenied = false, createDenied = false, queryFails = false;
    bool setFails = false;
    std::optional<std::vector<std::uint8_t>> value;
  };
  Key machine, user;

  Key& Of(StoreKind kind) { return kind == StoreKind::Machine ? machine : user; }
  std::unique_ptr<StoreKey> Open(StoreKind kind, KeyAccess) override {
    Key& key = Of(kind);
    return key.exists && !key.openDenied ? std::make_unique<OpenKey>(key) : nullptr;
  }
  std::unique_ptr<StoreKey> Create(StoreKind kind) override {
    Key& key = Of(kind);
    if (key.createDenied || key.openDenied) return nullptr;
    key.exists = true;
    return std::make_unique<OpenKey>(key);
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
  // As on Windows, a file still open is neither replaced nor removed.
  bool Replace(const FilePath& from, const FilePath& to) override {
    if (fault == FileFault::Replace || openFiles_ != 0 || !files.contains(from)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  void Remove(const FilePath& path) override {
    if (openFiles_ == 0) files.erase(path);
  }

 private:
  int openFiles_ = 0;
  struct File : OutputFile {
    FakeSetFileSystem& fs;
    FilePath path;
    bool open = true;
    File(FakeSetFileSystem& owner, FilePath p) : fs(owner), path(std::move(p)) { ++fs.openFiles_; }
    ~File() override { Close(); }
    bool Write(std::string_view bytes) override {
      if (fs.fault != FileFault::Write) fs.files[path] += bytes;
      return fs.fault != FileFault::Write;
    }
    bool Flush() override { return fs.fault != FileFault::Flush; }
    bool Close() override {
      fs.openFiles_ -= open;
      open = false;
      return fs.fault != FileFault::Close;
    }
  };
};

}  // namespace kivora::testing
