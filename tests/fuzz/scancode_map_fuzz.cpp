// A Scancode Map value as any other tool may have written it: a parse stays
// inside the value; read into a fresh catalogue and into one that holds a change
// and nine raw slots, only key slots change, and the value built back holds one
// pair per changed slot and per pair kept aside, one entry per key, and no
// all-zero entry but the terminator. Nothing read is lost: built back from the
// fresh catalogue, every from-scancode produces what its last entry said.
#include <algorithm>
#include <map>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

namespace {

std::map<kivora::Scancode, kivora::Scancode> LastEntries(
    const std::vector<kivora::ScancodePair>& pairs) {
  std::map<kivora::Scancode, kivora::Scancode> last;
  for (const kivora::ScancodePair& pair : pairs) last[pair.from] = pair.to;
  return last;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kivora;
  const std::size_t header = std::min(size, kScancodeMapHeaderSize);
  const StoredMap parsed = ParseScancodeMap(std::span(data, size));
  const std::vector<ScancodePair>& stored = parsed.pairs;
  FUZZ_CHECK(stored.size() <= (size - header) / 4);
  testing::FakeKeyStore store;
  store.machine = {.exists = true, .value = std::vector<std::uint8_t>(data, data + size)};
  KeyCatalogue fresh, busy;
  ApplyChange(busy, IdFromSlot(43), IdFromSlot(69));  // CapsLock -> left Ctrl
  for (Scancode raw = 0x0101; raw < 0x0109; ++raw) RecordPair(busy, {raw, 0x001D});
  for (KeyCatalogue* c : {&fresh, &busy}) {
    FUZZ_CHECK(ReadScancodeMap(*c, store, StoreKind::Machine) ==
               (parsed.ambiguous ? MapRead::Ambiguous : MapRead::Read));
    FUZZ_CHECK(c->rawCount >= 0 && c->rawCount <= kRawSlotCount);
    std::size_t changed = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
      if (!(*c)[slot].IsChanged()) continue;
      ++changed;
      FUZZ_CHECK(IsKeySlot(*c, slot));
      FUZZ_CHECK((*c)[slot].targetSlot > 0 && (*c)[slot].targetSlot < kSlotCount);
    }
    const std::vector<std::uint8_t> built = BuildScancodeMap(*c);
    const StoredMap back = ParseScancodeMap(built);
    FUZZ_CHECK(back.pairs.size() == changed + c->keptPairs.size() && !back.ambiguous);
    // The count and the terminator take in every entry: none hides after a zero.
    FUZZ_CHECK(built.size() == kScancodeMapHeaderSize + 4 * (back.pairs.size() + 1));
    FUZZ_CHECK(LastEntries(back.pairs).size() == back.pairs.size());
  }
  const auto before = LastEntries(stored);
  const auto after = LastEntries(ParseScancodeMap(BuildScancodeMap(fresh)).pairs);
  for (auto [from, to] : before) {
    FUZZ_CHECK(from == to || (after.contains(from) && after.at(from) == to));
  }
  return 0;
}
