// Reading and writing kivora.ini beside the executable.
#pragma once

#include "savedsets/saved_set_table.h"
#include "savedsets/set_file_system.h"

namespace kivora {

// Clears the table, computes kivora.ini's and kivora.tmp's paths in `directory`
// and reads the sets. False when kivora.ini cannot be opened (the table is then
// empty); true for an empty file.
bool ReadSavedSetFile(SavedSetTable& table, SetFileSystem& fs, const FilePath& directory);

// Writes every set not marked deleted to kivora.tmp, flushes it to disk and puts
// it in the place of kivora.ini in one step. On any failure kivora.ini is left
// exactly as it was, kivora.tmp is removed, and the result is false. The table is
// not changed.
bool WriteSavedSetFile(const SavedSetTable& table, SetFileSystem& fs);

}  // namespace kivora
