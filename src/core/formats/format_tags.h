// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/formats/audio_format.h"

namespace tw::core {

// Which tags a file of each format holds. MPEG audio holds an ID3v1 and an ID3v2 tag; the
// other formats hold one tag of their own (a Vorbis comment, MP4 metadata atoms), which
// takes the ID3v2 fields, and no ID3v1 tag.

// The tag that holds the ID3v2 fields of a file of `format`.
enum class MainTag { Id3v2, VorbisComment, Mp4Tags };

MainTag mainTagOf(AudioFormat format);

// False for the formats into which no ID3v1 tag is written: their ID3v1 fields stay empty
// and the commands that fill or clear ID3v1 leave them out.
bool holdsId3v1(AudioFormat format);

// True for the formats whose tag holds the genre as a text of any kind (text_genre.h);
// ID3v2 keeps to the genres of the table.
bool holdsTextGenre(AudioFormat format);

}  // namespace tw::core
