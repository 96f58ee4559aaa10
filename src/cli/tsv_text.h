// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::cli {

// Appends `text` to `out` as one field of a tab-separated line: backslash, tab, newline and
// carriage return become "\\", "\t", "\n" and "\r", so every record stays on one line with
// its columns intact.
void appendTsvField(std::string& out, std::string_view text);

// The same as a string of its own.
std::string tsvField(std::string_view text);

}  // namespace tw::cli
