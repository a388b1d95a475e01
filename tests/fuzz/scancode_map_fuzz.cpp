// A Scancode Map value as any other tool may have written it: arbitrary bytes and
// an arbitrary length reported by the store, recorded into a fresh catalogue and
// into one that already holds changes and eight raw slots.
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

// Holds the fuzzed bytes and reports the fuzzed length, whatever the buffer.
class FuzzedStore : public KeyStore, public StoreKey {
 public:
  FuzzedStore(std::span<const std::uint8_t> bytes, std::size_t reported)
      : bytes_(bytes), reported_(reported) {}
  std::unique_ptr<StoreKey> Open(StoreKind, KeyAccess) override {
    return std::make_unique<FuzzedStore>(bytes_, reported_);
  }
  std::unique_ptr<StoreKey> Create(StoreKind) override { return nullptr; }
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

// Only source slots change, raw ones only while in use, and the value built
// from the catalogue holds one pair per changed slot.
void CheckCatalogue(const KeyCatalogue& catalogue) {
  FUZZ_CHECK(catalogue.rawCount >= 0 && catalogue.rawCount <= kRawSlotCount);
  std::size_t changed = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const KeySlot& s = catalogue[slot];
    if (!s.IsChanged()) continue;
    const bool source = (slot >= kFirstKeySlot && slot <= kLastKeySlot) ||
                        slot == kScancodeEntrySlot || slot == kDisableSlot ||
                        (slot >= kFirstRawSlot && slot < kFirstRawSlot + catalogue.rawCount);
    FUZZ_CHECK(source && IsValidSlot(s.targetSlot));
    ++changed;
  }
  ScancodeMapBuffer image;
  const std::size_t length = BuildScancodeMap(catalogue, image);
  FUZZ_CHECK(ParseScancodeMap(std::span(image.data(), length)).size() == changed);
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
  const std::size_t inside = std::min(read.size(), kScancodeMapBufferSize);
  const auto parsed = ParseScancodeMap(read);
  FUZZ_CHECK(parsed.empty() || parsed.size() <= (inside - kScancodeMapHeaderSize) / 4);

  FuzzedStore store(value, reported);
  KeyCatalogue fresh;
  FUZZ_CHECK(ReadScancodeMap(fresh, store, StoreKind::Machine));
  CheckCatalogue(fresh);

  KeyCatalogue busy;
  ApplyChange(busy, IdFromSlot(43), IdFromSlot(69));  // CapsLock -> left Ctrl
  for (Scancode raw = 0x0101; raw < 0x0109; ++raw) RecordPair(busy, {raw, 0x001D});
  FUZZ_CHECK(ReadScancodeMap(busy, store, StoreKind::Machine));
  CheckCatalogue(busy);
  return 0;
}
