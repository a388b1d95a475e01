// A Scancode Map value as any other tool may have written it, recorded into a
// fresh catalogue and into one that already holds a change and nine raw slots.
#include <cstddef>
#include <cstdint>
#include <span>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

namespace kivora {
namespace {

// Only source slots change, raw ones only while in use, and the value built
// from the catalogue holds one pair per changed slot.
void CheckCatalogue(const KeyCatalogue& catalogue) {
  FUZZ_CHECK(catalogue.rawCount >= 0 && catalogue.rawCount <= kRawSlotCount);
  std::size_t changed = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (!catalogue[slot].IsChanged()) continue;
    const bool source = (slot >= kFirstKeySlot && slot <= kLastKeySlot) ||
                        slot == kScancodeEntrySlot || slot == kDisableSlot ||
                        (slot >= kFirstRawSlot && slot < kFirstRawSlot + catalogue.rawCount);
    FUZZ_CHECK(source && catalogue[slot].targetSlot >= 0 &&
               catalogue[slot].targetSlot < kSlotCount);
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
  // What a parse returns lies wholly inside the value and the buffer.
  const std::size_t inside = std::min(size, kScancodeMapBufferSize);
  const auto parsed = ParseScancodeMap(std::span(data, size));
  FUZZ_CHECK(parsed.empty() || parsed.size() <= (inside - kScancodeMapHeaderSize) / 4);

  testing::FakeKeyStore store;
  store.machine = {.exists = true, .value = std::vector<std::uint8_t>(data, data + size)};
  KeyCatalogue fresh, busy;
  ApplyChange(busy, IdFromSlot(43), IdFromSlot(69));  // CapsLock -> left Ctrl
  for (Scancode raw = 0x0101; raw < 0x0109; ++raw) RecordPair(busy, {raw, 0x001D});
  for (KeyCatalogue* catalogue : {&fresh, &busy}) {
    FUZZ_CHECK(ReadScancodeMap(*catalogue, store, StoreKind::Machine));
    CheckCatalogue(*catalogue);
  }
  return 0;
}
