// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace tw::freedb {

class AlbumInfo;

// The CDDB disc id of an album from its track starts and its disc length: the digit sums
// of the start seconds, the play seconds and the track count packed into 32 bits.
std::uint32_t DiscIdOf(const AlbumInfo& album);

// A disc id as its eight lower-case hexadecimal digits.
std::string DiscIdText(std::uint32_t id);

// Stores the computed disc id in the album, replacing any assigned one. Nothing happens to
// an album without tracks.
void ComputeDiscId(AlbumInfo& album);

}  // namespace tw::freedb
