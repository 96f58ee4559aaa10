// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/formats/property_fields.h"
#include "core/picture_info.h"

namespace tw::core {

// What the listing needs of a Vorbis comment: the values of the keys the fields come from
// and what its pictures are (METADATA_BLOCK_PICTURE, else the older COVERART), not their
// images.
struct CommentListing {
    FieldValues values;
    std::vector<PictureInfo> pictures;
};

// A text of the file (a value, a picture's MIME type or description) as TagLib gives it:
// well-formed UTF-8 as it is, anything else through TagLib's conversion; cut at a zero.
std::string listedText(std::string_view bytes);

// Reads that from the bytes of a comment (vendor, count, the entries "NAME=value", each
// behind its length), straight from the bytes rather than through TagLib's comment and
// property map, which turn every entry into UTF-16 and back. The results are TagLib's: names
// of any case, entries without "=" or with characters no name may hold left out, and
// values that are not well-formed UTF-8 converted as TagLib converts them. False when a
// length or the count claims more bytes than `comment` holds.
bool readCommentListing(std::string_view comment, CommentListing& out);

}  // namespace tw::core
