// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/stored_album.h"

#include <algorithm>

#include "freedb/album_store.h"

namespace tw::freedb {

std::optional<AlbumInfo> ReplaceStoredAlbum(AlbumStore& store, const AlbumInfo& album) {
    // A missing CD-player file fails to open, yet writing creates it.
    (void)store.open();
    (void)store.remove(album);  // a record that was not there is no failure; the write decides
    if (!store.write(album)) {
        store.close();
        return std::nullopt;
    }
    AlbumInfo copy;
    copy.setDiscId(album.discId());
    copy.setCategory(album.category());
    const bool readBack = store.open() && store.read(copy);
    store.close();
    if (!readBack)
        return std::nullopt;
    return copy;
}

bool HasTrackOffsets(const AlbumInfo& album) {
    return album.trackCount() > 0 &&
           std::all_of(album.tracks().begin(), album.tracks().end(),
                       [](const AlbumTrack& track) { return track.hasFrameOffset(); });
}

std::vector<StoreKind> StoreSelectedAlbum(const StoreFactory& stores, const AlbumInfo& album) {
    const FreeDbSettings& settings = stores.config().freedb;
    std::vector<StoreKind> failed;
    const auto keep = [&](StoreKind kind) {
        if (!ReplaceStoredAlbum(*stores.MakeStore(kind), album))
            failed.push_back(kind);
    };
    if (settings.storeSelectedInCdPlayer)
        keep(StoreKind::CdPlayerIni);
    if (settings.storeSelectedInLocalDb && HasTrackOffsets(album))
        keep(StoreKind::LocalDatabase);
    return failed;
}

}  // namespace tw::freedb
