// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/playlist_name.h"

#include <gtest/gtest.h>

#include "core/file_list.h"
#include "export_fixture.h"
#include "rename/symbol_table.h"

namespace tw::exports {
namespace {

using rename::CaseMode;
using rename::SymbolTable;

PlaylistTokenValues sampleValues() {
    PlaylistTokenValues values;
    values.artist = "Artist";
    values.album = "Album";
    values.year = "1999";
    values.genre = "Rock";
    values.comment = "note";
    values.bitrate = "128 kbps";
    values.playTimeAll = "62.5";
    values.numberOfTracks = "12";
    return values;
}

std::string pathOf(std::string_view directory, std::string_view mask,
                   const SymbolTable& table = SymbolTable::defaults(),
                   const PlaylistTokenValues& values = sampleValues()) {
    const PlaylistLocation location =
        PlaylistPath(directory, ExpandPlaylistName(mask, values, PlaylistType::M3uExtended),
                     maskUpLevels(mask), table, CaseMode::AsIs);
    return location.safe ? location.path : "<unsafe> " + location.path;
}

TEST(PlaylistValuesTest, ComeFromTheFirstSelectedFileAndTheWholeSelection) {
    core::FileList list;
    test::addSampleRecords(list, "/music/");
    list.selectAll();
    const PlaylistTokenValues values = playlistTokenValues(list);
    EXPECT_TRUE(values.severalArtists);
    EXPECT_EQ(values.artist, "The Band");
    EXPECT_EQ(values.genre, "Rock");
    EXPECT_EQ(values.bitrate, "128 kbps");
    EXPECT_EQ(values.playTimeAll, "63.26");  // 205 + 3601 seconds
    EXPECT_EQ(values.numberOfTracks, "3");
    EXPECT_EQ(playlistExampleValues(values).front().token, "<album>");

    list.selectOnly(2);
    EXPECT_FALSE(playlistTokenValues(list).severalArtists);
    EXPECT_EQ(playlistExampleValues(playlistTokenValues(list)).front().token, "<artist>");
}

TEST(PlaylistNameTest, TokensTrimmingDefaultNameAndExtension) {
    const PlaylistTokenValues values = sampleValues();
    EXPECT_EQ(ExpandPlaylistName("  <artist> - <album> (<year>) <genre> <comment> <bitrate> "
                                 "<play_time_all> <number_of_tracks>  ",
                                 values, PlaylistType::M3u),
              "Artist - Album (1999) Rock note 128 kbps 62.5 12.m3u");
    EXPECT_EQ(ExpandPlaylistName("", values, PlaylistType::Pls), "playlist.pls");
    EXPECT_EQ(ExpandPlaylistName(" <title> ", {}, PlaylistType::Pls), "<title>.pls");
    EXPECT_EQ(ExpandPlaylistName("<comment>", {}, PlaylistType::Pls), "playlist.pls");
    EXPECT_EQ(ExpandPlaylistName("Lists\\", values, PlaylistType::M3u), "Lists\\playlist.m3u");

    PlaylistTokenValues several = values;
    several.severalArtists = true;
    several.album = "<artist>";  // a value naming a later token would be replaced; this stays
    EXPECT_EQ(ExpandPlaylistName("<artist> <album>", several, PlaylistType::M3u),
              "<artist> <artist>.m3u");
}

TEST(PlaylistPathTest, OnlyLeadingUpStepsOfTheMaskClimbAndNotAboveTheRoot) {
    EXPECT_EQ(pathOf("/a/b/", "..\\..\\x"), "/x.m3u");
    EXPECT_EQ(pathOf("/", "..\\..\\x"), "/x.m3u");
    EXPECT_EQ(pathOf("/a/b", "..\\Lists\\<album>"), "/a/Lists/Album.m3u");
    // The third ".." is no step: it is the name, whose dots the table folds.
    EXPECT_EQ(pathOf("/a/b/c/", "..\\..\\.."), "/a/.m3u");
    EXPECT_EQ(pathOf("/out/", "Lists\\\\<album>"), "/out/Lists/Album.m3u");
    EXPECT_EQ(pathOf("/out/", "\\"), "/out/playlist.m3u");
    EXPECT_EQ(pathOf("/out/", "\\etc\\passwd"), "/out/etc/passwd.m3u");
    EXPECT_EQ(pathOf("/out/", "C:\\x"), "/out/C-/x.m3u");
}

TEST(PlaylistPathTest, ValuesAndUpStepsInsideTheNameCannotMakeFoldersOrClimb) {
    PlaylistTokenValues values = sampleValues();
    values.album = "AC/DC\\..\\..";
    values.artist = "..";
    const SymbolTable none;  // no cleaning at all
    EXPECT_EQ(pathOf("/out/", "<album>", none, values), "/out/AC-DC-..-...m3u");
    EXPECT_EQ(pathOf("/out/", "<artist>\\x", none, values), "<unsafe> /out/../x.m3u");
    EXPECT_EQ(pathOf("/out/", "<artist>\\x", SymbolTable::defaults(), values), "/out/./x.m3u");
    values.comment = "line\nbreak";
    EXPECT_EQ(pathOf("/out/", "<comment>", none, values), "/out/line break.m3u");
    EXPECT_EQ(pathOf("/out/", "a\\..\\..\\x", none), "<unsafe> /out/a/../../x.m3u");
    EXPECT_EQ(pathOf("/out/", "..\\..\\..", none), "/...m3u");
    EXPECT_EQ(pathOf("/o/", "x\\..", none), "/o/x/...m3u");
}

TEST(PlaylistPathTest, SymbolTableAndCaseApplyToTheName) {
    SymbolTable table;
    table.pairs.push_back({"Album", "Record"});
    const PlaylistLocation location =
        PlaylistPath("/o/", "My Album.m3u", 0, table, CaseMode::UpperAll);
    EXPECT_EQ(location.path, "/o/MY RECORD.M3U");
}

}  // namespace
}  // namespace tw::exports
