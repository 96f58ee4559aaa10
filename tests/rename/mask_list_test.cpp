// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/mask_list.h"

#include <gtest/gtest.h>

#include "base/memory_settings_store.h"
#include "rename/symbol_table.h"

namespace tw::rename {
namespace {

using Masks = std::vector<std::string>;

TEST(MaskListLoad, DropsDuplicatesAndEmptiesAndStopsAtTheFirstGap) {
    base::MemorySettingsStore store;
    for (auto [name, value] : {std::pair{"Template0", "A"},
                               {"Template1", "A"},
                               {"Template2", ""},
                               {"Template3", "B"},
                               {"Template5", "C"}})
        store.setString("Templates\\X", name, value);
    MaskList list("Templates\\X");
    EXPECT_TRUE(list.load(store));
    EXPECT_EQ(list.masks(), (Masks{"A", "B"}));
}

TEST(MaskListLoad, LastSelectionOutOfRangeSelectsTheFirst) {
    base::MemorySettingsStore store;
    for (auto name : {"Template0", "Template1", "Template2"})
        store.setString("S", name, name);
    MaskList list("S");
    store.setInt("S", "LastSelection", 7);
    list.load(store);
    EXPECT_EQ(list.selectedIndex(), 0);
    store.setInt("S", "LastSelection", 2);
    list.load(store);
    EXPECT_EQ(list.currentMask(), "Template2");
}

TEST(MaskListLoad, NothingStoredLeavesTheDefaultsToTheCaller) {
    base::MemorySettingsStore store;
    MaskList list(kRenamingMaskSection);
    EXPECT_FALSE(list.load(store));
    list.addDefaults({"a", "b"});
    EXPECT_EQ(list.currentMask(), "a");
}

TEST(MaskListLoad, AbsurdSettingsAreClampedIntoTheirRanges) {
    base::MemorySettingsStore store;
    store.setString("S", "Template0", "m");
    store.setInt("S", "CounterStartAt", -5);
    store.setInt("S", "CounterLength", 2147483647);
    store.setInt("S", "CaseConversion", 9);
    MaskList list("S");
    list.load(store);
    EXPECT_EQ(list.counterStart(), 0);
    EXPECT_EQ(list.counterLength(), 6);
    EXPECT_EQ(list.caseMode(), CaseMode::AsIs);
    list.setCounterStart(40000);
    EXPECT_EQ(list.counterStart(), 32767);
    list.setCounterLength(0);
    EXPECT_EQ(list.counterLength(), 1);
}

TEST(MaskListSave, RewritesTheSectionAndRoundTrips) {
    base::MemorySettingsStore store;
    store.setString("S", "Template9", "stale");
    MaskList list("S");
    list.addDefaults({"a", "b", "c"});
    list.select(1);
    list.setCounterStart(5);
    list.setCounterLength(3);
    list.setCaseMode(CaseMode::UpperAll);
    list.save(store);
    EXPECT_FALSE(store.hasValue("S", "Template9"));

    MaskList again("S");
    ASSERT_TRUE(again.load(store));
    EXPECT_EQ(again.masks(), (Masks{"a", "b", "c"}));
    EXPECT_EQ(again.currentMask(), "b");
    EXPECT_EQ(again.counterStart(), 5);
    EXPECT_EQ(again.counterLength(), 3);
    EXPECT_EQ(again.caseMode(), CaseMode::UpperAll);
}

TEST(MaskListSave, TypedMaskIsKeptAsTheLastEntryAndSelected) {
    base::MemorySettingsStore store;
    MaskList list("S");
    list.addDefaults({"a", "b"});
    list.setCurrentMask("typed");
    EXPECT_EQ(list.selectedIndex(), -1);
    list.save(store);
    EXPECT_EQ(store.getInt("S", "LastSelection", -1), 2);

    MaskList again("S");
    again.load(store);
    EXPECT_EQ(again.masks(), (Masks{"a", "b", "typed"}));
    EXPECT_EQ(again.currentMask(), "typed");
    EXPECT_EQ(again.selectedIndex(), 2);

    // A typed text equal to an entry is that entry; an empty typed text is dropped.
    again.setCurrentMask("a");
    EXPECT_EQ(again.selectedIndex(), 0);
    again.setCurrentMask("");
    again.save(store);
    MaskList third("S");
    third.load(store);
    EXPECT_EQ(third.masks(), (Masks{"a", "b", "typed"}));
    EXPECT_EQ(third.selectedIndex(), 0);
}

TEST(MaskListEditing, SetMasksDropsDuplicatesAndFallsBackToTheFirst) {
    MaskList list("S");
    list.setMasks({"x", "y", "x", ""}, 5);
    EXPECT_EQ(list.masks(), (Masks{"x", "y"}));
    EXPECT_EQ(list.currentMask(), "x");
    list.setMasks({"x", "y"}, 1);
    EXPECT_EQ(list.currentMask(), "y");
}

TEST(MaskExampleLine, EmptyExamplesLeaveTheLiteralsCleaned) {
    base::MemorySettingsStore store;
    const std::vector<ExampleValue> empty{{"<number>", ""}, {"<title>", ""}, {"<artist>", ""}};
    EXPECT_EQ(maskExampleLine("<number> - <title>", empty, CaseMode::AsIs, ".mp3", store), "-.mp3");
    EXPECT_EQ(maskExampleLine("\\\\<artist>\\", empty, CaseMode::AsIs, ".mp3", store),
              "playlist.mp3");
    EXPECT_EQ(maskExampleLine("", empty, CaseMode::AsIs, ".m3u", store), "playlist.m3u");
}

TEST(MaskExampleLine, ValuesTableAndCaseApply) {
    base::MemorySettingsStore store;
    const std::vector<ExampleValue> values{{"<artist>", "the_band"}, {"<album>", "live?"}};
    EXPECT_EQ(
        maskExampleLine("<artist>\\<album>", values, CaseMode::UpperAllFirstLetters, ".m3u", store),
        "The Band\\Live.m3u");
    EXPECT_EQ(maskExampleLine("<artist>\\", values, CaseMode::AsIs, ".m3u", store),
              "the band\\playlist.m3u");
}

}  // namespace
}  // namespace tw::rename
