#include "freedb/stored_album.h"

#include "freedb/album_store.h"

namespace tw::freedb {

std::optional<AlbumInfo> ReplaceStoredAlbum(AlbumStore& store, const AlbumInfo& album) {
    // A missing CD-player file fails to open, yet writing creates it.
    store.open();
    store.remove(album);
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

}  // namespace tw::freedb
