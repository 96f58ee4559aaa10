// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>

#include "core/formats/format_stream.h"
#include "core/formats/vorbis_comment_listing.h"

namespace tw::core {

class BoundedStream;

// What the listing needs of an Ogg Vorbis or Opus file: the stream facts, the fields of the
// Vorbis comment and what its pictures are (not their images).
struct OggListing {
    FormatStream stream;
    CommentListing comment;
};

// Reads that from the file's pages, not through TagLib's Vorbis and Opus classes, which
// decode every picture of the comment in full, put the header packets together twice,
// page object by page object, turn every entry of the comment into UTF-16 and search for
// the last page backwards a kilobyte at a time: here the header packets are put together
// once, straight from the stream's read-ahead window, the comment is read from its bytes
// (vorbis_comment_listing.h), and the last page is found in the last 64 KiB. The stream
// facts are worked out as those classes do (length from the granule positions of the first
// and the last page, bitrate from the bytes behind the header packets). Nothing when the
// header packets are missing or not of the codec.
std::optional<OggListing> readOggListing(BoundedStream& stream, bool opus);

}  // namespace tw::core
