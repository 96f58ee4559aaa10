// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <taglib/mp4tag.h>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "core/formats/format_layout.h"

namespace tw::core {

class OverlayStream;

// The item list ("ilst") a save writes into an MP4 file: the file's own item boxes, byte for
// byte and in their order, with only the items whose values the edits changed written anew,
// in the place of their first box (a new item goes at the end, a removed one goes, and a
// cleared tag takes every box, those TagLib cannot read too). TagLib keeps the items in a
// map: its save writes them sorted by key, every value decoded and encoded again, and what
// it cannot read (other data types, covers of other formats, boxes it does not know) not at
// all; users expect the items they did not edit untouched.
//
// TagLib still lays out the boxes around the list (their sizes, the chunk offsets behind
// it): the save hands it a stand-in of the changed items and one filler item as large as
// the boxes kept, then puts the list in the place of what TagLib wrote, which is as large
// (or larger, the rest then a "free" box).
class KeptMp4Items {
public:
    // Works out what stays of the file's list (found with `file`, of `size` bytes) from
    // TagLib's reading of it, `read`, and the tag after the edits, `edited`, and leaves in
    // `edited` the stand-in. None, leaving `edited` as it is, when the file has no list, one
    // whose boxes do not add up or one too large to be held twice in the result: TagLib's
    // save then writes its own.
    static std::optional<KeptMp4Items> prepare(const ByteReader& file, std::uint64_t size,
                                               const TagLib::MP4::ItemMap& read,
                                               TagLib::MP4::Tag& edited);

    // After TagLib's save into `result`: puts the list in the place of the one TagLib wrote.
    // False when that is not where and what the stand-in made of it.
    bool put(OverlayStream& result) const;

private:
    struct FileBox {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
    };
    // In order: a box of the file, or TagLib's rendering of a changed item.
    std::vector<std::variant<FileBox, TagLib::String>> parts_;
};

}  // namespace tw::core
