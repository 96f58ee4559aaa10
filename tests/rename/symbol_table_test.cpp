// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/symbol_table.h"

#include <gtest/gtest.h>

#include "base/memory_settings_store.h"

namespace tw::rename {
namespace {

std::string applyDefaults(std::string_view text) {
    return ApplySymbolTable(text, SymbolTable::defaults());
}

TEST(SymbolTableStorage, AbsentCountGivesTheDefaultsWithoutWritingThem) {
    base::MemorySettingsStore store;
    EXPECT_EQ(SymbolTable::load(store, kTagToFilenameTable), SymbolTable::defaults());
    EXPECT_EQ(store.size(), 0u);
}

TEST(SymbolTableStorage, SavedTableLoadsBackUnderAnyLetterCaseOfItsKey) {
    base::MemorySettingsStore store;
    const SymbolTable table{{{"a", "1"}, {" x ", ""}, {"c", "3"}}};
    table.save(store, "SymbolReplacementFilenameToTag");
    EXPECT_EQ(SymbolTable::load(store, "SymbolReplacementFilenametoTag"), table);
    // A shorter table leaves the old values but they are not read back.
    const SymbolTable shorter{{{"z", "9"}}};
    shorter.save(store, kFilenameToTagTable);
    EXPECT_EQ(SymbolTable::load(store, kFilenameToTagTable), shorter);
}

TEST(SymbolTableStorage, HandEditedCountsAndMissingTextsGiveBoundedTables) {
    base::MemorySettingsStore store;
    store.setInt("T", "ItemsCount", 2);
    store.setString("T", "Search0", "s0");
    EXPECT_EQ(SymbolTable::load(store, "T"),
              (SymbolTable{{{"s0", "NODATA"}, {"NODATA", "NODATA"}}}));
    for (const int count : {0, -5}) {
        store.setInt("T", "ItemsCount", count);
        EXPECT_TRUE(SymbolTable::load(store, "T").pairs.empty()) << count;
    }
    store.setInt("T", "ItemsCount", 2147483647);
    EXPECT_EQ(SymbolTable::load(store, "T").pairs.size(),
              static_cast<std::size_t>(SymbolTable::kMaxPairs));
}

TEST(SymbolTableDisplayForm, SpacesShowAsMarkersAndComeBack) {
    EXPECT_EQ(toDisplayForm("  a b"), "[space][space]a[space]b");
    EXPECT_EQ(fromDisplayForm("[space][space]a[space]b"), "  a b");
    EXPECT_EQ(fromDisplayForm("x[space"), "x[space");
}

TEST(ApplySymbolTable, DefaultTableCleansGeneratedNames) {
    EXPECT_EQ(applyDefaults("A_B%20C"), "A B C");
    EXPECT_EQ(applyDefaults("one   two"), "one two");
    EXPECT_EQ(applyDefaults("a...b"), "a.b");
    EXPECT_EQ(applyDefaults("What? \"Yes\" a|b <x>: y*z"), "What. 'Yes' alb [x]- yxz");
    EXPECT_EQ(applyDefaults("AC/DC"), "AC-DC");
    EXPECT_EQ(applyDefaults(" - Intro.mp3"), "- Intro.mp3");
    EXPECT_EQ(applyDefaults("Name. .mp3"), "Name. .mp3");
    EXPECT_EQ(applyDefaults("Name. . "), "Name.");
    EXPECT_EQ(applyDefaults("..\\x.mp3"), ".\\x.mp3");
}

TEST(ApplySymbolTable, BackslashPairsNeverApplyAndDoubledSeparatorsJoin) {
    const SymbolTable onlyBackslash{{{"\\", "-"}}};
    EXPECT_EQ(ApplySymbolTable(" a\\\\\\b\\c. ", onlyBackslash), "a\\b\\c");
    EXPECT_EQ(applyDefaults("AC\\DC"), "AC\\DC");
}

TEST(ApplySymbolTable, EmptyTableStillTrimsTheWholeText) {
    EXPECT_EQ(ApplySymbolTable("  a_b .. ", SymbolTable{}), "a_b");
}

TEST(ApplySymbolTable, SelfFeedingPairsEndWithinTheGrowthBound) {
    const std::string text = "ab";
    // The replacement holds its search text: each round adds more, until the bound.
    const std::string grown = ApplySymbolTable(text, SymbolTable{{{"a", "aa"}}});
    EXPECT_GT(grown.size(), text.size());
    EXPECT_LE(grown.size(), text.size() * 4 + 1024);
    // A pair that replaces a text by itself changes nothing and stops at once.
    EXPECT_EQ(ApplySymbolTable(text, SymbolTable{{{"a", "a"}}}), text);
    // Empty search texts (only a hand-edited store holds them) are ignored.
    EXPECT_EQ(ApplySymbolTable(text, SymbolTable{{{"", "x"}}}), text);
    // A replacement beyond the bound is not made at all.
    const std::string many(10000, 'a');
    EXPECT_EQ(ApplySymbolTable(many, SymbolTable{{{"a", std::string(100000, 'b')}}}), many);
}

TEST(ApplySymbolTable, ReadsTheTableFromTheStoreEachTime) {
    base::MemorySettingsStore store;
    EXPECT_EQ(ApplySymbolTable("a_b", store, kTagToFilenameTable), "a b");
    SymbolTable{{{"_", "+"}}}.save(store, kTagToFilenameTable);
    EXPECT_EQ(ApplySymbolTable("a_b", store, kTagToFilenameTable), "a+b");
}

}  // namespace
}  // namespace tw::rename
