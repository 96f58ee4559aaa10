// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

namespace tw::test {

// Calls `check(damaged, at, with)` for copies of `whole` with the byte at `at` (each one
// before `upTo`) overwritten by each of `values`, or, for -1, the copy cut short there: the
// damage a reader of sizes and offsets must survive. Returns how many of the calls answered
// true (the copies the reader under test read itself, say).
template <typename Check>
int forEachByteDamaged(const std::string& whole, std::size_t upTo,
                       std::initializer_list<int> values, Check check) {
    int counted = 0;
    for (std::size_t at = 0; at < upTo && at < whole.size(); ++at) {
        for (const int with : values) {
            std::string bytes = with < 0 ? whole.substr(0, at) : whole;
            if (with >= 0)
                bytes[at] = static_cast<char>(with);
            counted += check(bytes, at, with) ? 1 : 0;
        }
    }
    return counted;
}

}  // namespace tw::test
