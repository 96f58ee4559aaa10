// SPDX-License-Identifier: GPL-2.0-or-later
// The start of a picture frame from any bytes: the facts read from its head, in each tag
// version, with the declared length both shorter and longer than the bytes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/picture_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (int version : {2, 3, 4}) {
        (void)tw::core::parsePictureHead(bytes, size, version);
        (void)tw::core::parsePictureHead(bytes, size / 2, version);
        (void)tw::core::parsePictureHead(bytes, std::uint64_t{1} << 40, version);
    }
    return 0;
}
