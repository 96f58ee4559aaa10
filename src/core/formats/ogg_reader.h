// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <taglib/tpropertymap.h>

#include <optional>
#include <vector>

#include "core/formats/format_stream.h"
#include "core/picture_info.h"

namespace TagLib {
class IOStream;
}

namespace tw::core {

// What the listing needs of an Ogg Vorbis or Opus file: the stream facts, the fields of the
// Vorbis comment and what its pictures are (not their images).
struct OggListing {
    FormatStream stream;
    TagLib::PropertyMap properties;
    std::vector<PictureInfo> pictures;
};

// Reads that from the file's pages, not through TagLib's Vorbis and Opus classes, which
// decode every picture of the comment in full, put the header packets together twice,
// page object by page object, and search for the last page backwards a kilobyte at a time:
// here the header packets are put together once, of a METADATA_BLOCK_PICTURE only the head
// that describes the image is decoded, and the last page is found in the last 64 KiB. The
// stream facts are worked out as those classes do (length from the granule positions of
// the first and the last page, bitrate from the bytes behind the header packets). Nothing
// when the header packets are missing or not of the codec.
std::optional<OggListing> readOggListing(TagLib::IOStream& stream, bool opus);

}  // namespace tw::core
