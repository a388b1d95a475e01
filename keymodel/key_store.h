// The registry behind a small interface, so the admin-to-user fallback and every
// failure can be exercised without a registry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace kivora {

// Machine store: HKLM\System\CurrentControlSet\Control\Keyboard Layout (admin mode).
// User store: HKCU\KeyBoard Layout (user mode).
enum class StoreKind { Machine, User };

// QueryOnly is what any user has on the machine store: enough to tell what it holds.
enum class KeyAccess { QueryOnly, Write, AllAccess };

enum class ValueQuery { Read, Missing, Failed };

// What the status of one registry call (RegOpenKeyExW, RegQueryValueExW) says
// of the key or value asked for. Only a missing one (ERROR_FILE_NOT_FOUND) is
// "no changes"; whatever else fails means the value cannot be read, and must
// never pass for an empty mapping.
enum class RegistryAnswer { Done, Missing, MoreData, Failed };
RegistryAnswer ClassifyRegistryStatus(long status);

// An open key; closed when destroyed.
class StoreKey {
 public:
  virtual ~StoreKey() = default;
  // Reads the whole "Scancode Map" value, whatever its length, into `value`.
  // Missing only when there is no such value; Failed for every other error.
  virtual ValueQuery QueryValue(std::vector<std::uint8_t>& value) = 0;
  // Stores `data` as the REG_BINARY value "Scancode Map".
  virtual bool SetValue(std::span<const std::uint8_t> data) = 0;
};

class KeyStore {
 public:
  virtual ~KeyStore() = default;
  // Opens an existing key; null when it cannot be opened with that access.
  virtual std::unique_ptr<StoreKey> Open(StoreKind kind, KeyAccess access) = 0;
  // Opens the key with full access, creating it when missing; null on failure.
  virtual std::unique_ptr<StoreKey> Create(StoreKind kind) = 0;
};

}  // namespace kivora
