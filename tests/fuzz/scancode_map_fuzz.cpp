// A Scancode Map value as any other tool may have written it: arbitrary bytes and
// an arbitrary length reported by the store, recorded into a fresh catalogue and
// into one that already holds changes.
//
// Input: two bytes of reported length (little-endian), then the value's bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "tests/fuzz/fuzz_check.h"

namespace kivora {
namespace {

// A key holding the fuzzed bytes that reports the fuzzed length, whatever the
// buffer it is given.
class FuzzedKey : public StoreKey {
 public:
  FuzzedKey(std::span<const std::uint8_t> bytes, std::size_t reported)
      : bytes_(bytes), reported_(reported) {}
  bool QueryValue(std::span<std::uint8_t> buffer, std::size_t& bytesRead) override {
    std::copy_n(bytes_.begin(), std::min(bytes_.size(), buffer.size()), buffer.begin());
    bytesRead = reported_;
    return true;
  }
  bool SetValue(std::span<const std::uint8_t>) override { return false; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t reported_;
};

class FuzzedStore : public KeyStore {
 public:
  FuzzedStore(std::span<const std::uint8_t> bytes, std::size_t reported)
      : bytes_(bytes), reported_(reported) {}
  std::unique_ptr<StoreKey> Open(StoreKind, KeyAccess) override {
    return std::make_unique<FuzzedKey>(bytes_, reported_);
  }
  std::unique_ptr<StoreKey> Create(StoreKind) override { return nullptr; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t reported_;
};

bool MayChange(int slot) {
  return (slot >= kFirstKeySlot && slot <= kLastKeySlot) || slot == kScancodeEntrySlot ||
         slot == kDisableSlot || (slot >= kFirstRawSlot && slot <= kLastRawSlot);
}

void CheckCatalogue(const KeyCatalogue& catalogue) {
  FUZZ_CHECK(catalogue.rawCount >= 0 && catalogue.rawCount <= kRawSlotCount);
  FUZZ_CHECK(!catalogue[0].IsChanged());
  int changed = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const KeySlot& s = catalogue[slot];
    if (!s.IsChanged()) {
      FUZZ_CHECK(s.targetScancode == 0);
      continue;
    }
    FUZZ_CHECK(MayChange(slot));
    FUZZ_CHECK(s.targetSlot >= 0 && s.targetSlot < kSlotCount);
    if (slot >= kFirstRawSlot) FUZZ_CHECK(slot < kFirstRawSlot + catalogue.rawCount);
    ++changed;
  }

  // Building the value again: at most 150 pairs, each one a changed slot's.
  ScancodeMapBuffer image;
  const std::size_t length = BuildScancodeMap(catalogue, image);
  FUZZ_CHECK(length == kScancodeMapHeaderSize ||
             (length >= kScancodeMapHeaderSize + 8 && length <= kScancodeMapBufferSize));
  const auto pairs = ParseScancodeMap(std::span(image.data(), length));
  FUZZ_CHECK(pairs.size() <= kMaxScancodeMapPairs);
  FUZZ_CHECK(pairs.size() == std::min<std::size_t>(changed, kMaxScancodeMapPairs));
}

}  // namespace
}  // namespace kivora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kivora;
  if (size < 2) return 0;
  const std::size_t reported = data[0] | (data[1] << 8);
  const std::span<const std::uint8_t> value(data + 2, size - 2);

  // What a parse returns lies wholly inside the bytes that were read and the buffer.
  const auto read = value.first(std::min(reported, value.size()));
  const auto parsed = ParseScancodeMap(read);
  const std::size_t inside = std::min(read.size(), kScancodeMapBufferSize);
  FUZZ_CHECK(parsed.empty() || parsed.size() <= (inside - kScancodeMapHeaderSize) / 4);

  KeyCatalogue fresh;
  FuzzedStore store(value, reported);
  FUZZ_CHECK(ReadScancodeMap(fresh, store, StoreKind::Machine));
  CheckCatalogue(fresh);

  KeyCatalogue busy;
  ApplyChange(busy, IdFromSlot(43), IdFromSlot(69));  // CapsLock -> left Ctrl
  ApplyChange(busy, IdFromSlot(1), IdFromSlot(kDisableSlot));
  for (Scancode raw = 0x0101; raw < 0x0109; ++raw) RecordPair(busy, {raw, 0x001D});
  FUZZ_CHECK(ReadScancodeMap(busy, store, StoreKind::Machine));
  CheckCatalogue(busy);
  return 0;
}
