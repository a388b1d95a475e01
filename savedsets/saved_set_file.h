// Reading and writing kivora.ini beside the executable.
#pragma once

#include "savedsets/saved_set_table.h"
#include "savedsets/set_file_system.h"

namespace kivora {

// Kivora writes at most about 40 KB; a larger file is not read at all.
inline constexpr std::size_t kMaxSetFileBytes = 1 << 20;

// Clears the table, computes kivora.ini's and kivora.tmp's paths in `directory`
// and reads the sets. A missing kivora.ini is no sets. False when it exists but
// cannot be opened or read: the table is then empty and marked unreadable. A
// file that holds more than the table can (foreign) is read as far as it goes.
bool ReadSavedSetFile(SavedSetTable& table, SetFileSystem& fs, const FilePath& directory);

enum class SetFileWrite {
  Written,
  NotOurs,           // never read, unreadable, or holding what a rewrite would lose
  ChangedMeanwhile,  // kivora.ini is no longer what the table was read from
  NotCreated,        // kivora.tmp could not be created
  Failed,            // writing, flushing, closing or replacing failed
};

// Writes every set not marked deleted to kivora.tmp, flushes it to disk and puts
// it in the place of kivora.ini in one step, once kivora.ini is found to be what
// the table was read from. On any failure kivora.ini is left exactly as it was
// and kivora.tmp is removed. Of the table, only `fileBytes` changes: to what was
// written.
SetFileWrite WriteSavedSetFile(SavedSetTable& table, SetFileSystem& fs);

}  // namespace kivora
