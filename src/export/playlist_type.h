// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::base {
class SettingsStore;
}

namespace tw::exports {

// The kinds of playlist, numbered as the "&Type:" choices and the stored "Type".
enum class PlaylistType : int { M3u = 0, M3uExtended = 1, Pls = 2 };

inline constexpr PlaylistType kDefaultPlaylistType = PlaylistType::M3uExtended;

// ".m3u" or ".pls".
std::string_view playlistExtension(PlaylistType type);
// The save dialog's default extension, without the dot: "m3u" or "pls".
std::string_view playlistDefaultExtension(PlaylistType type);
// The save dialog's filter ("M3U playlist (*.m3u)"), from the string table.
std::string playlistFilter(PlaylistType type);
// The string id of the type's name in the "&Type:" choices.
int playlistTypeNameId(PlaylistType type);

// "Type" in section "Playlist"; a stored value that names no type reads as the default.
PlaylistType loadPlaylistType(const base::SettingsStore& store);
void savePlaylistType(base::SettingsStore& store, PlaylistType type);

}  // namespace tw::exports
