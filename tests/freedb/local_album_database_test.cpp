#include "freedb/local_album_database.h"

#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <fstream>

#include "freedb/xmcd_writer.h"
#include "freedb_fakes.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw::freedb {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

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

AlbumInfo key(const std::string& discId, const std::string& category) {
    AlbumInfo a;
    a.setDiscId(discId);
    a.setCategory(category);
    return a;
}

std::vector<std::string> listAll(LocalAlbumDatabase& db) {
    std::vector<std::string> found;
    db.listAll([&](const AlbumInfo& a) { found.push_back(a.category() + "/" + a.discId()); });
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
    auto dbStore = make(LocalDbMode::Standard);
    LocalAlbumDatabase& db = *dbStore;
    const AlbumInfo stored = album("0d01a202", "rock");
    ASSERT_TRUE(db.write(stored));
    EXPECT_EQ(tw::test::fileText(root / "rock" / "0d01a202"), WriteXmcd(stored));

    AlbumInfo back = key("0d01a202", "rock");
    ASSERT_TRUE(db.read(back));
    EXPECT_EQ(back.source(), AlbumSource::LocalDatabase);
    EXPECT_EQ(back.artist(), "Artist");
    EXPECT_EQ(back.track(1).title(), "Two");
    EXPECT_EQ(back.discLengthSeconds(), 420u);
    // Reading again replaces what was read; a failed read changes nothing.
    ASSERT_TRUE(db.read(back));
    EXPECT_EQ(back.track(1).title(), "Two");
    back.setCategory("jazz");
    const AlbumInfo before = back;
    EXPECT_FALSE(db.read(back));
    EXPECT_EQ(back, before);

    // Query finds the disc id in every category folder that holds it.
    ASSERT_TRUE(db.write(album("0d01a202", "jazz", "Other")));
    writeFile(root / "misc" / "README", "not an album");
    std::vector<std::string> found;
    AlbumInfo wanted;
    wanted.setDiscId("0d01a202");
    ASSERT_TRUE(db.query(
        wanted, [&](const AlbumInfo& a) { found.push_back(a.category() + ":" + a.artist()); }));
    EXPECT_EQ(found, (std::vector<std::string>{"jazz:Other", "rock:Artist"}));
    EXPECT_EQ(listAll(db), (std::vector<std::string>{"jazz/0d01a202", "rock/0d01a202"}));

    ASSERT_TRUE(db.remove(key("0d01a202", "rock")));
    EXPECT_FALSE(fs::exists(root / "rock" / "0d01a202"));
    EXPECT_FALSE(db.remove(key("0d01a202", "rock")));
    AlbumInfo missing;
    missing.setDiscId("11111111");
    EXPECT_FALSE(db.query(missing, [](const AlbumInfo&) {}));
}

TEST_F(LocalDatabaseTest, WindowsModeAppendsToTheCoveringRangeFile) {
    writeFile(root / "rock" / "70to7f", "#FILENAME=70000000\n# xmcd\nDTITLE=Old\n");
    writeFile(root / "rock" / "80to8f", "");
    auto dbStore = make(LocalDbMode::Windows);
    LocalAlbumDatabase& db = *dbStore;
    const AlbumInfo stored = album("7a0b3c09", "rock");
    ASSERT_TRUE(db.write(stored));
    EXPECT_EQ(tw::test::fileText(root / "rock" / "70to7f"),
              "#FILENAME=70000000\n# xmcd\nDTITLE=Old\n#FILENAME=7a0b3c09\n" + WriteXmcd(stored));
    EXPECT_EQ(tw::test::fileText(root / "rock" / "80to8f"), "");

    // Without a covering file a new one covers exactly the leading byte.
    ASSERT_TRUE(db.write(album("7a0b3c09", "jazz")));
    EXPECT_TRUE(fs::exists(root / "jazz" / "7ato7a"));

    AlbumInfo back = key("7A0B3C09", "rock");
    ASSERT_TRUE(db.read(back));
    EXPECT_EQ(back.title(), "Album");
    EXPECT_EQ(back.trackCount(), 2u);
    EXPECT_EQ(listAll(db),
              (std::vector<std::string>{"jazz/7a0b3c09", "rock/70000000", "rock/7a0b3c09"}));
}

