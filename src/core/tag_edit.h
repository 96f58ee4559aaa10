// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/audio_file.h"
#include "core/tag_fields.h"

namespace tw::core {

// Edits that move or clear whole tags in memory; the file changes only on save.

// Fills the empty fields of `target` from `source` (every field with `overwrite`): album,
// artist, title and comment through the target's setters, then genre, year and track.
// The track total is not copied.
void fillFrom(TagFields& target, const TagFields& source, bool overwrite);

// Fills ID3v1 from ID3v2 when the file has an ID3v2 tag, creating the ID3v1 tag in memory
// when the file has none; fillV2FromV1 is the mirror image.
void fillV1FromV2(AudioFile& record, bool overwrite);
void fillV2FromV1(AudioFile& record, bool overwrite);

// Empties every field. False when there was nothing to clear and the tag is not in the
// file; otherwise the tag is marked changed and not present, so a save removes it.
bool clearFields(TagFields& tag);
// The same, also emptying the six ID3v2-only texts.
bool clearFields(TagV2Fields& tag);

}  // namespace tw::core
