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
    std::uint32_t t = 0;
    for (std::size_t i = 0; i < album.trackCount(); ++i) {
        const std::uint32_t start = album.track(i).frameOffset() / 75;
        n += digitSum(start);
        t += album.trackEnd(i) / 75 - start;
    }
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
