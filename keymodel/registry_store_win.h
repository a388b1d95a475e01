// The two registry stores of the `Scancode Map` value.
#pragma once

#include "keymodel/key_store.h"

namespace kivora {

class RegistryStore final : public KeyStore {
 public:
  std::unique_ptr<StoreKey> Open(StoreKind kind, KeyAccess access) override;
  std::unique_ptr<StoreKey> Create(StoreKind kind) override;
};

}  // namespace kivora
