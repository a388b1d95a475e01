// A Scancode Map value as any other tool may have written it: a parse stays
// inside the value and the buffer; read into a fresh catalogue and into one that
// holds a change and nine raw slots, only source slots change, raw ones only
// while in use, and the value built back holds one pair per changed slot.
#include <algorithm>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kivora;
  const std::size_t header = std::min(size, kScancodeMapHeaderSize);
  FUZZ_CHECK(ParseScancodeMap(std::span(data, size)).size() <=
             (std::min(size, kScancodeMapBufferSize) - header) / 4);
  testing::FakeKeyStore store;
  store.machine = {.exists = true, .value = std::vector<std::uint8_t>(data, data + size)};
  KeyCatalogue fresh, busy;
  ApplyChange(busy, IdFromSlot(43), IdFromSlot(69));  // CapsLock -> left Ctrl
  for (Scancode raw = 0x0101; raw < 0x0109; ++raw) RecordPair(busy, {raw, 0x001D});
  for (KeyCatalogue* c : {&fresh, &busy}) {
    FUZZ_CHECK(ReadScancodeMap(*c, store, StoreKind::Machine));
    FUZZ_CHECK(c->rawCount >= 0 && c->rawCount <= kRawSlotCount);
    std::size_t changed = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
      if (!(*c)[slot].IsChanged()) continue;
      ++changed;
      FUZZ_CHECK((slot >= kFirstKeySlot && slot <= kLastKeySlot) || slot == kScancodeEntrySlot ||
                 slot == kDisableSlot ||
                 (slot >= kFirstRawSlot && slot < kFirstRawSlot + c->rawCount));
      FUZZ_CHECK((*c)[slot].targetSlot > 0 && (*c)[slot].targetSlot < kSlotCount);
    }
    ScancodeMapBuffer image;
    const std::size_t length = BuildScancodeMap(*c, image);
    FUZZ_CHECK(ParseScancodeMap(std::span(image.data(), length)).size() == changed);
  }
  return 0;
}
