#include "keymodel/key_store.h"

namespace kivora {
namespace {

// The Win32 error codes that mean something of their own here.
constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorMoreData = 234;

}  // namespace

RegistryAnswer ClassifyRegistryStatus(long status) {
  switch (status) {
    case kErrorSuccess:
      return RegistryAnswer::Done;
    case kErrorFileNotFound:
      return RegistryAnswer::Missing;
    case kErrorMoreData:
      return RegistryAnswer::MoreData;
    default:
      return RegistryAnswer::Failed;
  }
}

}  // namespace kivora
