// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/compilation.h"

#include <string>

#include "base/language.h"
#include "base/string_ids.h"
#include "freedb/album_info.h"
#include "freedb/album_log.h"
#include "freedb/text_util.h"

namespace tw::freedb {

bool ParseCompilation(AlbumInfo& album, std::string_view delimiter) {
    for (const AlbumTrack& track : album.tracks())
        if (track.title().find(delimiter) == std::string::npos)
            return false;
    album.markCompilation(delimiter);
    for (std::size_t i = 0; i < album.trackCount(); ++i) {
        AlbumTrack& track = album.track(i);
        const std::string whole = track.title_;
        const std::size_t p = whole.find(delimiter);
        const std::string_view text(whole);
        // Reading a record is no edit: the parts are assigned without marking the track.
        track.artist_ = Trim(text.substr(0, p));
        track.title_ = Trim(text.substr(p + delimiter.size()));
    }
    return true;
}

bool DetectCompilation(AlbumInfo& album, std::span<const std::string_view> delimiters,
                       AlbumLog* log) {
    for (std::size_t i = 0; i < delimiters.size(); ++i) {
        if (!ParseCompilation(album, delimiters[i]))
            continue;
        if (i > 0 && log != nullptr)
            log->log(base::trf(base::ids::kLogParsedAsCompilation, album.discId(), delimiters[i]));
        return true;
    }
    return false;
}

}  // namespace tw::freedb
