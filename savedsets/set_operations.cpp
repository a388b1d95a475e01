#include "savedsets/set_operations.h"

#include <cstdio>

#include "keymodel/mapping_operations.h"
#include "savedsets/set_name.h"

namespace kivora {

std::string SetListRow(const SavedKeySet& set) {
  std::string row = set.name;
  if (row.size() < kMaxSetNameBytes) row.resize(kMaxSetNameBytes, ' ');
  return row + "\t" + set.date;
}

std::optional<std::size_t> FindSetByName(const SavedSetTable& table, std::string_view name) {
  for (std::size_t i = 0; i < table.sets.size(); ++i) {
    if (table.sets[i].name == name) return i;
  }
  return std::nullopt;
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
