// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "freedb/album_info.h"
#include "freedb/store_factory.h"

namespace tw::freedb {

// Makes `album` the store's copy of its disc: the copy the store holds goes first, then the
// album is written and read back. The copy as the store now holds it, or nullopt when
// writing failed. The store is opened and closed here.
std::optional<AlbumInfo> ReplaceStoredAlbum(AlbumStore& store, const AlbumInfo& album);

// Whether the local database can keep the album: a record needs the start of every track
// (albums read from the CD-player file have none).
bool HasTrackOffsets(const AlbumInfo& album);

// Keeps the album the user selected where the settings ask (storeSelectedInCdPlayer,
// storeSelectedInLocalDb), each copy replacing the one that store held; the local
// database only when it can keep the album. The kinds of the stores that failed.
std::vector<StoreKind> StoreSelectedAlbum(const StoreFactory& stores, const AlbumInfo& album);

}  // namespace tw::freedb
