// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/album_path_check.h"

namespace tw::freedb {

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

bool IsValidDiscId(std::string_view text) {
    if (text.size() != 8)
        return false;
    for (char c : text)
        if (!isHexDigit(c))
            return false;
    return true;
}

bool IsSafeCategoryName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    // Backslashes are refused too: older versions stored paths with them as separators.
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace tw::freedb
