// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "base/result.h"
#include "core/audio_file.h"
#include "core/file_failure.h"
#include "core/file_list.h"
#include "core/save_batch.h"

namespace tw::base {
class UserPort;
}

namespace tw::core {

// Writes the dirty tags of one file in one crash-safe save: ID3v1 first, then ID3v2, then
// the lyrics, each written or removed as its flags say (see TagFileWriter, SaveBatch). The
// save happens whole or not at all: when any step fails, nothing is written. A failure names
// the file's path and says why, in the active language.
//
// After a success the record holds what the save wrote (AudioFile::readSaved). After a
// failure the file is untouched and the record keeps its edits, still dirty, so the next
// save tries again.
// A record whose last read failed is never saved: its fields are not the file's.
[[nodiscard]] base::Outcome save(AudioFile& record, const SaveOptions& options = {});

// Saves every dirty file of the list in one batch, with progress (one step per dirty file),
// and reads every other file again. The files that could not be saved are reported once
// through `port`, in list order, one line each with its reason, and returned.
std::vector<FileFailure> saveAll(FileList& list, base::UserPort& port,
                                 const SaveOptions& options = {});

}  // namespace tw::core
