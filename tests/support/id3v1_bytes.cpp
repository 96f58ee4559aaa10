// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/id3v1_bytes.h"

#include <algorithm>

namespace tw::test {

namespace {

void putField(Bytes& tag, std::size_t offset, std::size_t size, const std::string& text) {
    std::copy_n(text.begin(), std::min(size, text.size()),
                tag.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

Bytes id3v1Tag(const Id3v1Spec& spec) {
    Bytes tag(128, 0);
    putField(tag, 0, 3, "TAG");
    putField(tag, 3, 30, spec.title);
    putField(tag, 33, 30, spec.artist);
    putField(tag, 63, 30, spec.album);
    putField(tag, 93, 4, spec.year);
    putField(tag, 97, spec.track ? 28 : 30, spec.comment);
    if (spec.track) {
        tag[125] = 0;
        tag[126] = *spec.track;
    }
    tag[127] = spec.genre;
    return tag;
}

}  // namespace tw::test
