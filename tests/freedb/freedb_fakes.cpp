#include "freedb_fakes.h"

#include "freedb/xmcd_writer.h"

namespace tw::freedb {

void PrintTo(const AlbumInfo& album, std::ostream* out) {
    *out << "source " << static_cast<int>(album.source()) << ", category \"" << album.category()
         << "\", compilation " << album.isCompilation() << " \"" << album.compilationDelimiter()
         << "\", hasData " << album.hasData() << "\n"
         << WriteXmcd(album);
    for (const AlbumTrack& track : album.tracks())
        *out << "track " << track.index() << " modified " << track.modified() << "\n";
}

}  // namespace tw::freedb
