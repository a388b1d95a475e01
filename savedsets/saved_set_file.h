// Reading and writing kivora.ini beside the executable.
#pragma once

#include "savedsets/saved_set_table.h"
#include "savedsets/set_file_system.h"

namespace kivora {

// Clears the table, computes kivora.ini's and kivora.tmp's paths in `directory`
// and reads the sets. A missing kivora.ini is no sets. False when it exists but
// cannot be opened or read: the table is then empty and marked unreadable.
bool ReadSavedSetFile(SavedSetTable& table, SetFileSystem& fs, const FilePath& directory);

// Writes every set not marked deleted to kivora.tmp, flushes it to disk and puts
// it in the place of kivora.ini in one step. On any failure kivora.ini is left
// exactly as it was, kivora.tmp is removed, and the result is false. The table is
// not changed. Without a successful read nothing is written.
bool WriteSavedSetFile(const SavedSetTable& table, SetFileSystem& fs);

}  // namespace kivora
