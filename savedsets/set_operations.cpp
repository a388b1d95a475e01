#include "savedsets/set_operations.h"

#include <algorithm>
#include <cstdio>

#include "keymodel/mapping_operations.h"
#include "savedsets/set_name.h"

namespace kivora {

std::string SetListRow(const SavedKeySet& set) {
  std::string row = set.name;
  row.resize(std::max(row.size(), kMaxSetNameBytes), ' ');
  return row + "\t" + set.date;
}

std::optional<std::size_t> FindSetByName(const SavedSetTable& table, std::string_view name) {
  const auto set = std::find_if(table.sets.begin(), table.sets.end(),
                                [name](const SavedKeySet& s) { return s.name == name; });
  if (set == table.sets.end()) return std::nullopt;
  return static_cast<std::size_t>(set - table.sets.begin());
}

std::optional<std::vector<ScancodePair>> MappingAsPairs(const KeyCatalogue& catalogue) {
  // The pairs kept aside go in too: a set holds what registering would write.
  std::vector<ScancodePair> pairs = MappingPairs(catalogue);
  if (pairs.size() > kMaxSetPairs) return std::nullopt;
  return pairs;
}

std::string SaveDate(int year, int month, int day) {
  char date[32];
  std::snprintf(date, sizeof date, "%04d.%02d.%02d", year, month, day);
  return date;
}

void PutSet(SavedSetTable& table, std::size_t position, SavedKeySet set) {
  if (position < table.sets.size()) {
    table.sets[position] = std::move(set);
  } else if (table.sets.size() < kMaxSavedSets) {
    table.sets.push_back(std::move(set));
  }
}

void LoadSet(KeyCatalogue& catalogue, const SavedKeySet& set) {
  ClearForLoad(catalogue);
  RecordPairs(catalogue, set.pairs);
}

}  // namespace kivora
