// kivora.ini as a user may have edited it, copied it from an old machine or left
// it half-written: whatever the bytes, the table keeps its limits, and writing
// the table and reading it back gives the same table. A save of one more set
// either leaves the file as it was or loses nothing of it: every set read comes
// back, and a file with a line that is no set or pair at all, or a NUL, is
// never rewritten.
#include <algorithm>

#include "savedsets/saved_set_file.h"
#include "savedsets/saved_set_format.h"
#include "savedsets/set_name.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kivora;
  const std::string original(reinterpret_cast<const char*>(data), size);
  testing::FakeSetFileSystem fs;
  fs.files["/kivora.ini"] = original;
  SavedSetTable table;
  FUZZ_CHECK(ReadSavedSetFile(table, fs, "/") && table.sets.size() <= kMaxSavedSets);
  const std::vector<SavedKeySet> before = table.sets;
  for (const SavedKeySet& set : before) {
    FUZZ_CHECK(set.pairs.size() <= kMaxSetPairs && set.date.size() <= kSetDateChars);
    FUZZ_CHECK(set.name.size() <= kMaxSetNameBytes && !set.name.ends_with(' '));
  }
  std::string written;
  for (const std::string& line : FormatSavedSets(table)) {
    FUZZ_CHECK(line.ends_with("\r\n"));
    written += line;
  }
  FUZZ_CHECK(ParseSavedSets(written).sets == before);

  if (table.sets.size() < kMaxSavedSets) table.sets.push_back({.name = "one more"});
  if (WriteSavedSetFile(table, fs) != SetFileWrite::Written) {
    FUZZ_CHECK(fs.files["/kivora.ini"] == original);
    return 0;
  }
  const std::vector<SavedKeySet> now = ParseSavedSets(fs.files["/kivora.ini"]).sets;
  FUZZ_CHECK(now.size() >= before.size() && std::equal(before.begin(), before.end(), now.begin()));
  // Told apart by their first bytes alone, as a person reading the file would.
  FUZZ_CHECK(original.find('\0') == std::string::npos);
  for (std::size_t start = original.starts_with("\xEF\xBB\xBF") ? 3 : 0, end;
       start < original.size(); start = end + 1) {
    end = std::min(original.find('\n', start), original.size());
    const std::string_view line = std::string_view(original).substr(start, end - start);
    FUZZ_CHECK(line.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos ||
               line.starts_with("name=") || line.starts_with("chg="));
  }
  return 0;
}
