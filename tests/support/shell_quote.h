// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace tw::test {

// `word` as one word of a shell command line, whatever it holds.
inline std::string shellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace tw::test
