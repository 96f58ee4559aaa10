// SPDX-License-Identifier: GPL-2.0-or-later
#include "cddb_example.h"

#include <string>

#include "base/user_port.h"
#include "core/effective_value.h"
#include "core/file_list.h"
#include "freedb/album_files.h"
#include "freedb/album_info.h"
#include "freedb/freedb_settings.h"
#include "freedb/local_album_database.h"
#include "freedb/local_db_settings.h"
#include "freedb/settings_io.h"

namespace tw::help_shots {

namespace {

std::string orExample(const std::string& text, const std::string& example) {
    return text.empty() ? example : text;
}

}  // namespace

void prepareCddbExample(const core::FileList& list, base::SettingsStore& store,
                        base::UserPort& port) {
    freedb::AlbumInfo album;
    if (!freedb::BuildAlbumFromSelection(list, album, port) || !list.first())
        return;
    const core::AudioFile& first = *list.first();
    album.setArtist(
        orExample(core::EffectiveValue(first, core::EffectiveField::Artist), "Example Artist"));
    album.setTitle(
        orExample(core::EffectiveValue(first, core::EffectiveField::Album), "Example Album"));
    album.setCategory("rock");
    album.setYear("2024");
    std::size_t track = 0;
    for (int index : list.selectedIndices()) {
        if (track == album.trackCount())
            break;
        album.track(track).setTitle(
            orExample(core::EffectiveValue(list.at(index), core::EffectiveField::Title),
                      "Track " + std::to_string(track + 1)),
            false);
        ++track;
    }
    freedb::LocalAlbumDatabase database(
        freedb::LocalDbSettings::load(store, freedb::DefaultLocalDbRoot()));
    if (!database.write(album))
        port.showMessage(base::UserPort::Severity::Error, "cannot store the example album");

    freedb::FreeDbSettings settings;
    freedb::ReadStoredSettings(store, settings);
    for (freedb::RetrievingOrderEntry& entry : settings.retrievingOrder)
        if (entry.source == static_cast<std::uint16_t>(freedb::AlbumSource::FreeDb))
            entry.used = false;
    freedb::WriteStoredSettings(settings, store);
}

}  // namespace tw::help_shots
