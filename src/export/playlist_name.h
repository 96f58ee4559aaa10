// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/playlist_type.h"
#include "rename/case_conversion.h"
#include "rename/mask_list.h"

namespace tw::core {
class FileList;
}
namespace tw::rename {
struct SymbolTable;
}

namespace tw::exports {

// The values a playlist's name mask draws on: the first selected file's fields and two
// texts about the whole selection.
struct PlaylistTokenValues {
    bool severalArtists = false;  // the selection has more than one non-empty artist
    std::string artist;           // effective values of the first selected file
    std::string album;
    std::string year;
    std::string genre;
    std::string comment;
    std::string bitrate;         // the file list's bitrate text
    std::string playTimeAll;     // "<minutes>.<seconds>" of the whole selection
    std::string numberOfTracks;  // the number of selected files
};

// A token of a playlist's name mask, in the order the tokens are replaced, with the string
// id of its tool tip in the mask editor's legend.
struct PlaylistToken {
    std::string_view token;
    int toolTipId;
};
std::span<const PlaylistToken> playlistTokens();

// "%d.%d" of whole minutes and the seconds left: 3725 gives "62.5", 59 gives "0.59".
std::string playTimeAllText(std::uint64_t seconds);

// The values of the selection of `list` (all empty when nothing is selected).
PlaylistTokenValues playlistTokenValues(const core::FileList& list);

// The tokens of the mask editor's legend with their example values, in playlistTokens()
// order; "<artist>" is left out when the selection has several artists.
std::vector<rename::ExampleValue> playlistExampleValues(const PlaylistTokenValues& values);

// The name the mask gives, in mask language ("\" between folders): the tokens replaced in
// order ("<artist>" only without several artists, so the token text otherwise stays),
// white space trimmed, "playlist" added when that leaves nothing or a folder, then the
// type's extension. A "\" or "/" in a value cannot make a folder: it is taken as "/", which
// the name's cleaning turns into "-" (PlaylistPath); control characters become spaces.
std::string ExpandPlaylistName(std::string_view mask, const PlaylistTokenValues& values,
                               PlaylistType type);

// Where a playlist goes.
struct PlaylistLocation {
    std::string path;   // the full path
    bool safe = false;  // false: the name climbs out of the folder in a way the mask does not
};

// The full path of a playlist named `name` (ExpandPlaylistName) in `outputDirectory`: each
// leading "..\" of the name moves one folder up (not above the root), but never more often
// than `allowedUpLevels` (the mask's own leading "..\" run, so a tag value cannot climb);
// then `table` and `caseMode` are applied to the name, its "\" become "/", and the name is
// joined to the folder with doubled separators collapsed. A name that still holds a ".."
// folder part is not safe.
PlaylistLocation PlaylistPath(std::string_view outputDirectory, std::string_view name,
                              int allowedUpLevels, const rename::SymbolTable& table,
                              rename::CaseMode caseMode);

// The number of "..\" at the start of a mask (after leading white space).
int maskUpLevels(std::string_view mask);

}  // namespace tw::exports
