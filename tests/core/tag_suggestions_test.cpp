// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/tag_suggestions.h"

#include <gtest/gtest.h>

namespace tw::core {
namespace {

using Texts = std::vector<std::string>;

std::unique_ptr<AudioFile> file(const std::string& path, const std::string& artist,
                                const std::string& year) {
    auto record = std::make_unique<AudioFile>();
    record->path = path;
    record->id3v1.artist = artist;
    record->id3v1.yearText = year;
    record->id3v2.artist = "v2 values are never suggested";
    return record;
}

TEST(TagSuggestions, DistinctV1ValuesThenTheFirstFilesFolderNames) {
    FileList list;
    list.add(file("/music/Band/1999 - Live/a.mp3", "Band", "1999"));
    list.add(file("/elsewhere/b.mp3", "", "2001"));
    list.add(file("/elsewhere/c.mp3", "Band", "1999"));
    list.add(file("/elsewhere/d.mp3", "Guest", ""));

    const TagSuggestions s = collectSuggestions(list);
    EXPECT_EQ(s.artists, (Texts{"Band", "Guest", "1999 - Live"}));
    EXPECT_EQ(s.albums, (Texts{"1999 - Live", "Band"}));
    EXPECT_EQ(s.years, (Texts{"1999", "2001"}));
    EXPECT_TRUE(s.titles.empty());
    EXPECT_TRUE(s.comments.empty());
}

TEST(TagSuggestions, OnlyANonZeroLeadingNumberOfAFolderIsAYear) {
    FileList list;
    list.add(file("/0 Zero/007 Agents/a.mp3", "", ""));
    EXPECT_EQ(collectSuggestions(list).years, (Texts{"7"}));

    FileList nested;
    nested.add(file("/Live 1999/2003-Best/a.mp3", "", ""));
    EXPECT_EQ(collectSuggestions(nested).years, (Texts{"2003"}));

    FileList atRoot;
    atRoot.add(file("/a.mp3", "", ""));
    EXPECT_TRUE(collectSuggestions(atRoot).artists.empty());
    EXPECT_TRUE(collectSuggestions(FileList()).years.empty());
}

}  // namespace
}  // namespace tw::core
