// The text of kivora.ini: "name=" lines with fixed columns, each followed by its
// "chg=" pair lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "savedsets/saved_set_table.h"

namespace kivora {

struct SetFileText {
  std::vector<SavedKeySet> sets;
  ForeignContent foreign;  // the first thing a rewrite of `sets` would lose
};

// Reads the sets as a text-mode reader with a 1024-byte line buffer would: CR LF
// or LF line ends, over-long lines in 1023-byte pieces, a NUL ending a line,
// after a UTF-8 byte-order mark if there is one. Lines past the limits (21st
// set, 101st pair) and lines that are neither sets nor pairs as Kivora writes
// them are left out of the sets, and the first of them is named. Blank lines
// carry nothing.
SetFileText ParseSavedSets(std::string_view bytes);

// One string per line, each ending in CR LF; sets marked deleted are left out.
std::vector<std::string> FormatSavedSets(const SavedSetTable& table);

}  // namespace kivora
