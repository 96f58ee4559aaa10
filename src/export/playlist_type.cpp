// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/playlist_type.h"

#include "base/language.h"
#include "base/settings_store.h"
#include "base/string_ids.h"

namespace tw::exports {

namespace {

constexpr std::string_view kSection = "Playlist";
constexpr std::string_view kTypeKey = "Type";

}  // namespace

std::string_view playlistExtension(PlaylistType type) {
    return type == PlaylistType::Pls ? ".pls" : ".m3u";
}

std::string_view playlistDefaultExtension(PlaylistType type) {
    return playlistExtension(type).substr(1);
}

std::string playlistFilter(PlaylistType type) {
    // The table keeps the form "Description (*.ext)|*.ext|" of the old file dialogs; the
    // port takes the description alone.
    const std::string text = base::tr(type == PlaylistType::Pls ? base::ids::kFilterPlsPlaylist
                                                                : base::ids::kFilterM3uPlaylist);
    return text.substr(0, text.find('|'));
}

int playlistTypeNameId(PlaylistType type) {
    switch (type) {
        case PlaylistType::M3u:
            return base::ids::kPlaylistTypeM3u;
        case PlaylistType::M3uExtended:
            return base::ids::kPlaylistTypeM3uExtended;
        case PlaylistType::Pls:
            return base::ids::kPlaylistTypePls;
    }
    return base::ids::kPlaylistTypeM3uExtended;
}

PlaylistType loadPlaylistType(const base::SettingsStore& store) {
    const int stored = store.getInt(kSection, kTypeKey, static_cast<int>(kDefaultPlaylistType));
    if (stored < 0 || stored > static_cast<int>(PlaylistType::Pls))
        return kDefaultPlaylistType;
    return static_cast<PlaylistType>(stored);
}

void savePlaylistType(base::SettingsStore& store, PlaylistType type) {
    store.setInt(kSection, kTypeKey, static_cast<int>(type));
}

}  // namespace tw::exports
