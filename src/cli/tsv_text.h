#pragma once

#include <string>
#include <string_view>

namespace tw::cli {

// `text` as one field of a tab-separated line: backslash, tab, newline and carriage return
// become "\\", "\t", "\n" and "\r", so every record stays on one line with its columns intact.
std::string tsvField(std::string_view text);

}  // namespace tw::cli
