// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/album_files.h"

#include <gtest/gtest.h>

#include "core/file_list.h"
#include "freedb/album_info.h"
#include "support/fake_user_port.h"

namespace tw::freedb {
namespace {

// A list of in-memory records with the given play times; the files `selected` are selected.
core::FileList listOf(std::initializer_list<int> seconds, std::initializer_list<int> selected) {
    core::FileList list;
    for (int s : seconds) {
        auto file = std::make_unique<core::AudioFile>();
        file->playSeconds = s;
        list.add(std::move(file));
    }
    auto index = selected.begin();
    list.selectOnly(*index);
    for (++index; index != selected.end(); ++index)
        list.selectAdd(*index);
    return list;
}

TEST(BuildAlbumFromSelection, TracksFollowTheSelectionAndTheDiscHasNoLeadIn) {
    core::FileList list = listOf({999, 180, 5, 240}, {1, 3});
    tw::test::FakeUserPort port;
    AlbumInfo album;
    album.setArtist("stale");
    ASSERT_TRUE(BuildAlbumFromSelection(list, album, port));
    EXPECT_FALSE(album.hasData());
    ASSERT_EQ(album.trackCount(), 2u);
    // Offsets 150 and 13650 with 420 seconds in all.
    EXPECT_EQ(album.discId(), "0d01a202");
    EXPECT_TRUE(port.log.empty());
}

TEST(BuildAlbumFromSelection, RefusesMoreThanTwoHundredFiles) {
    core::FileList list;
    for (int i = 0; i < 201; ++i)
        list.add(std::make_unique<core::AudioFile>());
    list.selectAll();
    tw::test::FakeUserPort port;
    AlbumInfo album;
    EXPECT_FALSE(BuildAlbumFromSelection(list, album, port));
    EXPECT_EQ(album.trackCount(), 0u);
    EXPECT_EQ(port.messages.size(), 1u);

    list.selectOnly(0);
    for (int i = 1; i < 200; ++i)
        list.selectAdd(i);
    EXPECT_TRUE(BuildAlbumFromSelection(list, album, port));
    EXPECT_EQ(album.trackCount(), 200u);
}

AlbumInfo threeTracks() {
    AlbumInfo album;
    album.setArtist("Band");
    album.setTitle("Record");
    album.setYear("1999");
    for (std::size_t i = 0; i < 3; ++i)
        album.trackAt(i)->setTitle("Song " + std::to_string(i + 1), false);
    return album;
}

// The album's texts in both tags are the album window's and the command line's tests.
TEST(ApplyAlbumToFiles, OnlyTheSelectedFilesTakeTheTracksInTheirOrder) {
    core::FileList list = listOf({1, 1, 1, 1}, {0, 2, 3});
    ApplyAlbumToFiles(threeTracks(), list);
    EXPECT_EQ(list.at(2).id3v1.title + "|" + list.at(3).id3v2.title, "Song 2|Song 3");
    EXPECT_EQ(list.at(3).id3v2.track, 3);
    EXPECT_EQ(list.at(3).id3v1.trackTotal, 0);  // ID3v1 holds no total
    EXPECT_FALSE(list.at(1).dirty());
}

TEST(ApplyAlbumToFiles, CompilationsSetTrackArtistsAndExtraFilesKeepTheirTitles) {
    AlbumInfo album = threeTracks();
    album.setTrackArtist(0, "Guest A");
    album.setTrackArtist(1, "Guest B");
    core::FileList list = listOf({1, 1, 1, 1}, {0, 1, 2, 3});
    list.at(3).id3v2.present = true;
    list.at(3).id3v2.title = "Bonus";
    list.at(3).id3v2.artist = "Someone";
    ApplyAlbumToFiles(album, list);
    EXPECT_EQ(list.at(0).id3v2.artist, "Guest A");
    EXPECT_EQ(list.at(1).id3v1.artist, "Guest B");
    EXPECT_EQ(list.at(2).id3v1.artist, "");
    const core::TagFields& extra = list.at(3).id3v2;
    EXPECT_EQ(extra.title + "|" + extra.artist + "|" + extra.album, "Bonus|Someone|Record");
    EXPECT_EQ(extra.track, 4);
}

}  // namespace
}  // namespace tw::freedb
