#include "keymodel/registry_store_win.h"

#include <windows.h>

#include "keymodel/handles_win.h"

namespace kivora {
namespace {

constexpr wchar_t kValueName[] = L"Scancode Map";

HKEY RootOf(StoreKind kind) {
  return kind == StoreKind::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

const wchar_t* SubkeyOf(StoreKind kind) {
  return kind == StoreKind::Machine ? L"System\\CurrentControlSet\\Control\\Keyboard Layout"
                                    : L"KeyBoard Layout";
}

class RegistryKey final : public StoreKey {
 public:
  explicit RegistryKey(HKEY key) : key_(key) {}

  bool QueryValue(std::span<std::uint8_t> buffer, std::size_t& bytesRead) override {
    DWORD size = static_cast<DWORD>(buffer.size());
    // The type is not looked at: what matters is the bytes.
    if (RegQueryValueExW(key_.get(), kValueName, nullptr, nullptr, buffer.data(), &size) !=
        ERROR_SUCCESS) {
      return false;
    }
    bytesRead = size;
    return true;
  }

  bool SetValue(std::span<const std::uint8_t> data) override {
    return RegSetValueExW(key_.get(), kValueName, 0, REG_BINARY, data.data(),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  }

 private:
  RegistryKeyHandle key_;
};

}  // namespace

std::unique_ptr<StoreKey> RegistryStore::Open(StoreKind kind, KeyAccess access) {
  HKEY key = nullptr;
  const REGSAM sam = access == KeyAccess::Write ? KEY_WRITE : KEY_ALL_ACCESS;
  if (RegOpenKeyExW(RootOf(kind), SubkeyOf(kind), 0, sam, &key) != ERROR_SUCCESS) return nullptr;
  return std::make_unique<RegistryKey>(key);
}

std::unique_ptr<StoreKey> RegistryStore::Create(StoreKind kind) {
  HKEY key = nullptr;
  wchar_t noClass[] = L"";
  if (RegCreateKeyExW(RootOf(kind), SubkeyOf(kind), 0, noClass, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<RegistryKey>(key);
}

}  // namespace kivora