TEST_F(LocalDatabaseTest, AppendedRecordsStartOnALineOfTheirOwn) {
    writeFile(root / "rock" / "00toff", "#FILENAME=01000000\n# xmcd\nDTITLE=Cut off");
    auto dbStore = make(LocalDbMode::Windows);
    LocalAlbumDatabase& db = *dbStore;
    ASSERT_TRUE(db.write(album("0d01a202", "rock")));
    AlbumInfo first = key("01000000", "rock");
    ASSERT_TRUE(db.read(first));
    EXPECT_EQ(first.title(), "Cut off");
    AlbumInfo second = key("0d01a202", "rock");
    ASSERT_TRUE(db.read(second));
    EXPECT_EQ(second.title(), "Album");
}

TEST_F(LocalDatabaseTest, DeletingFromARangeFileKeepsTheOtherRecords) {
    auto dbStore = make(LocalDbMode::Windows);
    LocalAlbumDatabase& db = *dbStore;
    ASSERT_TRUE(db.write(album("0d01a202", "rock", "First")));
    ASSERT_TRUE(db.write(album("0d01a203", "rock", "Second")));
    const fs::path file = root / "rock" / "0dto0d";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);

    ASSERT_TRUE(db.remove(key("0D01A202", "rock")));
    EXPECT_EQ(tw::test::fileText(file),
              "#FILENAME=0d01a203\n" + WriteXmcd(album("0d01a203", "rock", "Second")));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    // Nothing but the range file is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "rock"), {}), 1);

    const std::string before = tw::test::fileText(file);
    EXPECT_FALSE(db.remove(key("0d01a202", "rock")));
    EXPECT_EQ(tw::test::fileText(file), before);
    EXPECT_EQ(listAll(db), std::vector<std::string>{"rock/0d01a203"});
}

TEST_F(LocalDatabaseTest, ListingSkipsBrokenRecordsAndEndsOnAnEmptyLastRecord) {
    writeFile(root / "misc" / "00toff",
              "junk before\n#FILENAME=01000000\nDTITLE=No header\n"
              "#FILENAME=02000000\n# xmcd\nDYEAR\nTTITLE0=lost\n"
              "#FILENAME=03000000\n# xmcd\nDTITLE=Good\n"
              "#FILENAME=04000000\n");
    writeFile(root / "misc" / "notes.txt", "#FILENAME=05000000\n# xmcd\n");
    auto dbStore = make(LocalDbMode::Windows);
    LocalAlbumDatabase& db = *dbStore;
    EXPECT_EQ(listAll(db), std::vector<std::string>{"misc/03000000"});
}

TEST_F(LocalDatabaseTest, OlderFilesInAnEightBitCodePageReadRight) {
    writeFile(root / "rock" / "0d01a202", "# xmcd\nDTITLE=Caf\xE9 / \xA4uro\nTTITLE0=na\xEFve\n");
    auto dbStore = make(LocalDbMode::Standard);
    LocalAlbumDatabase& db = *dbStore;
    AlbumInfo back = key("0d01a202", "rock");
    ASSERT_TRUE(db.read(back));
    EXPECT_EQ(back.artist(), "Caf\xC3\xA9");
    EXPECT_EQ(back.title(),
              "\xE2\x82\xAC"
              "uro");
    EXPECT_EQ(back.track(0).title(), "na\xC3\xAFve");
}

