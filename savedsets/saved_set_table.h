// The saved key sets: up to twenty named, dated lists of up to 100 pairs.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "keymodel/scancode_pair.h"
#include "savedsets/set_file_system.h"

namespace kivora {

inline constexpr std::size_t kMaxSavedSets = 20;
inline constexpr std::size_t kMaxSetPairs = 100;
inline constexpr std::size_t kSetDateChars = 10;

struct SavedKeySet {
  std::string name;  // code page 932 bytes, at most 20, never ending in a blank after a read
  std::string date;  // "%04d.%02d.%02d" when saved; kept as read, never checked
  std::vector<ScancodePair> pairs;
  friend bool operator==(const SavedKeySet&, const SavedKeySet&) = default;
};

// What kivora.ini holds that a rewrite of the table would not carry through:
// the first such thing found, and its line (from 1; 0 for the whole file).
enum class ForeignKind { None, TooLarge, OtherEncoding, UnknownLine, TooManySets, TooManyPairs };
struct ForeignContent {
  ForeignKind kind = ForeignKind::None;
  std::size_t line = 0;
  friend bool operator==(const ForeignContent&, const ForeignContent&) = default;
};

struct SavedSetTable {
  std::vector<SavedKeySet> sets;  // file order; at most kMaxSavedSets
  // Set only by the delete dialog between marking a set and rewriting the file.
  std::array<bool, kMaxSavedSets> deleted{};
  // Computed by every read; a write goes where the last read looked.
  FilePath iniPath;
  FilePath tmpPath;
  // The last read found kivora.ini but could not read it: the table does not
  // show the file, so nothing may be written over it until a read succeeds.
  bool unreadable = false;
  // The file holds more than the table: it is read, but not ours to rewrite.
  ForeignContent foreign;
  // What kivora.ini held at the last read or write (nothing: it did not exist),
  // so that a save never writes over what another program changed meanwhile.
  std::optional<std::string> fileBytes;
};

}  // namespace kivora
