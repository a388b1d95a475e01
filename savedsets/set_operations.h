// What the save, load and delete dialogs do to the saved-set table and the
// catalogue, apart from the windows themselves.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keymodel/key_catalogue.h"
#include "savedsets/saved_set_table.h"

namespace kivora {

// A row of the load and delete dialogs' list: the name padded to 20 bytes, a
// tab and the date, in code page 932 bytes.
std::string SetListRow(const SavedKeySet& set);

// The position of the set with exactly this name (bytes, case and length), if any.
std::optional<std::size_t> FindSetByName(const SavedSetTable& table, std::string_view name);

// The mapping as registering would write it (MappingPairs); nothing when there
// are more pairs than a set can hold, so a save never keeps only part of it.
std::optional<std::vector<ScancodePair>> MappingAsPairs(const KeyCatalogue& catalogue);

// "2026.12.06".
std::string SaveDate(int year, int month, int day);

// Stores the set at `position`: over the set there, or as a new last set when
// `position` is the set count.
void PutSet(SavedSetTable& table, std::size_t position, SavedKeySet set);

// Replaces every change on the catalogue with the set's pairs.
void LoadSet(KeyCatalogue& catalogue, const SavedKeySet& set);

}  // namespace kivora
