// The real registry: the exact bytes stored under the keys Windows reads.
#include "keymodel/registry_store_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"

namespace kivora {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr const wchar_t* kUserKey = L"KeyBoard Layout";
constexpr const wchar_t* kMachineKey = L"System\\CurrentControlSet\\Control\\Keyboard Layout";

std::optional<Bytes> StoredValue(HKEY root, const wchar_t* subkey) {
  Bytes data(1024);
  DWORD size = static_cast<DWORD>(data.size()), type = 0;
  if (RegGetValueW(root, subkey, L"Scancode Map", RRF_RT_ANY, &type, data.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  data.resize(size);
  return data;
}

TEST(RegistryStores, EachStoreHoldsTheExactValueAtItsKey) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kUserKey);
  const auto machineBefore = StoredValue(HKEY_LOCAL_MACHINE, kMachineKey);
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kMachineKey, L"Scancode Map");
  RegistryStore store;
  KeyCatalogue c;
  ApplyChange(c, IdFromSlot(76), IdFromSlot(79));  // right Alt -> right Ctrl
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  const Bytes value = {0, 0, 0, 0, 0,    0,    0,    0,    3, 0, 0, 0,
                       0, 0, 1, 0, 0x1D, 0xE0, 0x38, 0xE0, 0, 0, 0, 0};
  const std::pair<StoreKind, HKEY> stores[] = {{StoreKind::User, HKEY_CURRENT_USER},
                                               {StoreKind::Machine, HKEY_LOCAL_MACHINE}};
  for (auto [kind, root] : stores) {
    const wchar_t* subkey = kind == StoreKind::User ? kUserKey : kMachineKey;
    KeyCatalogue read;
    EXPECT_TRUE(ReadScancodeMap(read, store, kind));  // the user key is created, nothing read
    EXPECT_FALSE(read[1].IsChanged());
    ASSERT_TRUE(WriteScancodeMap(c, store, kind));
    EXPECT_EQ(StoredValue(root, subkey), value) << subkey;
    EXPECT_TRUE(ReadScancodeMap(read, store, kind));
    EXPECT_EQ(read[76].targetSlot, 79) << subkey;

    // A value longer than the 616-byte buffer is not read at all.
    Bytes longer = value;
    longer.resize(620);
    RegSetKeyValueW(root, subkey, L"Scancode Map", REG_BINARY, longer.data(), 620);
    KeyCatalogue unread;
    EXPECT_TRUE(ReadScancodeMap(unread, store, kind));
    EXPECT_FALSE(unread[76].IsChanged()) << subkey;
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, kUserKey);
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kMachineKey, L"Scancode Map");
  if (machineBefore) {  // as the prefix had it, for whatever runs next
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kMachineKey, L"Scancode Map", REG_BINARY,
                    machineBefore->data(), static_cast<DWORD>(machineBefore->size()));
  }
}

}  // namespace
}  // namespace kivora
