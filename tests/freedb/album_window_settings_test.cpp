// SPDX-License-Identifier: GPL-2.0-or-later
// The stored values of the album window that carry rules of their own: the tree's levels
// and the search history.
#include <gtest/gtest.h>

#include "base/memory_settings_store.h"
#include "freedb/album_tree_format.h"
#include "freedb/search_history.h"

namespace tw::freedb {
namespace {

using L = TreeLevel;

std::vector<std::uint8_t> levelBytes(std::initializer_list<std::int32_t> levels) {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t level : levels)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(level) >> shift));
    return bytes;
}

TEST(TreeFormat, StoredLevelsAreReadSafely) {
    const std::vector<L> defaults = {L::Category, L::Artist, L::Album};
    const struct {
        const char* name;
        std::vector<std::uint8_t> stored;
        std::vector<L> chosen;
    } cases[] = {
        {"missing", {}, defaults},
        {"wrong size", {1, 0, 0, 0}, defaults},
        {"disc id first", levelBytes({4, 2, -1, -1}), {L::DiscId, L::Artist}},
        {"gaps close up", levelBytes({-1, 3, -1, 1}), {L::Album, L::Category}},
        {"unknown and repeated levels", levelBytes({9, 2, 2, 0}), {L::Artist}},
        {"none at all", levelBytes({-1, -1, -1, -1}), {}},
    };
    for (const auto& c : cases) {
        base::MemorySettingsStore store;
        if (!c.stored.empty())
            store.setBinary("FreeDB", "TreeFormat", c.stored);
        EXPECT_EQ(TreeFormat::load(store).chosen(), c.chosen) << c.name;
    }

    base::MemorySettingsStore store;
    TreeFormat::of({L::DiscId, L::Category}).save(store);
    EXPECT_EQ(store.getBinary("FreeDB", "TreeFormat"), levelBytes({4, 1, -1, -1}));
    EXPECT_EQ(TreeFormat::load(store), TreeFormat::of({L::DiscId, L::Category}));
}

TEST(SearchHistory, NewestFirstWithoutRepeatsAndWithinItsLimit) {
    SearchHistory history;
    // Only eight hexadecimal digits, in either case, are taken for a disc id.
    for (const char* words : {"abba", "0D01A202", "  ", "0d01a20g", "0d01a2021", "abba"})
        history.push(words);
    std::vector<SearchHistory::Entry> expected = {
        {"abba", false}, {"0d01a2021", false}, {"0d01a20g", false}, {"0D01A202", true}};
    EXPECT_EQ(history.entries(), expected);
    for (int i = 0; i < 30; ++i)
        history.push("search " + std::to_string(i));
    EXPECT_EQ(history.entries().size(), SearchHistory::kMaxEntries);
    EXPECT_EQ(history.entries().front().text, "search 29");

    base::MemorySettingsStore store;
    history.save(store);
    EXPECT_EQ(SearchHistory::load(store).entries(), history.entries());
    // A shorter list replaces the stored one whole.
    SearchHistory shorter;
    shorter.push("only");
    shorter.save(store);
    EXPECT_EQ(SearchHistory::load(store).entries().size(), 1u);
}

TEST(SearchHistory, ReadingStopsAtTheFirstMissingEntry) {
    base::MemorySettingsStore store;
    store.setString("FreeDB\\SearchHistory", "String0", "first");
    store.setString("FreeDB\\SearchHistory", "String1", "NODATA");
    store.setString("FreeDB\\SearchHistory", "String2", "after the gap");
    ASSERT_EQ(SearchHistory::load(store).entries().size(), 1u);
    EXPECT_EQ(SearchHistory::load(store).entries()[0].text, "first");
}

}  // namespace
}  // namespace tw::freedb
