// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/album_files.h"

#include <algorithm>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/file_list.h"
#include "freedb/album_info.h"

namespace tw::freedb {

namespace {

core::TagFields& created(core::TagFields& tag) {
    if (!tag.present)
        tag.makePresent();
    return tag;
}

}  // namespace

bool BuildAlbumFromSelection(const core::FileList& list, AlbumInfo& album, base::UserPort& port) {
    album.clear();
    if (list.selectedCount() > kMaxAlbumFiles) {
        port.showMessage(base::UserPort::Severity::Warning,
                         base::trf(base::ids::kMsgTooManyFilesForFreeDb, kMaxAlbumFiles));
        return false;
    }
    std::uint32_t offset = 150;
    std::uint32_t seconds = 0;
    std::size_t index = 0;
    for (int fileIndex : list.selectedIndices()) {
        const auto playSeconds =
            static_cast<std::uint32_t>(std::max(0, list.at(fileIndex).playSeconds));
        album.trackAt(index++)->setFrameOffset(offset);
        offset += playSeconds * 75;
        seconds += playSeconds;
    }
    album.setDiscLengthSeconds(seconds);
    return album.trackCount() > 0;
}

void ApplyAlbumToFiles(const AlbumInfo& album, core::FileList& list) {
    const std::int32_t total = list.selectedCount();
    std::size_t index = 0;
    list.forEachSelected([&](core::AudioFile& file) {
        for (core::TagFields* tag : {static_cast<core::TagFields*>(&file.id3v1),
                                     static_cast<core::TagFields*>(&file.id3v2)}) {
            created(*tag).setTrack(static_cast<std::int32_t>(index + 1), true);
            if (index < album.trackCount()) {
                tag->setTitle(album.track(index).title());
                if (album.isCompilation())
                    tag->setArtist(album.track(index).artist());
            }
        }
        file.id3v2.setTrackTotal(total, true);
        ++index;
    });
    if (!album.isCompilation())
        list.setArtistAll(album.artist());
    list.setAlbumAll(album.title());
    list.setYearAll(album.year());
}

}  // namespace tw::freedb
