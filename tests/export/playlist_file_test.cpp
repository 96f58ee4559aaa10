// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "core/file_list.h"
#include "export/playlist_entries.h"
#include "export/relative_path.h"
#include "export/text_sink.h"
#include "export_fixture.h"

namespace tw::exports {
namespace {

std::string relative(const std::string& filePath, const std::string& playlistPath) {
    core::AudioFile file;
    file.path = filePath;
    return MakeRelativePath(file, playlistPath);
}

TEST(RelativePathTest, NamesFilesFromThePlaylistsFolder) {
    EXPECT_EQ(relative("/home/u/Music/Rock/a.mp3", "/home/u/Lists/rock.m3u"),
              "../Music/Rock/a.mp3");
    EXPECT_EQ(relative("/home/u/Music/a.mp3", "/home/u/Music/all.m3u"), "a.mp3");
    EXPECT_EQ(relative("/home/u/Music/Rock/a.mp3", "/home/u/Music/all.m3u"), "Rock/a.mp3");
    EXPECT_EQ(relative("/m/a.mp3", "/m/x/y/z/deep.m3u"), "../../../a.mp3");
    // Components compare whole and with their letter case.
    EXPECT_EQ(relative("/home/u/Music/a.mp3", "/home/u/music/l.m3u"), "../Music/a.mp3");
    EXPECT_EQ(relative("/home/u/Musical/a.mp3", "/home/u/Music/l.m3u"), "../Musical/a.mp3");
    // Files sharing only the root get their absolute path.
    EXPECT_EQ(relative("/media/usb/a.mp3", "/home/u/l.m3u"), "/media/usb/a.mp3");
    EXPECT_EQ(relative("/a.mp3", "/home/u/l.m3u"), "/a.mp3");
    EXPECT_EQ(relative("/home/a.mp3", "/l.m3u"), "/home/a.mp3");
}

std::string entries(PlaylistType type, const core::FileList& list, const std::string& path) {
    StringSink sink;
    WritePlaylistHead(sink, type, list.size());
    for (int i = 0; i < list.size(); ++i)
        WritePlaylistEntry(sink, list.at(i), type, path, i + 1);
    return sink.text();
}

class PlaylistEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::addSampleRecords(list, "/music/");
        list.at(2).playSeconds = 7;
    }
    core::FileList list;
};

TEST_F(PlaylistEntryTest, PlainM3uHoldsOnlyPaths) {
    EXPECT_EQ(entries(PlaylistType::M3u, list, "/music/l.m3u"),
              "01 Intro.mp3\r\nCD2/12 Caf\xC3\xA9.mp3\r\nempty.mp3\r\n");
}

TEST_F(PlaylistEntryTest, ExtendedM3uPutsAnInfoLineBeforeEachPath) {
    EXPECT_EQ(entries(PlaylistType::M3uExtended, list, "/music/lists/l.m3u"),
              "#EXTM3U\r\n"
              "#EXTINF:205,The Band - Intro & <Overture>\r\n../01 Intro.mp3\r\n"
              "#EXTINF:3601,Sigur R\xC3\xB3s - Caf\xC3\xA9 \xE2\x98\x95 \xF0\x9F\x98\x80\r\n"
              "../CD2/12 Caf\xC3\xA9.mp3\r\n"
              "#EXTINF:7,\r\n../empty.mp3\r\n");
}

TEST_F(PlaylistEntryTest, PlsKeysStandInTheOrderTheyAreFirstSet) {
    list.at(1).id3v2.title.clear();
    EXPECT_EQ(entries(PlaylistType::Pls, list, "/music/l.pls"),
              "[Playlist]\r\nNumberOfEntries=3\r\nVersion=2\r\n"
              "File1=01 Intro.mp3\r\nTitle1=The Band - Intro & <Overture>\r\nLength1=205\r\n"
              "File2=CD2/12 Caf\xC3\xA9.mp3\r\nTitle2=Sigur R\xC3\xB3s - \r\nLength2=3601\r\n"
              "File3=empty.mp3\r\nLength3=7\r\n");
    EXPECT_EQ(entries(PlaylistType::Pls, core::FileList(), "/l.pls"), "");
}

TEST(PlaylistHashEntryTest, AnM3uPathStartingWithHashNamesTheFileNotAComment) {
    core::FileList list;
    test::addRecord(list, "/music/", "#1 hit.mp3");
    test::addRecord(list, "/music/#tags/", "a.mp3");
    test::addRecord(list, "/music/", "a #2.mp3");
    const struct {
        PlaylistType type;
        const char* expected;
    } cases[] = {
        {PlaylistType::M3u, "./#1 hit.mp3\r\n./#tags/a.mp3\r\na #2.mp3\r\n"},
        {PlaylistType::M3uExtended,
         "#EXTM3U\r\n#EXTINF:0,\r\n./#1 hit.mp3\r\n#EXTINF:0,\r\n./#tags/a.mp3\r\n"
         "#EXTINF:0,\r\na #2.mp3\r\n"},
        // PLS keys cannot be taken for comments: the path stays as it is.
        {PlaylistType::Pls,
         "[Playlist]\r\nNumberOfEntries=3\r\nVersion=2\r\nFile1=#1 hit.mp3\r\nLength1=0\r\n"
         "File2=#tags/a.mp3\r\nLength2=0\r\nFile3=a #2.mp3\r\nLength3=0\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(entries(c.type, list, "/music/l.m3u"), c.expected);
}

TEST_F(PlaylistEntryTest, LineBreaksInValuesCannotAddLines) {
    list.at(0).id3v2.title = "one\r\nFile9=/etc/passwd";
    const std::string text = entries(PlaylistType::Pls, list, "/music/l.pls");
    EXPECT_NE(text.find("Title1=The Band - one  File9=/etc/passwd\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\r\nFile9"), std::string::npos);
}

}  // namespace
}  // namespace tw::exports
