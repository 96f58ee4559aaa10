#pragma once

#include <string>
#include <vector>

#include "core/audio_file.h"
#include "core/file_list.h"

namespace tw::base {
class UserPort;
}

namespace tw::core {

// Writes the dirty tags of one file in one safe rewrite: ID3v1 first, then ID3v2, then the
// lyrics, each written or removed as its flags say (see TagFileWriter). True only when the
// rewrite and every step that ran succeeded.
//
// After a full success the record is read again from the file. When the rewrite fails the
// file is untouched and the record keeps its edits, still dirty, so the next save tries
// again. When the rewrite succeeds but a step failed, the record is read again except for
// the failed tag (or lyrics), which keeps the user's edits and stays dirty.
bool save(AudioFile& record);

// Saves every dirty file of the list in list order, with progress (one step per dirty
// file), and reads every other file again. The names of the files that could not be saved
// are reported once through `port` and returned.
std::vector<std::string> saveAll(FileList& list, base::UserPort& port);

}  // namespace tw::core
