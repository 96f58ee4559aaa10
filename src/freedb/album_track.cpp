// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/album_track.h"

namespace tw::freedb {

void AlbumTrack::replace(std::string& field, std::string_view value) {
    if (!field.empty() && field != value)
        modified_ = true;
    field = value;
}

void AlbumTrack::setTitle(std::string_view value, bool append) {
    if (append)
        title_ += value;
    else
        replace(title_, value);
}

void AlbumTrack::setExtraData(std::string_view value, bool append) {
    if (append)
        extraData_ += value;
    else
        replace(extraData_, value);
}

}  // namespace tw::freedb
