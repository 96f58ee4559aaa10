// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/album_store.h"

namespace tw::freedb {

bool AlbumStore::write(const AlbumInfo&) {
    return false;
}

bool AlbumStore::remove(const AlbumInfo&) {
    return false;
}

bool AlbumStore::listAll(const AlbumSink&) {
    return false;
}

void AlbumStore::log(std::string_view text) const {
    if (log_)
        log_->log(text);
}

}  // namespace tw::freedb