TEST_F(LocalDatabaseTest, NamesFromOutsideNeverLeaveTheRoot) {
    for (LocalDbMode mode : {LocalDbMode::Standard, LocalDbMode::Windows}) {
        auto dbStore = make(mode);
        LocalAlbumDatabase& db = *dbStore;
        log->texts.clear();
        EXPECT_FALSE(db.write(album("0d01a202", "../outside")));
        EXPECT_FALSE(db.write(album("../../x1", "rock")));
        EXPECT_FALSE(db.write(album("0d01a202", "..")));
        AlbumInfo wanted = key("0d01a202", "/etc");
        EXPECT_FALSE(db.read(wanted));
        EXPECT_FALSE(db.remove(key("0d01a20/", "rock")));
        EXPECT_FALSE(db.query(key("0d01a202/..", ""), [](const AlbumInfo&) {}));
        ASSERT_EQ(log->texts.size(), 6u);
        EXPECT_EQ(log->texts[0].rfind("[ERR]", 0), 0u);
        EXPECT_NE(log->texts[0].find("../outside"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(root));
    EXPECT_FALSE(fs::exists(dir / "outside"));
}

TEST_F(LocalDatabaseTest, StatisticsCountAlbumsPerCategoryAndRoundSizesToBlocks) {
    auto windowsStore = make(LocalDbMode::Windows);
    LocalAlbumDatabase& windows = *windowsStore;
    ASSERT_TRUE(windows.write(album("0d01a202", "rock")));
    ASSERT_TRUE(windows.write(album("0d01a203", "rock")));
    ASSERT_TRUE(windows.write(album("7a0b3c09", "Data")));
    writeFile(root / "polka" / "00toff", "#FILENAME=00000001\n");

    struct statvfs info {};
    ASSERT_EQ(::statvfs(root.c_str(), &info), 0);
    const std::uint64_t block = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    std::uint64_t size = 0;
    std::uint64_t used = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        size += entry.file_size();
        used += (entry.file_size() + block - 1) / block * block;
    }

    LocalDbStatistics stats;
    ASSERT_TRUE(windows.getStatistics(stats));
    EXPECT_EQ(stats.albums[8], 2u);    // rock
    EXPECT_EQ(stats.albums[10], 1u);   // data, whatever the folder's case
    EXPECT_EQ(stats.totalAlbums, 3u);  // polka counts for the sizes only
    EXPECT_EQ(stats.totalSize, size);
    EXPECT_EQ(stats.spaceUsed, used);

    // In Standard mode every file without an extension is an album.
    auto standardStore = make(LocalDbMode::Standard);
    LocalAlbumDatabase& standard = *standardStore;
    ASSERT_TRUE(standard.getStatistics(stats));
    EXPECT_EQ(stats.albums[8], 1u);
    EXPECT_EQ(stats.totalAlbums, 2u);

    LocalAlbumDatabase nowhere(LocalDbSettings{dir / "missing", LocalDbMode::Windows});
    EXPECT_FALSE(nowhere.getStatistics(stats));
}

TEST_F(LocalDatabaseTest, AStopRequestEndsListingAndStatistics) {
    auto dbStore = make(LocalDbMode::Windows);
    LocalAlbumDatabase& db = *dbStore;
    ASSERT_TRUE(db.write(album("0d01a202", "rock")));
    std::stop_source stop;
    stop.request_stop();
    db.setStopToken(stop.get_token());
    EXPECT_TRUE(listAll(db).empty());
    LocalDbStatistics stats;
    EXPECT_FALSE(db.getStatistics(stats));
}

TEST_F(LocalDatabaseTest, TheRangeFileFoundLastIsRemembered) {
    writeFile(root / "rock" / "00to7f", "");
    auto dbStore = make(LocalDbMode::Windows);
    LocalAlbumDatabase& db = *dbStore;
    const AlbumInfo wanted = key("0d01a202", "rock");
    EXPECT_EQ(db.findRangeFile(wanted), root / "rock" / "00to7f");
    // A better-named file appearing later is not looked for while the answer holds.
    writeFile(root / "rock" / "0dto0d", "");
    EXPECT_EQ(db.findRangeFile(wanted), root / "rock" / "00to7f");
    db.applySettings(db.settings());
    EXPECT_EQ(db.findRangeFile(wanted), root / "rock" / "00to7f");
    EXPECT_EQ(db.findRangeFile(key("ff000000", "rock")), fs::path());
}

}  // namespace
}  // namespace tw::freedb
