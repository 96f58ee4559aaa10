// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "support/bytes.h"

namespace tw::test {

// The fields of a 128-byte ID3v1 tag, as raw bytes (already in the tag's code page).
// Texts longer than their field are cut; shorter ones are zero padded.
struct Id3v1Spec {
    std::string title{};
    std::string artist{};
    std::string album{};
    std::string year{};
    std::string comment{};                // 30 bytes, or 28 when there is a track number
    std::optional<std::uint8_t> track{};  // set: the ID3v1.1 form (zero byte, then the track)
    std::uint8_t genre = 255;
};

Bytes id3v1Tag(const Id3v1Spec& spec);

}  // namespace tw::test
