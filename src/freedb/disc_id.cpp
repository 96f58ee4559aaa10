// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/disc_id.h"

#include <cstdio>

#include "freedb/album_info.h"

namespace tw::freedb {

namespace {

std::uint32_t digitSum(std::uint32_t value) {
    std::uint32_t sum = 0;
    for (; value > 0; value /= 10)
        sum += value % 10;
    return sum;
}

}  // namespace

std::uint32_t DiscIdOf(const AlbumInfo& album) {
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < album.trackCount(); ++i)
        n += digitSum(album.track(i).frameOffset() / 75);
    // The seconds from the first track's start to the lead-out. The disc length has no
    // lead-in, so a disc of under two seconds ends before its first track starts: it counts
    // as none rather than wrapping round into the digit sum's byte.
    const std::uint32_t firstStart = album.trackCount() > 0 ? album.track(0).frameOffset() / 75 : 0;
    const std::uint32_t leadOut = album.discLengthSeconds();
    const std::uint32_t t = leadOut > firstStart ? leadOut - firstStart : 0;
    // The fields are OR-ed unmasked, as every CDDB client does, so ids stay comparable.
    return ((n % 255) << 24) | (t << 8) | static_cast<std::uint32_t>(album.trackCount());
}

std::string DiscIdText(std::uint32_t id) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(id));
    return text;
}

void ComputeDiscId(AlbumInfo& album) {
    if (album.trackCount() > 0)
        album.setDiscId(DiscIdText(DiscIdOf(album)));
}

}  // namespace tw::freedb
