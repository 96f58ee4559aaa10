#pragma once

#include <optional>

#include "freedb/album_info.h"

namespace tw::freedb {

class AlbumStore;

// Makes `album` the store's copy of its disc: the copy the store holds goes first, then the
// album is written and read back. The copy as the store now holds it, or nullopt when
// writing failed. The store is opened and closed here.
std::optional<AlbumInfo> ReplaceStoredAlbum(AlbumStore& store, const AlbumInfo& album);

}  // namespace tw::freedb
