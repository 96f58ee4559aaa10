// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "core/formats/format_stream.h"
#include "core/formats/vorbis_comment_listing.h"

namespace tw::core {

class BoundedStream;

// What the listing needs of a FLAC file: the stream facts, the fields of its Vorbis comment
// and what its pictures are (the PICTURE blocks', then the comment's), not their images.
struct FlacListing {
    FormatStream stream;
    CommentListing comment;
};

// Reads that from the metadata blocks of a plain FLAC file, one that starts with its
// "fLaC" marker and has no ID3v1 tag, with the results of TagLib's FLAC class: the same
// blocks refused, the same stream facts (the bitrate over the bytes behind the blocks).
// Unlike that class it reads only the heads of the pictures, and the comment from its bytes
// (vorbis_comment_listing.h). Nothing for any other file, a damaged one included: TagLib's
// class is the judge of those.
std::optional<FlacListing> readFlacListing(BoundedStream& stream);

}  // namespace tw::core
