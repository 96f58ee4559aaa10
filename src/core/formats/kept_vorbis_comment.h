// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <taglib/tbytevector.h>

namespace TagLib::Ogg {
class XiphComment;
}

namespace tw::core {

// The Vorbis comment a save writes: the file's own comment, `fileComment` (its bytes from
// the length of the vendor string on; empty when the file has none), with only the keys
// whose values `edited` (TagLib's reading of those bytes, edited) changed written anew.
// TagLib renders every key in capitals, sorted, and every value decoded and encoded again,
// so a save of one field would rewrite all of them; users expect the rest untouched.
//
// Keys match case-insensitively, as TagLib reads them; METADATA_BLOCK_PICTURE and COVERART
// entries are the pictures, one key. A changed key's values take the place of its first
// entry and its other entries go; a key the file lacks goes at the end. Every other entry
// stays byte for byte, key case included, and so do the entries TagLib cannot read (no
// valid key) unless the edits left no value at all. The vendor string is the file's.
TagLib::ByteVector renderKeptComment(const TagLib::ByteVector& fileComment,
                                     TagLib::Ogg::XiphComment& edited, bool framingBit);

}  // namespace tw::core
