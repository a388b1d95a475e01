// Owners for kernel handles and registry keys: each handle has one owner and is
// closed exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace kivora {

// A kernel object handle (file, token). Both null and INVALID_HANDLE_VALUE
// mean none: the API that made it decides which one reports a failure.
class KernelHandle {
 public:
  explicit KernelHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~KernelHandle() {
    if (valid()) CloseHandle(handle_);
  }
  KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  KernelHandle& operator=(KernelHandle&&) = delete;
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  // Closes now, for a caller that must know whether the close succeeded.
  bool Close() {
    if (!valid()) return false;
    return CloseHandle(std::exchange(handle_, nullptr)) != 0;
  }

 private:
  HANDLE handle_;
};

class RegistryKeyHandle {
 public:
  explicit RegistryKeyHandle(HKEY key = nullptr) : key_(key) {}
  ~RegistryKeyHandle() {
    if (key_) RegCloseKey(key_);
  }
  RegistryKeyHandle(RegistryKeyHandle&& other) noexcept
      : key_(std::exchange(other.key_, nullptr)) {}
  RegistryKeyHandle& operator=(RegistryKeyHandle&&) = delete;
  RegistryKeyHandle(const RegistryKeyHandle&) = delete;
  RegistryKeyHandle& operator=(const RegistryKeyHandle&) = delete;

  HKEY get() const { return key_; }

 private:
  HKEY key_;
};

}  // namespace kivora
