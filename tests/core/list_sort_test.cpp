// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/list_sort.h"

#include <gtest/gtest.h>

#include "core/app_options.h"

namespace tw::core {
namespace {

std::unique_ptr<AudioFile> named(const std::string& name) {
    auto file = std::make_unique<AudioFile>();
    file->fileName = name + ".mp3";
    file->baseName = name;
    return file;
}

std::vector<std::string> order(const FileList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.size(); ++i)
        names.push_back(list.at(i).baseName);
    return names;
}

using Names = std::vector<std::string>;

TEST(ListSort, NumbersInTextsCompareByValue) {
    FileList list;
    for (const char* rate : {"320 kbps VBR", "64 kbps", "128 kbps"}) {
        auto file = named(rate);
        file->streamText[static_cast<std::size_t>(StreamField::Bitrate)] = rate;
        list.add(std::move(file));
    }
    sortFileList(list, TagFieldId::Bitrate, true);
    EXPECT_EQ(order(list), (Names{"64 kbps", "128 kbps", "320 kbps VBR"}));
    sortFileList(list, TagFieldId::Bitrate, false);
    EXPECT_EQ(order(list), (Names{"320 kbps VBR", "128 kbps", "64 kbps"}));
}

TEST(ListSort, NaturalOrderIsATotalOrder) {
    // Each text sorts before the next, with letter case counted and with it folded.
    const std::vector<std::string> cased = {
        "",   "-",    "0",   "00",      "01",       "1",
        "2",  "10",   "10a", "10b",     "200",      "99999999999999999999999",
        "A2", "A10",  "B",   "Track 2", "Track 10", "a",
        "a1", "a01x", "a1y", "\xc3\xa9"};
    const std::vector<std::string> folded = {"1 a", "01 b", "2",       "_x",       "A",
                                             "a",   "B",    "track 3", "Track 20", "\xc3\xa9"};
    for (const auto& [texts, ignoreCase] : {std::pair{cased, false}, std::pair{folded, true}}) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            for (std::size_t j = 0; j < texts.size(); ++j) {
                const int expected = i < j ? -1 : (i > j ? 1 : 0);
                EXPECT_EQ(compareNatural(texts[i], texts[j], ignoreCase), expected)
                    << texts[i] << " / " << texts[j] << (ignoreCase ? " folded" : "");
            }
    }
    EXPECT_TRUE(listsBefore("/m/track 9.mp3", "/m/Track 10.mp3"));
}

TEST(ListSort, TextsCompareByteWiseWithTheV2ValuePreferred) {
    FileList list;
    const std::pair<const char*, const char*> titles[] = {
        {"lower", "apple"}, {"upper", "Zebra"}, {"accent", "\xc3\xa9t\xc3\xa9"}, {"v1only", ""}};
    for (const auto& [name, title] : titles) {
        auto file = named(name);
        file->id3v2.title = title;
        file->id3v1.title = "Mango";
        list.add(std::move(file));
    }
    sortFileList(list, TagFieldId::Title, true);
    // "Mango" (the ID3v1 title of v1only) sorts among the ID3v2 titles; bytes above 127
    // come after ASCII.
    EXPECT_EQ(order(list), (Names{"v1only", "upper", "lower", "accent"}));
}

// Free genres have no number: they come after the files without a genre, by their text.
TEST(ListSort, FreeGenresSortByTheirText) {
    FileList list;
    const std::pair<const char*, const char*> genres[] = {
        {"rock", ""}, {"zouk", "Zouk"}, {"none", ""}, {"drone", "Drone"}};
    for (const auto& [name, genre] : genres) {
        auto file = named(name);
        file->id3v2.freeGenre = genre;
        file->id3v2.genre = std::string_view(name) == "rock" ? 17 : -1;
        list.add(std::move(file));
    }
    sortFileList(list, TagFieldId::Genre, true);
    EXPECT_EQ(order(list), (Names{"none", "drone", "zouk", "rock"}));
}

TEST(ListSort, NumericKeysFollowTheirOwnRules) {
    FileList list;
    auto a = named("a");
    a->id3v1.track = 0;
    a->id3v2.track = 9;
    a->id3v2.genre = 200;  // out of range: the ID3v1 genre counts
    a->id3v1.genre = 5;
    a->size = 5'000'000'000ull;
    auto b = named("b");
    b->id3v1.track = 2;
    b->id3v2.track = 1;
    b->id3v2.genre = 3;
    b->id3v1.genre = 100;
    b->size = 10;
    list.add(std::move(a));
    list.add(std::move(b));

    const bool preferV1 = options().preferV1Track;
    options().preferV1Track = true;
    sortFileList(list, TagFieldId::Track, true);
    EXPECT_EQ(order(list), (Names{"b", "a"}));  // 2 before 9
    options().preferV1Track = preferV1;

    sortFileList(list, TagFieldId::Genre, true);
    EXPECT_EQ(order(list), (Names{"b", "a"}));  // 3 before 5
    sortFileList(list, TagFieldId::FileSize, false);
    EXPECT_EQ(order(list), (Names{"a", "b"}));
}

TEST(FileListReorder, RefusesAnythingButAPermutation) {
    FileList list;
    for (const char* name : {"a", "b", "c"})
        list.add(named(name));
    EXPECT_FALSE(list.reorder({0, 1}));
    EXPECT_FALSE(list.reorder({0, 1, 1}));
    EXPECT_FALSE(list.reorder({0, 1, 3}));
    EXPECT_FALSE(list.reorder({0, -1, 2}));
    EXPECT_EQ(order(list), (Names{"a", "b", "c"}));
    list.selectAdd(1);
    // The selection goes with its records, and its chain follows the new list order.
    EXPECT_TRUE(list.reorder({2, 1, 0}));
    EXPECT_EQ(order(list), (Names{"c", "b", "a"}));
    EXPECT_EQ(list.selectedIndices(), (std::vector<int>{1, 2}));
    EXPECT_EQ(list.first(), &list.at(1));
    EXPECT_EQ(list.at(1).nextSelected, 2);
}

}  // namespace
}  // namespace tw::core
