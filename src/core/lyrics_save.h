// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/audio_file.h"

namespace tw::core {

// Writes only the lyrics of one file, at once (the "Save Lyrics" button), in one safe
// rewrite: the trimmed text into the first USLT frame, or every USLT frame removed for an
// empty text. The other tags of the file stay as they are on disk, and their unsaved edits
// stay in the record.
//
// Does nothing and succeeds when the lyrics are not dirty; fails for a record whose last
// read failed. On success the lyrics flags
// describe the file again and the record's size and times are read anew; on failure the
// file is untouched and the record keeps its lyrics, still dirty.
[[nodiscard]] bool saveLyrics(AudioFile& record);

// The "Delete Lyrics" edit: the lyrics text is emptied and the lyrics marked for removal,
// so the next save takes them out of the file. Lyrics that exist only in memory simply
// go. False when the record had no lyrics text (nothing changes).
bool deleteLyrics(AudioFile& record);

// Takes `text` as the lyrics of the record (lyrics opened from a text file): when it
// differs from the current text, it is stored and the lyrics count as changed and present.
// False when the text was the same.
bool replaceLyrics(AudioFile& record, std::string_view text);

}  // namespace tw::core
