// A Scancode Map value as any other tool may have written it: a parse stays
// inside the value; read into a fresh catalogue and into one that holds a change
// and nine raw slots, only key slots change, and the value built back holds one
// pair per changed slot and per pair kept aside, one entry per key, and no
// all-zero entry but the terminator. Nothing read is lost: built back from the
// fresh catalogue, every from-scancode produces what its last entry said.
#include <algorithm>
#include <bitset>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

namespace {

// Each from-scancode with the to of its last entry, in the order of the froms.
std::vector<kivora::ScancodePair> LastEntries(std::vector<kivora::ScancodePair> pairs) {
  std::stable_sort(pairs.begin(), pairs.end(), [](auto a, auto b) { return a.from < b.from; });
  std::vector<kivora::ScancodePair> last;
  for (const kivora::ScancodePair& pair : pairs) {
    if (last.empty() || last.back().from != pair.from) last.emplace_back();
    last.back() = pair;
  }
  return last;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kivora;
  const StoredMap parsed = ParseScancodeMap(std::span(data, size));
  const std::vector<ScancodePair>& stored = parsed.pairs;
  FUZZ_CHECK(stored.size() <= (size - std::min(size, kScancodeMapHeaderSize)) / 4);
  testing::FakeKeyStore store;
  store.machine = {.exists = true, .value = std::vector<std::uint8_t>(data, data + size)};
  static const KeyCatalogue kBusy = [] {
    KeyCatalogue busy;
    ApplyChange(busy, IdFromSlot(43), IdFromSlot(69));  // CapsLock -> left Ctrl
    for (Scancode raw = 0x0101; raw < 0x0109; ++raw) RecordPair(busy, {raw, 0x001D});
    return busy;
  }();
  KeyCatalogue fresh, busy = kBusy;
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
    std::bitset<0x10000> written;  // one entry per key
    for (const ScancodePair& pair : back.pairs)
      FUZZ_CHECK(!written.test(pair.from)), written.set(pair.from);
  }
  const auto before = LastEntries(stored);
  const auto after = LastEntries(ParseScancodeMap(BuildScancodeMap(fresh)).pairs);
  for (const ScancodePair& pair : before) {
    const auto found = std::lower_bound(after.begin(), after.end(), pair,
                                        [](auto a, auto b) { return a.from < b.from; });
    FUZZ_CHECK(pair.from == pair.to || (found != after.end() && *found == pair));
  }
  return 0;
}
