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

  ValueQuery QueryValue(std::vector<std::uint8_t>& value) override {
    // Ask the size, then read; another program may grow the value in between,
    // which ERROR_MORE_DATA reports with the new size.
    DWORD size = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
      value.resize(size);
      DWORD got = size;
      // The type is not looked at: what matters is the bytes.
      const LSTATUS status = RegQueryValueExW(key_.get(), kValueName, nullptr, nullptr,
                                              size != 0 ? value.data() : nullptr, &got);
      switch (ClassifyRegistryStatus(status)) {
        case RegistryAnswer::Missing:
          return ValueQuery::Missing;
        case RegistryAnswer::Failed:
          return ValueQuery::Failed;
        case RegistryAnswer::Done:
          // Done with no buffer only told the size, unless the value is empty.
          if (size == 0 && got != 0) break;
          value.resize(got);
          return ValueQuery::Read;
        case RegistryAnswer::MoreData:
          break;
      }
      size = got;
    }
    return ValueQuery::Failed;
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
  const REGSAM sam = access == KeyAccess::QueryOnly ? KEY_QUERY_VALUE
                     : access == KeyAccess::Write   ? KEY_WRITE
                                                    : KEY_ALL_ACCESS;
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
