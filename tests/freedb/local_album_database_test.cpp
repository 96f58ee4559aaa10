// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/local_album_database.h"

#include <gtest/gtest.h>

#include "freedb/stored_album.h"
#include "freedb/xmcd_writer.h"
#include "freedb_fakes.h"
#include "support/file_text.h"
#include "support/strict_xmcd.h"
#include "support/temp_dir.h"

namespace tw::freedb {
namespace {

namespace fs = std::filesystem;

using tw::test::writeFile;

AlbumInfo album(const std::string& discId, const std::string& category,
                const std::string& artist = "Artist") {
    AlbumInfo a = test::AlbumOfSeconds({180, 240});
    a.setDiscId(discId);
    a.setCategory(category);
    a.setArtist(artist);
    a.setTitle("Album");
    a.track(0).setTitle("One", false);
    a.track(1).setTitle("Two", false);
    return a;
}

std::vector<std::string> listAll(LocalAlbumDatabase& db) {
    std::vector<std::string> found;
    // False only when a stop was requested, which the tests of stopping look at in `found`.
    (void)db.listAll([&](const AlbumInfo& a) { found.push_back(a.category() + "/" + a.discId()); });
    return found;
}

class LocalDatabaseTest : public ::testing::Test {
protected:
    tw::test::TempDir dir;
    fs::path root = dir / "database";
    std::shared_ptr<test::RecordingLog> log = std::make_shared<test::RecordingLog>();

    std::unique_ptr<LocalAlbumDatabase> make(LocalDbMode mode) {
        auto db = std::make_unique<LocalAlbumDatabase>(LocalDbSettings{root, mode});
        db->setLog(log);
        return db;
    }
};

TEST_F(LocalDatabaseTest, StandardModeKeepsOneFilePerAlbum) {
    auto db = make(LocalDbMode::Standard);
    const AlbumInfo stored = album("0d01a202", "rock");
    ASSERT_TRUE(db->write(stored));
    EXPECT_EQ(tw::test::fileText(root / "rock" / "0d01a202"), WriteXmcd(stored));

    AlbumInfo back = test::AlbumKey("rock", "0d01a202");
    ASSERT_TRUE(db->read(back));
    EXPECT_EQ(back.source(), AlbumSource::LocalDatabase);
    EXPECT_EQ(back.track(1).title(), "Two");
    // A failed read changes nothing.
    back.setCategory("jazz");
    const AlbumInfo before = back;
    EXPECT_FALSE(db->read(back));
    EXPECT_EQ(back, before);

    // Query finds the disc id in every category folder that holds it.
    ASSERT_TRUE(db->write(album("0d01a202", "jazz", "Other")));
    writeFile(root / "misc" / "README", "not an album");
    std::vector<std::string> found;
    AlbumInfo wanted;
    wanted.setDiscId("0d01a202");
    ASSERT_TRUE(db->query(
        wanted, [&](const AlbumInfo& a) { found.push_back(a.category() + ":" + a.artist()); }));
    EXPECT_EQ(found, (std::vector<std::string>{"jazz:Other", "rock:Artist"}));
    EXPECT_EQ(listAll(*db), (std::vector<std::string>{"jazz/0d01a202", "rock/0d01a202"}));

    ASSERT_TRUE(db->remove(test::AlbumKey("rock", "0d01a202")));
    EXPECT_FALSE(fs::exists(root / "rock" / "0d01a202"));
    EXPECT_FALSE(db->remove(test::AlbumKey("rock", "0d01a202")));
}

TEST_F(LocalDatabaseTest, WindowsModeAppendsToTheCoveringRangeFile) {
    writeFile(root / "rock" / "70to7f", "#FILENAME=70000000\n# xmcd\nDTITLE=Old\n");
    writeFile(root / "rock" / "80to8f", "");
    auto db = make(LocalDbMode::Windows);
    const AlbumInfo stored = album("7a0b3c09", "rock");
    ASSERT_TRUE(db->write(stored));
    EXPECT_EQ(tw::test::fileText(root / "rock" / "70to7f"),
              "#FILENAME=70000000\n# xmcd\nDTITLE=Old\n#FILENAME=7a0b3c09\n" + WriteXmcd(stored));
    EXPECT_EQ(tw::test::fileText(root / "rock" / "80to8f"), "");

    // Without a covering file a new one covers exactly the leading byte.
    ASSERT_TRUE(db->write(album("7a0b3c09", "jazz")));
    EXPECT_TRUE(fs::exists(root / "jazz" / "7ato7a"));

    EXPECT_EQ(listAll(*db),
              (std::vector<std::string>{"jazz/7a0b3c09", "rock/70000000", "rock/7a0b3c09"}));
}

TEST_F(LocalDatabaseTest, AppendedRecordsStartOnALineOfTheirOwn) {
    writeFile(root / "rock" / "00toff", "#FILENAME=01000000\n# xmcd\nDTITLE=Cut off");
    auto db = make(LocalDbMode::Windows);
    ASSERT_TRUE(db->write(album("0d01a202", "rock")));
    AlbumInfo second = test::AlbumKey("rock", "0d01a202");
    ASSERT_TRUE(db->read(second));
    EXPECT_EQ(second.title(), "Album");
}

TEST_F(LocalDatabaseTest, DeletingFromARangeFileKeepsTheOtherRecords) {
    auto db = make(LocalDbMode::Windows);
    ASSERT_TRUE(db->write(album("0d01a202", "rock", "First")));
    ASSERT_TRUE(db->write(album("0d01a203", "rock", "Second")));
    const fs::path file = root / "rock" / "0dto0d";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);

