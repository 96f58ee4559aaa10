// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "base/string_table.h"

namespace tw::base {
namespace {

// Lookups search the table by halves, so an id out of order would hide texts.
TEST(StringTable, IdsAscendStrictlySoLookupsFindEveryText) {
    ASSERT_GT(builtinTextCount(), 500u);
    for (std::size_t n = 0; n < builtinTextCount(); ++n) {
        const int id = builtinTextIdAt(n);
        if (n > 0) {
            EXPECT_LT(builtinTextIdAt(n - 1), id);
        }
        EXPECT_FALSE(builtinText(id).empty()) << id;
    }
    for (const int id : {0, -1, 57701, 1 << 30})
        EXPECT_TRUE(builtinText(id).empty()) << id;
}

}  // namespace
}  // namespace tw::base
