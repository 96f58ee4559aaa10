// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

namespace tw::test {

// Copies of `whole` with the byte at `at` (each one before `upTo`) overwritten by each of
// `values`, or, for -1, the copy cut short there: the damage a reader of sizes and offsets
// must survive. `read(copy)` gives the fast reader's result and the reference reader's, the
// first empty where the fast reader handed the copy over. Where it read the copy itself, the
// two must agree, and it must have read some copies itself.
template <typename Read>
void expectAgreementOnDamage(const std::string& whole, std::size_t upTo,
                             std::initializer_list<int> values, Read read) {
    int readItself = 0;
    for (std::size_t at = 0; at < upTo && at < whole.size(); ++at) {
        for (const int with : values) {
            std::string bytes = with < 0 ? whole.substr(0, at) : whole;
            if (with >= 0)
                bytes[at] = static_cast<char>(with);
            const std::pair<std::string, std::string> results = read(bytes);
            if (results.first.empty())
                continue;
            ++readItself;
            EXPECT_EQ(results.first, results.second) << "byte " << at << ", " << with;
        }
    }
    EXPECT_GT(readItself, 0);
}

}  // namespace tw::test