    ASSERT_TRUE(db->remove(test::AlbumKey("rock", "0D01A202")));
    EXPECT_EQ(tw::test::fileText(file),
              "#FILENAME=0d01a203\n" + WriteXmcd(album("0d01a203", "rock", "Second")));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    // Nothing but the range file is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "rock"), {}), 1);

    EXPECT_FALSE(db->remove(test::AlbumKey("rock", "0d01a202")));
    EXPECT_EQ(listAll(*db), std::vector<std::string>{"rock/0d01a203"});
}

TEST_F(LocalDatabaseTest, ListingSkipsBrokenRecordsAndEndsOnAnEmptyLastRecord) {
    writeFile(root / "misc" / "00toff",
              "junk before\n#FILENAME=01000000\nDTITLE=No header\n"
              "#FILENAME=02000000\n# xmcd\nDYEAR\nTTITLE0=lost\n"
              "#FILENAME=03000000\n# xmcd\nDTITLE=Good\n"
              "#FILENAME=04000000\n");
    writeFile(root / "misc" / "notes.txt", "#FILENAME=05000000\n# xmcd\n");
    auto db = make(LocalDbMode::Windows);
    EXPECT_EQ(listAll(*db), std::vector<std::string>{"misc/03000000"});
}

TEST_F(LocalDatabaseTest, RecordsComeBackWithEveryBlankTheirRevisionAndGenre) {
    for (LocalDbMode mode : {LocalDbMode::Standard, LocalDbMode::Windows}) {
        auto db = make(mode);
        for (const test::SplitValueCase& c : test::BlanksAtSplitPoints()) {
            AlbumInfo stored = test::AlbumWithValue(c);
            stored.setDiscId("0d01a202");
            stored.setCategory("rock");
            stored.setRevision(3);
            stored.setGenre("Synthpop");
            stored.markAsRead();
            const auto copy = ReplaceStoredAlbum(*db, stored);
            ASSERT_TRUE(copy) << c.name;
            EXPECT_EQ(test::ValueOf(*copy, c.key), c.value) << c.name;
            EXPECT_EQ(copy->revision(), 3u) << c.name;
            EXPECT_EQ(copy->genre(), "Synthpop") << c.name;
            EXPECT_FALSE(copy->editedSinceRead()) << c.name;

            std::string file = tw::test::fileText(
                root / "rock" / (mode == LocalDbMode::Windows ? "0dto0d" : "0d01a202"));
            if (mode == LocalDbMode::Windows)
                file.erase(0, file.find('\n') + 1);  // the record's "#FILENAME=" line
            EXPECT_EQ(tw::test::StrictXmcdProblems(file), std::vector<std::string>{}) << c.name;
        }
    }
}

// A stored copy of an edited album must go out as the correction it is, however often it is
// read back, in this run or a later one.
TEST_F(LocalDatabaseTest, AnEditedCopySubmitsAsTheNextRevisionWhenReadBack) {
    for (LocalDbMode mode : {LocalDbMode::Standard, LocalDbMode::Windows}) {
        const std::string name = mode == LocalDbMode::Standard ? "standard" : "windows";
        auto db = make(mode);
        AlbumInfo fromServer = album("0d01a202", "rock");
        fromServer.setRevision(4);
        fromServer.markAsRead();
        ASSERT_EQ(ReplaceStoredAlbum(*db, fromServer)->revisionToSubmit(), 4u) << name;

        AlbumInfo edited = fromServer;
        edited.track(1).setTitle("Edited", false);
        const auto copy = ReplaceStoredAlbum(*db, edited);
        ASSERT_TRUE(copy) << name;
        EXPECT_EQ(copy->revisionToSubmit(), 5u) << name;
        AlbumInfo later = test::AlbumKey("rock", "0d01a202");
        ASSERT_TRUE(make(mode)->read(later)) << name;
        EXPECT_EQ(later.track(1).title(), "Edited") << name;
        EXPECT_EQ(later.revisionToSubmit(), 5u) << name;
        // Stored again unchanged, it stays a correction of revision 4.
        EXPECT_EQ(ReplaceStoredAlbum(*db, later)->revisionToSubmit(), 5u) << name;
        // What goes to the server is the record alone, as the next revision.
        AlbumInfo sent = later;
        sent.setRevision(later.revisionToSubmit());
        EXPECT_EQ(WriteXmcd(sent).find(kEditedAfterRevisionLine), std::string::npos) << name;
        fs::remove_all(root);
    }
}

TEST_F(LocalDatabaseTest, DiscIdsNameFilesAndRecordsInLowerCase) {
    // Files and records of older programs, named in upper case, are found and replaced.
    writeFile(root / "rock" / "0D01A202", "# xmcd\nDTITLE=Old\n");
    writeFile(root / "jazz" / "0dto0d", "#FILENAME=0D01A202\n# xmcd\nDTITLE=Old\n");
    const struct {
        LocalDbMode mode;
        const char* category;
        const char* file;
    } layouts[] = {{LocalDbMode::Standard, "rock", "0d01a202"},
                   {LocalDbMode::Windows, "jazz", "0dto0d"}};
    for (const auto& layout : layouts) {
        auto db = make(layout.mode);
        AlbumInfo old = test::AlbumKey(layout.category, "0D01A202");
        ASSERT_TRUE(db->read(old)) << layout.category;
        EXPECT_EQ(old.discId(), "0d01a202");
        EXPECT_EQ(old.artist(), "Old");

        AlbumInfo replacement = album("0D01A202", layout.category, "New");
        ASSERT_TRUE(ReplaceStoredAlbum(*db, replacement)) << layout.category;
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(root / layout.category))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{layout.file});
        const std::string text = tw::test::fileText(root / layout.category / layout.file);
        EXPECT_EQ(text, (layout.mode == LocalDbMode::Windows ? "#FILENAME=0d01a202\n" : "") +
                            WriteXmcd(replacement));
    }
    auto db = make(LocalDbMode::Standard);
    EXPECT_EQ(listAll(*db), (std::vector<std::string>{"rock/0d01a202"}));
}

