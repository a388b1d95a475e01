// The real registry: the exact bytes each store keeps under the key Windows reads.
#include "keymodel/registry_store_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"

namespace kivora {
namespace {

TEST(RegistryStores, EachStoreHoldsTheExactValueAtItsKey) {
  KeyCatalogue c;
  ApplyChange(c, IdFromSlot(76), IdFromSlot(79));  // right Alt -> right Ctrl
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  const std::vector<std::uint8_t> value = {0, 0, 0, 0, 0,    0,    0,    0,    3, 0, 0, 0,
                                           0, 0, 1, 0, 0x1D, 0xE0, 0x38, 0xE0, 0, 0, 0, 0};
  // clang-format off
  const std::tuple<StoreKind, HKEY, const wchar_t*> stores[] = {
      {StoreKind::User, HKEY_CURRENT_USER, L"KeyBoard Layout"},
      {StoreKind::Machine, HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Keyboard Layout"},
  };
  // clang-format on
  RegistryStore store;
  for (auto [kind, root, subkey] : stores) {
    RegDeleteTreeW(root, subkey);
    KeyCatalogue read;
    EXPECT_TRUE(ReadScancodeMap(read, store, kind)) << subkey;  // no key: no changes
    ASSERT_TRUE(WriteScancodeMap(c, store, kind)) << subkey;    // the key created
    std::vector<std::uint8_t> stored(1024);
    DWORD size = static_cast<DWORD>(stored.size());
    RegGetValueW(root, subkey, L"Scancode Map", RRF_RT_REG_BINARY, nullptr, stored.data(), &size);
    stored.resize(size);
    EXPECT_EQ(stored, value) << subkey;
    EXPECT_TRUE(ReadScancodeMap(read, store, kind));
    EXPECT_EQ(read[76].targetSlot, 79) << subkey;
    // A value longer than the 616-byte buffer is not read at all.
    stored.resize(620);
    RegSetKeyValueW(root, subkey, L"Scancode Map", REG_BINARY, stored.data(), 620);
    KeyCatalogue unread;
    EXPECT_TRUE(ReadScancodeMap(unread, store, kind));
    EXPECT_FALSE(unread[76].IsChanged()) << subkey;
    RegDeleteTreeW(root, subkey);
  }
}

}  // namespace
}  // namespace kivora
