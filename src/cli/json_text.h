// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::cli {

// Appends `text` to `out` as a quoted JSON string, straight from its UTF-8 bytes. Quotes,
// backslashes and control characters are escaped; every ill-formed piece of UTF-8 (file
// names from older systems) becomes one U+FFFD, so the output always parses.
void appendJsonString(std::string& out, std::string_view text);

}  // namespace tw::cli
