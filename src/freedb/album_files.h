// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace tw::base {
class UserPort;
}

namespace tw::core {
class FileList;
}

namespace tw::freedb {

class AlbumInfo;

// The most files the lookup takes as the tracks of one disc.
inline constexpr int kMaxAlbumFiles = 200;

// Makes `album` the disc whose tracks are the selected files in selection order: each track
// starts where the previous one ends (the first at frame 150) and lasts its file's play
// time, and the disc length is the sum of the play times. The disc id follows from these
// on first use. With more than kMaxAlbumFiles selected, the user is told so and nothing is
// made. True when the album has at least one track.
[[nodiscard]] bool BuildAlbumFromSelection(const core::FileList& list, AlbumInfo& album,
                                           base::UserPort& port);

// Writes the album into both tags of the selected files, in memory (the user saves later):
// file n of the selection gets track number n (and the selection's length as the ID3v2
// total) and the title of track n; compilations give each file its track's artist, other
// albums give every file the disc artist; every file gets the disc title as album and the
// year. A tag the file lacks is created.
void ApplyAlbumToFiles(const AlbumInfo& album, core::FileList& list);

}  // namespace tw::freedb
