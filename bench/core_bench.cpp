// The core's heaviest work, natively: recording the largest Scancode Map the
// program accepts (150 pairs), building it back, and reading and writing a full
// kivora.ini (20 sets of 100 pairs).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "keymodel/mapping_operations.h"
#include "keymodel/scancode_map.h"
#include "savedsets/saved_set_format.h"

namespace kivora {
namespace {

// Median, min and max over the repetitions, as the other figures give them.
void WithSpread(benchmark::internal::Benchmark* b) {
  b->ComputeStatistics("min", [](const std::vector<double>& v) {
     return *std::min_element(v.begin(), v.end());
   })->ComputeStatistics("max", [](const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
  });
}

// 150 pairs, as many as older versions could read: every key of the catalogue
// moved onto its neighbour, and codes no key has for the rest (ten take the
// raw-scancode slots, the others are kept aside).
constexpr std::size_t kFullMapPairs = 150;

std::vector<ScancodePair> FullMapPairs() {
  const KeyCatalogue catalogue;
  std::vector<Scancode> codes;
  for (int slot = 1; slot < kScancodeEntrySlot; ++slot) {
    if (catalogue[slot].scancode != 0) codes.push_back(catalogue[slot].scancode);
  }
  std::vector<ScancodePair> pairs;
  for (std::size_t i = 0; i < codes.size() && pairs.size() < kFullMapPairs - kRawSlotCount; ++i) {
    pairs.push_back({.from = codes[i], .to = codes[(i + 1) % codes.size()]});
  }
  for (Scancode unknown = 0x0060; pairs.size() < kFullMapPairs; ++unknown) {
    if (std::find(codes.begin(), codes.end(), unknown) == codes.end()) {
      pairs.push_back({.from = unknown, .to = 0x001D});
    }
  }
  return pairs;
}

std::vector<std::uint8_t> FullMapValue() {
  const std::vector<ScancodePair> pairs = FullMapPairs();
  std::vector<std::uint8_t> value(kScancodeMapHeaderSize, 0);
  const auto put16 = [&](Scancode code) {
    value.push_back(static_cast<std::uint8_t>(code & 0xFF));
    value.push_back(static_cast<std::uint8_t>(code >> 8));
  };
  value[8] = static_cast<std::uint8_t>(pairs.size() + 1);  // the entries and the terminator
  for (const ScancodePair& pair : pairs) {
    put16(pair.to);
    put16(pair.from);
  }
  value.insert(value.end(), 4, 0);
  return value;
}

void RecordScancodeMap(benchmark::State& state) {
  const std::vector<std::uint8_t> value = FullMapValue();
  KeyCatalogue catalogue;
  for (auto _ : state) {
    ClearForLoad(catalogue);
    RecordPairs(catalogue, ParseScancodeMap(value).pairs);
    benchmark::DoNotOptimize(catalogue);
  }
  // Every pair comes back: on the 109 keys, the 10 raw slots, or kept aside.
  state.counters["pairs_kept"] = static_cast<double>(MappingPairs(catalogue).size());
}
BENCHMARK(RecordScancodeMap)->Apply(WithSpread);

void BuildFullScancodeMap(benchmark::State& state) {
  KeyCatalogue catalogue;
  RecordPairs(catalogue, ParseScancodeMap(FullMapValue()).pairs);
  std::size_t size = 0;
  for (auto _ : state) {
    const std::vector<std::uint8_t> value = BuildScancodeMap(catalogue);
    size = value.size();
    benchmark::DoNotOptimize(value.data());
  }
  state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BuildFullScancodeMap)->Apply(WithSpread);

SavedSetTable FullTable() {
  SavedSetTable table;
  for (std::size_t s = 0; s < kMaxSavedSets; ++s) {
    SavedKeySet set{.name = "set " + std::to_string(s + 1), .date = "2026.12.06", .pairs = {}};
    for (std::size_t p = 0; p < kMaxSetPairs; ++p) {
      set.pairs.push_back(
          {.from = static_cast<Scancode>(p + 1), .to = static_cast<Scancode>(0xE000 + p + s)});
    }
    table.sets.push_back(std::move(set));
  }
  return table;
}

std::string FileBytes(const SavedSetTable& table) {
  std::string bytes;
  for (const std::string& line : FormatSavedSets(table)) bytes += line;
  return bytes;
}

void ReadFullIni(benchmark::State& state) {
  const std::string bytes = FileBytes(FullTable());
  std::size_t sets = 0;
  for (auto _ : state) {
    const std::vector<SavedKeySet> read = ParseSavedSets(bytes).sets;
    sets = read.size();
    benchmark::DoNotOptimize(read.data());
  }
  state.counters["sets"] = static_cast<double>(sets);
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(ReadFullIni)->Apply(WithSpread);

void WriteFullIni(benchmark::State& state) {
  const SavedSetTable table = FullTable();
  for (auto _ : state) {
    const std::vector<std::string> lines = FormatSavedSets(table);
    benchmark::DoNotOptimize(lines.data());
  }
}
BENCHMARK(WriteFullIni)->Apply(WithSpread);

}  // namespace
}  // namespace kivora

BENCHMARK_MAIN();
