// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

#include "core/tag_fields.h"

namespace tw::core {

// The genre of a tag that holds it as a text of any kind (a Vorbis comment, MP4 tags;
// holdsTextGenre in format_tags.h). A text that names a genre of the table with a name
// (0..125) stands for its number, read as an ID3v2 genre text is ("Rock", "(17)", "17"), so
// that those genres stay one genre whatever their spelling; any other text is the genre
// itself, kept as the fields' free genre. An empty text is no genre.

// Takes `text` as the genre without touching the flags (readers).
void assignTextGenre(TagFields& fields, std::string_view text);
// The same as an edit: only while the tag is present and when the genre differs, which
// marks the tag changed.
void setTextGenre(TagFields& fields, std::string_view text);

}  // namespace tw::core