TEST_F(LocalDatabaseTest, OlderFilesInAnEightBitCodePageReadRight) {
    writeFile(root / "rock" / "0d01a202", "# xmcd\nDTITLE=Caf\xE9 / \xA4uro\nTTITLE0=na\xEFve\n");
    auto db = make(LocalDbMode::Standard);
    AlbumInfo back = test::AlbumKey("rock", "0d01a202");
    ASSERT_TRUE(db->read(back));
    EXPECT_EQ(back.artist(), "Caf\xC3\xA9");
    EXPECT_EQ(back.title(),
              "\xE2\x82\xAC"
              "uro");
    EXPECT_EQ(back.track(0).title(), "na\xC3\xAFve");
}

TEST_F(LocalDatabaseTest, NamesFromOutsideNeverLeaveTheRoot) {
    for (LocalDbMode mode : {LocalDbMode::Standard, LocalDbMode::Windows}) {
        auto db = make(mode);
        log->texts.clear();
        EXPECT_FALSE(db->write(album("0d01a202", "../outside")));
        EXPECT_FALSE(db->write(album("../../x1", "rock")));
        EXPECT_FALSE(db->write(album("0d01a202", "..")));
        AlbumInfo wanted = test::AlbumKey("/etc", "0d01a202");
        EXPECT_FALSE(db->read(wanted));
        EXPECT_FALSE(db->remove(test::AlbumKey("rock", "0d01a20/")));
        EXPECT_FALSE(db->query(test::AlbumKey("", "0d01a202/.."), [](const AlbumInfo&) {}));
        ASSERT_EQ(log->texts.size(), 6u);
        EXPECT_EQ(log->texts[0].rfind("[ERR]", 0), 0u);
        EXPECT_NE(log->texts[0].find("../outside"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(root));
    EXPECT_FALSE(fs::exists(dir / "outside"));
}

TEST_F(LocalDatabaseTest, StatisticsCountAlbumsPerCategoryAndSizes) {
    auto windows = make(LocalDbMode::Windows);
    ASSERT_TRUE(windows->write(album("0d01a202", "rock")));
    ASSERT_TRUE(windows->write(album("0d01a203", "rock")));
    ASSERT_TRUE(windows->write(album("7a0b3c09", "Data")));
    writeFile(root / "polka" / "00toff", "#FILENAME=00000001\n");

    std::uint64_t size = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        size += entry.is_regular_file() ? entry.file_size() : 0;

    LocalDbStatistics stats;
    ASSERT_TRUE(windows->getStatistics(stats));
    EXPECT_EQ(stats.albums[8], 2u);    // rock
    EXPECT_EQ(stats.albums[10], 1u);   // data, whatever the folder's case
    EXPECT_EQ(stats.totalAlbums, 3u);  // polka counts for the sizes only
    EXPECT_EQ(stats.totalSize, size);
    EXPECT_GT(stats.spaceUsed, size);  // small files take whole blocks

    // In Standard mode every file without an extension is an album.
    auto standard = make(LocalDbMode::Standard);
    ASSERT_TRUE(standard->getStatistics(stats));
    EXPECT_EQ(stats.albums[8], 1u);
    EXPECT_EQ(stats.totalAlbums, 2u);

    // A new user's database, whose folder is made with its first album, holds none.
    LocalAlbumDatabase fresh(LocalDbSettings{dir / "missing", LocalDbMode::Windows});
    ASSERT_TRUE(fresh.getStatistics(stats));
    EXPECT_EQ(stats.totalAlbums, 0u);
    EXPECT_EQ(stats.spaceUsed, 0u);
    writeFile(dir / "file", "");
    LocalAlbumDatabase blocked(LocalDbSettings{dir / "file" / "db", LocalDbMode::Windows});
    EXPECT_FALSE(blocked.getStatistics(stats));
}

TEST_F(LocalDatabaseTest, AStopRequestEndsListingAndStatistics) {
    auto db = make(LocalDbMode::Windows);
    ASSERT_TRUE(db->write(album("0d01a202", "rock")));
    std::stop_source stop;
    stop.request_stop();
    db->setStopToken(stop.get_token());
    EXPECT_TRUE(listAll(*db).empty());
    LocalDbStatistics stats;
    EXPECT_FALSE(db->getStatistics(stats));
}

}  // namespace
}  // namespace tw::freedb
