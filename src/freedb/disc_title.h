// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::freedb {

// A DTITLE value in its two parts.
struct DiscTitle {
    std::string artist;
    std::string title;
};

// Splits a DTITLE value at its first " / " (artist before, title after), each part without
// trailing white space. Without the delimiter, or with it at the very start, the whole text
// is both artist and title.
DiscTitle SplitDiscTitle(std::string_view text);

// The inverse of SplitDiscTitle: "artist / title", or the artist alone when both are equal.
std::string JoinDiscTitle(std::string_view artist, std::string_view title);

}  // namespace tw::freedb
