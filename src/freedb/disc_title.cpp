// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/disc_title.h"

#include "freedb/text_util.h"

namespace tw::freedb {

DiscTitle SplitDiscTitle(std::string_view text) {
    const std::size_t p = text.find(" / ");
    if (p == std::string_view::npos || p == 0) {
        std::string whole(TrimRight(text));
        return {whole, whole};
    }
    return {std::string(TrimRight(text.substr(0, p))), std::string(TrimRight(text.substr(p + 3)))};
}

std::string JoinDiscTitle(std::string_view artist, std::string_view title) {
    if (artist == title)
        return std::string(artist);
    std::string joined(artist);
    joined += " / ";
    joined += title;
    return joined;
}

}  // namespace tw::freedb
