// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/cd_player_ini_store.h"

#include <gtest/gtest.h>

#include <thread>

#include "freedb_fakes.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw::freedb {
namespace {

using tw::test::writeFile;

AlbumInfo album(const std::string& discId, std::initializer_list<const char*> titles) {
    AlbumInfo a;
    a.setDiscId(discId);
    a.setArtist("Artist");
    a.setTitle("Album");
    a.setYear("1999");
    std::size_t i = 0;
    for (const char* title : titles)
        a.trackAt(i++)->setTitle(title, false);
    return a;
}

class CdPlayerIniStoreTest : public ::testing::Test {
protected:
    tw::test::TempDir dir;
    std::filesystem::path path = dir / "CDPLAYER.INI";
    CdPlayerIniStore store{path};
};

TEST_F(CdPlayerIniStoreTest, ANewSectionListsItsKeysInReverseOrderOfWriting) {
    writeFile(path, "[CDDB]\nRemotePort=8880\n");
    ASSERT_TRUE(store.write(album("0d01a202", {"One", "Two"})));
    EXPECT_EQ(tw::test::fileText(path),
              "[CDDB]\nRemotePort=8880\n[0d01a202]\n1=Two\n0=One\ncategory=254\nentryType=1\n"
              "numplay=2\nnumTracks=2\nyear=1999\ntitle=Album\nartist=Artist\n");
}

TEST_F(CdPlayerIniStoreTest, RewritingReplacesKeysInPlaceAndAddsNewTracksBelowTheHeader) {
    writeFile(path, "[0d01a202]\nARTIST=Old\nnumTracks=1\n0=Old one\nextra=kept\n");
    AlbumInfo compilation = album("0d01a202", {"One", "Two"});
    compilation.setTrackArtist(0, "X");
    compilation.setTrackArtist(1, "Y");
    ASSERT_TRUE(store.write(compilation));
    EXPECT_EQ(tw::test::fileText(path),
              "[0d01a202]\n1=Y / Two\ncategory=254\nentryType=1\nnumplay=2\nyear=1999\n"
              "title=Album\nartist=Artist\nnumTracks=2\n0=X / One\nextra=kept\n");
}

TEST_F(CdPlayerIniStoreTest, ReadsAlbumsWithoutOffsetsAndRecognisesCompilations) {
    writeFile(path,
              "[CDDB]\nRemoteServer=x\n[0D01A202]\nnumTracks=3\nTITLE=T\n0=A - One\n1=B - Two\n"
              "2=C - Three\n[00000000]\nnumTracks=0\ntitle=Empty\n");
    ASSERT_TRUE(store.open());
    AlbumInfo found;
    found.setDiscId("0d01a202");
    ASSERT_TRUE(store.read(found));
    EXPECT_EQ(found.source(), AlbumSource::CdPlayerIni);
    EXPECT_EQ(test::Summary(found), "----- 0d01a202 N/A / T");
    ASSERT_EQ(found.trackCount(), 3u);
    EXPECT_FALSE(found.track(0).hasFrameOffset());
    EXPECT_EQ(found.track(2).artist() + "|" + found.track(2).title(), "C|Three");

    AlbumInfo empty;
    empty.setDiscId("00000000");
    EXPECT_FALSE(store.read(empty));
    EXPECT_EQ(store.tracklistCount(), 2u);
    EXPECT_EQ(store.fileSize(), tw::test::fileText(path).size());

    // The album's disc id is lower case whatever the section's spelling, which stays.
    std::vector<std::string> listed;
    ASSERT_TRUE(store.listAll([&](const AlbumInfo& a) { listed.push_back(a.discId()); }));
    EXPECT_EQ(listed, std::vector<std::string>{"0d01a202"});
    found.setYear("2001");
    ASSERT_TRUE(store.write(found));
    const std::string text = tw::test::fileText(path);
    EXPECT_NE(text.find("\n[0D01A202]\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("[0d01a202]"), std::string::npos) << text;
}

TEST_F(CdPlayerIniStoreTest, ValuesStayOnTheirLineWithoutControlCharacters) {
    AlbumInfo hostile = album("0d01a202", {"One\r\n[CDDB]\nRemoteServer=evil", "Two\ttab"});
    hostile.setArtist(std::string("Nul\0Esc\x1b", 8));
    ASSERT_TRUE(store.write(hostile));
    const std::string text = tw::test::fileText(path);
    EXPECT_NE(text.find("\n0=One  [CDDB] RemoteServer=evil\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n1=Two\ttab\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nartist=NulEsc\n"), std::string::npos) << text;
}

TEST_F(CdPlayerIniStoreTest, HugeTrackCountsAreBoundedAndAStopEndsReading) {
    writeFile(path, "[0d01a202]\nnumTracks=2000000000\n0=Only\n");
    ASSERT_TRUE(store.open());
    AlbumInfo found;
    found.setDiscId("0d01a202");
    ASSERT_TRUE(store.read(found));
    EXPECT_EQ(found.trackCount(), kMaxAlbumTracks);
    EXPECT_EQ(found.track(1).title(), "N/A");

    std::stop_source stop;
    stop.request_stop();
    store.setStopToken(stop.get_token());
    found.clear();
    found.setDiscId("0d01a202");
    EXPECT_TRUE(store.read(found));
    EXPECT_EQ(found.trackCount(), 0u);
}

TEST_F(CdPlayerIniStoreTest, DeleteRemovesEverySectionOfTheDiscAndNothingElse) {
    writeFile(path, "[0d01a202]\n0=a\n[CDDB]\nRemotePort=8880\n\n[0D01A202]\n0=b\n[x]\n");
    AlbumInfo gone;
    gone.setDiscId("0d01a202");
    ASSERT_TRUE(store.remove(gone));
    EXPECT_EQ(tw::test::fileText(path), "[CDDB]\nRemotePort=8880\n[x]\n");
}

TEST_F(CdPlayerIniStoreTest, WritingNeedsDataAndTracksAndAWritableFile) {
    AlbumInfo noTracks;
    noTracks.setArtist("A");
    EXPECT_FALSE(store.write(noTracks));
    AlbumInfo noData;
    noData.trackAt(0);
    EXPECT_FALSE(store.write(noData));
    EXPECT_FALSE(std::filesystem::exists(path));

    CdPlayerIniStore fresh(dir / "new" / "config" / "CDPLAYER.INI");
    EXPECT_TRUE(fresh.write(album("0d01a202", {"One"})));
    // A folder in the file's place cannot be replaced.
    std::filesystem::create_directories(dir / "taken" / "CDPLAYER.INI");
    CdPlayerIniStore taken(dir / "taken" / "CDPLAYER.INI");
    EXPECT_FALSE(taken.write(album("0d01a202", {"One"})));
}

TEST_F(CdPlayerIniStoreTest, TwoStoresWritingAtOnceKeepEachOthersAlbums) {
    writeFile(path, "[CDDB]\nRemotePort=8880\n");
    auto writer = [this](unsigned first) {
        CdPlayerIniStore own(path);
        EXPECT_TRUE(own.open());  // both load the file before either writes
        for (unsigned i = first; i < first + 20; ++i) {
            char id[9];
            std::snprintf(id, sizeof id, "%08x", i);
            EXPECT_TRUE(own.write(album(id, {"t"})));
        }
    };
    std::thread a(writer, 0u);
    std::thread b(writer, 100u);
    a.join();
    b.join();
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.tracklistCount(), 40u);
    EXPECT_EQ(tw::test::fileText(path).rfind("[CDDB]\nRemotePort=8880\n", 0), 0u);
}

}  // namespace
}  // namespace tw::freedb
