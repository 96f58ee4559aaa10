// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

#include "export/playlist_type.h"

namespace tw::core {
struct AudioFile;
}

namespace tw::exports {

class TextSink;

// The lines of a playlist file, each ended by CR LF. Values that hold a line break (a tag,
// a file name) get a space for each CR and LF, so no value can add or split a line.
//
// A PLS file is one INI section "Playlist" whose keys stand in the order they are first
// set: "NumberOfEntries", "Version", then "File<n>", "Title<n>", "Length<n>" per entry. Since
// the whole file is written in one go, the head carries the final count at once.

// The head: nothing (M3U), "#EXTM3U" (extended M3U), or "[Playlist]", "NumberOfEntries"
// and "Version=2" (PLS, when it has any entry).
void WritePlaylistHead(TextSink& sink, PlaylistType type, int entryCount);

// One entry, `number` counted from 1 (used by PLS): the "#EXTINF" line (extended M3U) and
// the file's path relative to the playlist (MakeRelativePath), or the PLS keys. An M3U path
// that starts with "#" is written as "./#...", so that no player takes it for a comment.
void WritePlaylistEntry(TextSink& sink, const core::AudioFile& file, PlaylistType type,
                        std::string_view playlistPath, int number);

}  // namespace tw::exports
