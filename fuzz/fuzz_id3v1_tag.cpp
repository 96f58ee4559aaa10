// SPDX-License-Identifier: GPL-2.0-or-later
// Reading an ID3v1 tag from any last 128 bytes, and writing the fields back.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/id3v1_tag.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::core::Id3v1Bytes tag{};
    std::copy_n(data, std::min(size, tag.size()), tag.begin());
    tw::core::TagFields fields;
    if (tw::core::readId3v1(tag, fields)) {
        const auto again = tw::core::renderId3v1(fields, fields.genre);
        tw::core::TagFields reread;
        tw::core::readId3v1(again, reread);
    }
    return 0;
}
