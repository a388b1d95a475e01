// kivora.ini as a user may have edited it, copied it from an old machine or left
// it half-written: whatever the bytes, the table keeps its limits, and writing
// the table and reading it back gives the same table.
#include "savedsets/saved_set_format.h"
#include "savedsets/set_name.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kivora;
  SavedSetTable table;
  table.sets = ParseSavedSets(std::string_view(reinterpret_cast<const char*>(data), size));
  FUZZ_CHECK(table.sets.size() <= kMaxSavedSets);
  for (const SavedKeySet& set : table.sets) {
    FUZZ_CHECK(set.pairs.size() <= kMaxSetPairs && set.date.size() <= kSetDateChars);
    FUZZ_CHECK(set.name.size() <= kMaxSetNameBytes && !set.name.ends_with(' '));
  }
  std::string written;
  for (const std::string& line : FormatSavedSets(table)) {
    FUZZ_CHECK(line.ends_with("\r\n"));
    written += line;
  }
  FUZZ_CHECK(ParseSavedSets(written) == table.sets);
  return 0;
}
