// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/tag_fields.h"

namespace TagLib {
class PropertyMap;
}

namespace tw::core {

// The fields of the ID3v2 tab read from a Vorbis comment (FLAC, Ogg Vorbis, Opus) or from
// MP4 atoms, as TagLib names their keys:
//
//   field       key (the first value counts)      as the ID3v2 field reads
//   title       TITLE                             TIT2
//   artist      ARTIST, else ALBUMARTIST,         TPE1, else TPE2, TPE3, TCOM
//               else CONDUCTOR, else COMPOSER
//   album       ALBUM                             TALB
//   comment     COMMENT, else DESCRIPTION         COMM
//   year        DATE ("1999-05-12" is 1999)       TDRC / TYER
//   genre       GENRE (a number, "(17)Rock", a    TCON, but any other text is
//               name of the genre list)           kept (text_genre.h)
//   track       TRACKNUMBER ("n" or "n/N"), its   TRCK
//               total else from TRACKTOTAL or
//               TOTALTRACKS
//   composer    COMPOSER; copyright COPYRIGHT; encodedBy ENCODEDBY; origArtist
//               ORIGINALARTIST; publisher LABEL, else ORGANIZATION
//   lyrics      LYRICS                            USLT
//
// The tag and the lyrics become in the file and present when the map holds their keys (the
// tag also without them: such a file always has room for one); nothing is marked changed.
// Texts are cut at a zero character, as the ID3v2 fields are.
void readPropertyFields(const TagLib::PropertyMap& map, TagV2Fields& fields, LyricsTag& lyrics);

}  // namespace tw::core
