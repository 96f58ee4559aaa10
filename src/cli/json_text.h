#pragma once

#include <string>
#include <string_view>

namespace tw::cli {

// `text` as a quoted JSON string. Quotes, backslashes and control characters are escaped;
// bytes that are not valid UTF-8 (file names from older systems) become U+FFFD, so the
// output always parses.
std::string jsonQuote(std::string_view text);

}  // namespace tw::cli
