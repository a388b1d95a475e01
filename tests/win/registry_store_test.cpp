#include "keymodel/registry_store_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"

namespace kivora {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::optional<Bytes> StoredValue(HKEY root, const wchar_t* subkey) {
  Bytes data(1024);
  DWORD size = static_cast<DWORD>(data.size());
  DWORD type = 0;
  if (RegGetValueW(root, subkey, L"Scancode Map", RRF_RT_ANY, &type, data.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  data.resize(size);
  return data;
}

class RegistryStores : public ::testing::Test {
 protected:
  static constexpr const wchar_t* kUserKey = L"KeyBoard Layout";
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kUserKey); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kUserKey); }
  RegistryStore store;
};

bool UserKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"KeyBoard Layout", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

TEST_F(RegistryStores, UserModeWriteCreatesTheKeyAndStoresTheExactBytes) {
  KeyCatalogue c;
  ASSERT_FALSE(UserKeyExists());
  ASSERT_TRUE(WriteScancodeMap(c, store, StoreKind::User));
  EXPECT_TRUE(UserKeyExists());
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kUserKey), Bytes(12, 0));

  ApplyChange(c, IdFromSlot(43), IdFromSlot(69));  // CapsLock -> left Ctrl
  ASSERT_TRUE(WriteScancodeMap(c, store, StoreKind::User));
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kUserKey),
            (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0x1D, 0, 0x3A, 0, 0, 0, 0, 0}));

  KeyCatalogue extended;
  ApplyChange(extended, IdFromSlot(76), IdFromSlot(79));  // right Alt -> right Ctrl
  ASSERT_TRUE(WriteScancodeMap(extended, store, StoreKind::User));
  const auto value = StoredValue(HKEY_CURRENT_USER, kUserKey);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(Bytes(value->begin() + 12, value->begin() + 16), (Bytes{0x1D, 0xE0, 0x38, 0xE0}));
}

TEST_F(RegistryStores, MissingValueReadsAsNothingAndMissingKeyIsCreated) {
  KeyCatalogue c;
  ASSERT_TRUE(ReadScancodeMap(c, store, StoreKind::User));  // no key yet
  EXPECT_TRUE(UserKeyExists());
  EXPECT_FALSE(StoredValue(HKEY_CURRENT_USER, kUserKey).has_value());  // reading writes nothing
  ASSERT_TRUE(ReadScancodeMap(c, store, StoreKind::User));             // key, no value
  for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_FALSE(c[slot].IsChanged()) << slot;
}

TEST_F(RegistryStores, ValuesLongerThanTheBufferAreNotRead) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  Bytes big(620, 0);
  big[8] = 3;
  big[12] = 0x1D;
  big[14] = 0x3A;
  ASSERT_EQ(RegSetValueExW(key, L"Scancode Map", 0, REG_BINARY, big.data(), 620), ERROR_SUCCESS);
  RegCloseKey(key);
  KeyCatalogue c;
  EXPECT_TRUE(ReadScancodeMap(c, store, StoreKind::User));
  EXPECT_FALSE(c[43].IsChanged());
}

TEST_F(RegistryStores, MachineStoreOpensOrIsCreated) {
  // A fresh Wine prefix lacks the key and enforces no permissions: admin mode.
  constexpr const wchar_t* kMachineKey = L"System\\CurrentControlSet\\Control\\Keyboard Layout";
  const auto before = StoredValue(HKEY_LOCAL_MACHINE, kMachineKey);
  KeyCatalogue c;
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  ASSERT_TRUE(WriteScancodeMap(c, store, StoreKind::Machine));
  KeyCatalogue read;
  ASSERT_TRUE(ReadScancodeMap(read, store, StoreKind::Machine));
  EXPECT_EQ(read[1].targetSlot, kDisableSlot);
  // Leave the prefix as it was for whatever runs next.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMachineKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  if (before) {
    RegSetValueExW(key, L"Scancode Map", 0, REG_BINARY, before->data(),
                   static_cast<DWORD>(before->size()));
  } else {
    RegDeleteValueW(key, L"Scancode Map");
  }
  RegCloseKey(key);
}

}  // namespace
}  // namespace kivora
