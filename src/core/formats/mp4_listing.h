// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "core/formats/format_stream.h"
#include "core/formats/vorbis_comment_listing.h"

namespace tw::core {

class BoundedStream;

// What the listing needs of an MP4 file: the stream facts, the fields of its tag items and
// what its covers are, not their images.
struct Mp4Listing {
    FormatStream stream;
    CommentListing tag;
};

// Reads that from the boxes of a plain MP4 file with the results of TagLib's MP4 class and
// mp4StreamOf: the same audio track, the same items kept (the first of a name; "gnre" as
// "\251gen"), the same covers. It walks the box tree once and reads only the boxes the
// record uses, the covers' heads rather than their images. Nothing for a file whose boxes
// do not nest exactly in their parents or whose boxes TagLib would read only partly (a
// damaged file among them): TagLib's class is the judge of those.
std::optional<Mp4Listing> readMp4Listing(BoundedStream& stream);

// The MIME type of a cover of the format (the data type) TagLib names; empty for others.
std::string_view mp4CoverMime(int format);

}  // namespace tw::core
