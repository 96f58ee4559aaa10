// SPDX-License-Identifier: GPL-2.0-or-later
// Saving FLAC, Ogg Vorbis, Opus and MP4 files made as users get them (tagged by mutagen),
// checked by mutagen: every field the program edits, pictures byte for byte, the keys it
// does not edit kept with all their values, the audio identical, and how the file was
// written (in place, keeping hard links, or as a new file).

#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "core/audio_file.h"
#include "core/genre_table.h"
#include "core/mpeg_info.h"
#include "core/range_insert.h"
#include "core/tag_save.h"
#include "core/text_genre.h"
#include "support/file_text.h"
#include "support/format_files.h"
#include "support/mutagen.h"
#include "support/temp_dir.h"
#include "support/why_not.h"

namespace tw::core {
namespace {

namespace fs = std::filesystem;

// The keys mutagen names the edited fields by in each kind of file.
struct Keys {
    const char* title;
    const char* album;
    const char* date;
    const char* genre;
    const char* composer;
    const char* lyrics;
    const char* comment;
};
constexpr Keys kVorbisKeys{"TITLE", "ALBUM", "DATE", "GENRE", "COMPOSER", "LYRICS", "COMMENT"};
constexpr Keys kMp4Keys{"\302\251nam", "\302\251alb", "\302\251day", "\302\251gen",
                        "\302\251wrt", "\302\251lyr", "\302\251cmt"};

struct Kind {
    const char* name;  // of copyFormatFile
    const char* fileName;
    const Keys* keys;
    // The entries of the kept second picture and of the one added, as mutagen lists them.
    const char* keptPicture;  // the back cover's entry after the save
    const char* addedPicture;
    // A grown tag goes into blocks inserted at the start (where the file system can).
    bool growsInBlocks;
};

constexpr Kind kKinds[] = {
    {"flac", "a.flac", &kVorbisKeys, "picture.0", "picture.1", true},
    {"vorbis", "a.ogg", &kVorbisKeys, "picture.0", "picture.1", true},
    {"opus", "a.opus", &kVorbisKeys, "picture.0", "picture.1", true},
    // A cover has no type: the new front cover takes the place of both.
    {"aac", "a.m4a", &kMp4Keys, nullptr, "covr.0", false},
    {"alac", "a.m4a", &kMp4Keys, nullptr, "covr.0", false},
    {"aac-moov-first", "a.m4a", &kMp4Keys, nullptr, "covr.0", false},
};

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << kind.name;
}

std::string image(std::size_t size) {
    std::string bytes = "\x89PNG\r\n\x1a\n";
    for (std::size_t i = 0; bytes.size() < size; ++i)
        bytes += static_cast<char>((i * 7919 + i / 251) & 0xFF);
    return bytes;
}

ino_t inodeOf(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

class FormatSaveTest : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        path_ = dir_ / GetParam().fileName;
        if (!test::copyFormatFile(GetParam().name, true, path_) || !test::mutagenAvailable())
            FAIL() << "could not make the test file (flac, ffmpeg, opusenc, sox, mutagen)";
        before_ = tags();
        audio_ = audio();
    }

    std::unique_ptr<AudioFile> read() {
        auto r = AudioFile::create(path_.string(), dir_.folder().size(), mpeg_);
        EXPECT_FALSE(r->unreadable()) << base::worded(r->readFailure);
        return r;
    }
    test::MutagenDump tags() const {
        const auto out = test::runMutagenTool({"tags", path_.string()});
        EXPECT_TRUE(out) << "mutagen cannot read " << path_;
        test::MutagenDump dump;
        for (std::size_t at = 0; out && at < out->size();) {
            const std::size_t keyEnd = out->find('\0', at);
            const std::size_t valueEnd = out->find('\0', keyEnd + 1);
            dump[out->substr(at, keyEnd - at)] = out->substr(keyEnd + 1, valueEnd - keyEnd - 1);
            at = valueEnd + 1;
        }
        return dump;
    }
    std::string audio() const {
        return test::runMutagenTool({"audio", path_.string()}).value_or("?");
    }
    void expectAudioKept() const {
        EXPECT_EQ(audio(), audio_);
        if (std::string(GetParam().name) == "flac") {
            const std::string test = "flac --test --silent '" + path_.string() + "' 2>/dev/null";
            EXPECT_EQ(std::system(test.c_str()), 0) << "STREAMINFO MD5";
        }
    }

    test::TempDir dir_;
    fs::path path_;
    MpegInfo mpeg_;
    test::MutagenDump before_;
    std::string audio_;
};

TEST_P(FormatSaveTest, EveryEditedFieldIsWrittenAndEveryOtherKeyKept) {
    const Keys& keys = *GetParam().keys;
    const ino_t inode = inodeOf(path_);
    const fs::path link = dir_ / "link";
    fs::create_hard_link(path_, link);
    auto r = read();
    r->id3v2.setTitle("Neuer Titel \xC3\xBC");
    r->id3v2.setAlbum("Album");
    r->id3v2.setYearText("2005");
    r->id3v2.setGenre(8);  // Jazz
    r->id3v2.setComposer("");
    r->lyrics.text = "New words";
    r->lyrics.changed = true;
    r->pictures.put(
        {.type = kFrontCover, .mime = "image/png", .description = "Added", .byteSize = 0},
        std::make_shared<const std::string>(image(60)));
    ASSERT_EQ(test::whyNot(save(*r)), "");

    test::MutagenDump expected = before_;
    expected[keys.title] = "Neuer Titel \xC3\xBC";
    expected[keys.album] = "Album";
    expected[keys.date] = "2005";
    expected[keys.genre] = "Jazz";
    expected.erase(keys.composer);
    expected[keys.lyrics] = "New words";
    // The front cover replaced, the back cover kept, both byte for byte.
    if (GetParam().keptPicture)
        expected[GetParam().keptPicture] = before_.at("picture.1");
    else
        expected.erase("covr.1");
    expected[GetParam().addedPicture] = tags()[GetParam().addedPicture];
    EXPECT_NE(expected[GetParam().addedPicture].find(test::md5Hex(image(60))), std::string::npos);
    EXPECT_EQ(tags(), expected);
    expectAudioKept();

    // The padding (MP4: a free box; Ogg: zeros behind the comment) took the change: written
    // in place, hard link and all.
    EXPECT_EQ(inodeOf(path_), inode);
    EXPECT_TRUE(fs::equivalent(path_, link));
    // The record is what was written, as the list reads it again.
    EXPECT_EQ(r->id3v2.title, "Neuer Titel \xC3\xBC");
    EXPECT_EQ(r->id3v2.genre, 8);
    EXPECT_EQ(r->lyrics.text, "New words");
    EXPECT_FALSE(r->dirty());
}

// A genre of the file's own is shown as it is, kept by saves of other fields, and replaced
// only when edited, as any text or as a genre of the table.
TEST_P(FormatSaveTest, AGenreOfAnyTextIsKeptAndWritten) {
    const char* key = GetParam().keys->genre;
    ASSERT_TRUE(test::runMutagenTool({"genre", path_.string(), "Shoegaze"}));
    auto r = read();
    EXPECT_EQ(r->id3v2.genre, -1);
    EXPECT_EQ(r->id3v2.freeGenre, "Shoegaze");
    EXPECT_EQ(genreNameOf(r->id3v2), "Shoegaze");

    r->id3v2.setTitle("Other");
    ASSERT_EQ(test::whyNot(save(*r)), "");
    EXPECT_EQ(tags()[key], "Shoegaze");
    EXPECT_EQ(r->id3v2.freeGenre, "Shoegaze");

    const struct {
        const char* typed;
        const char* written;  // "-" for none
        std::int32_t genre;
        const char* shown;
    } edits[] = {
        {"Post-Rock", "Post-Rock", -1, "Post-Rock"}, {"(8)", "Jazz", 8, "Jazz"}, {"", "-", -1, ""}};
    for (const auto& edit : edits) {
        setTextGenre(r->id3v2, edit.typed);
        ASSERT_EQ(test::whyNot(save(*r)), "") << edit.typed;
        const test::MutagenDump now = tags();
        EXPECT_EQ(now.contains(key) ? now.at(key) : "-", edit.written) << edit.typed;
        auto again = read();
        EXPECT_EQ(again->id3v2.genre, edit.genre) << edit.typed;
        EXPECT_EQ(genreNameOf(again->id3v2), edit.shown) << edit.typed;
    }
    expectAudioKept();
}

TEST_P(FormatSaveTest, ATagThatOutgrowsItsRoomKeepsTheAudio) {
    auto r = read();
    const std::string large = image(300'000);
    r->pictures.put({.type = 4, .mime = "image/png", .description = "Large", .byteSize = 0},
                    std::make_shared<const std::string>(large));
    r->id3v2.setTrackText("7/9");
    ASSERT_EQ(test::whyNot(save(*r)), "");
    const test::MutagenDump now = tags();
    bool found = false;
    for (const auto& [key, value] : now)
        found |= value.find(test::md5Hex(large)) != std::string::npos;
    EXPECT_TRUE(found);
    expectAudioKept();
    auto again = read();
    EXPECT_EQ(again->id3v2.track, 7);
    EXPECT_EQ(again->id3v2.trackTotal, 9);
    EXPECT_EQ(again->pictures.items.size(), r->pictures.items.size());
}

// An MP4 list of tens of megabytes is rewritten whole by every save, too much to hold as
// changed ranges: the file is written anew, not left as it was with success reported.
TEST(Mp4SaveTest, AnEditBesideAHugeCoverIsWritten) {
    test::TempDir dir;
    const fs::path path = dir / "a.m4a";
    ASSERT_TRUE(test::copyFormatFile("aac", true, path));
    MpegInfo mpeg;
    auto record = AudioFile::create(path.string(), dir.folder().size(), mpeg);
    record->pictures.put({.type = 3, .mime = "image/png", .description = "", .byteSize = 0},
                         std::make_shared<const std::string>(image(34u << 20)));
    ASSERT_EQ(test::whyNot(save(*record)), "");
    record = AudioFile::create(path.string(), dir.folder().size(), mpeg);
    record->id3v2.setAlbum("After");
    ASSERT_EQ(test::whyNot(save(*record)), "");
    record = AudioFile::create(path.string(), dir.folder().size(), mpeg);
    EXPECT_EQ(record->id3v2.album, "After");
    EXPECT_EQ(record->pictures.items.size(), 1u);
}

// Whole blocks inserted at the start take a grown tag: the file keeps its inode and hard
// link, and the room left behind the tag takes the next edit in place.
TEST_P(FormatSaveTest, AGrownTagGoesIntoInsertedBlocks) {
    struct stat st {};
    ::stat(path_.c_str(), &st);
    if (!GetParam().growsInBlocks || !insertsRanges(dir_.path().string(), st.st_dev))
        GTEST_SKIP() << "no blocks are inserted for this file here";
    const fs::path link = dir_ / "link";
    fs::create_hard_link(path_, link);
    const auto size = fs::file_size(path_);
    auto r = read();
    const std::string comment(6000, 'c');
    r->id3v2.setComment(comment);
    ASSERT_EQ(test::whyNot(save(*r)), "");
    const auto grown = fs::file_size(path_);
    EXPECT_EQ((grown - size) % static_cast<std::uintmax_t>(st.st_blksize), 0u);
    r->id3v2.setTitle("A title far longer than the one before");
    ASSERT_EQ(test::whyNot(save(*r)), "");

    EXPECT_EQ(fs::file_size(path_), grown);
    EXPECT_EQ(tags()[GetParam().keys->comment], comment);
    EXPECT_EQ(tags()[GetParam().keys->title], "A title far longer than the one before");
    expectAudioKept();
    EXPECT_EQ(inodeOf(path_), st.st_ino);
    EXPECT_TRUE(fs::equivalent(path_, link));
}

TEST_P(FormatSaveTest, ClearingTheTagAndAFileThatCannotBeWrittenSayWhy) {
    auto r = read();
    r->id3v2.present = false;
    ASSERT_EQ(test::whyNot(save(*r)), "");
    EXPECT_EQ(tags(), test::MutagenDump{});
    expectAudioKept();

    // Root writes through any mode: an immutable file stands for one that may not be written.
    const std::string bytes = test::fileText(path_.string());
    const int fd = ::open(path_.c_str(), O_RDONLY);
    int flags = FS_IMMUTABLE_FL;
    const bool locked = ::geteuid() == 0 ? ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0
                                         : ::chmod(path_.c_str(), 0444) == 0;
    if (!locked) {
        ::close(fd);
        GTEST_SKIP() << "the file cannot be made read-only here";
    }
    auto locked_ = read();
    locked_->id3v2.setTitle("x");
    const std::string why = test::whyNot(save(*locked_));
    EXPECT_EQ(why.rfind("cannot open " + path_.string() + " for writing: ", 0), 0u) << why;
    flags = 0;
    if (::geteuid() == 0)
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    ::close(fd);
    EXPECT_TRUE(test::fileText(path_.string()) == bytes);
    EXPECT_TRUE(locked_->dirty());
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatSaveTest, ::testing::ValuesIn(kKinds),
                         [](const auto& test) {
                             std::string name = test.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

std::string hex(const std::string& bytes) {
    std::ostringstream out;
    for (const unsigned char byte : bytes)
        out << "0123456789abcdef"[byte >> 4] << "0123456789abcdef"[byte & 15];
    return out.str();
}

// The lines of hex the tool prints for a file (a Vorbis comment, MP4 item boxes), as bytes.
std::vector<std::string> hexLines(const char* command, const fs::path& path) {
    std::istringstream lines(test::runMutagenTool({command, path.string()}).value_or(""));
    std::vector<std::string> out;
    for (std::string line; std::getline(lines, line);) {
        std::string bytes;
        for (std::size_t at = 0; at + 1 < line.size(); at += 2)
            bytes += static_cast<char>(std::stoi(line.substr(at, 2), nullptr, 16));
        out.push_back(bytes);
    }
    return out;
}

// A save of one field leaves every other entry of the comment as the file has it: the case
// of its key, its place, the several values of a key, bytes that are no UTF-8, no value.
TEST(VorbisCommentSaveTest, OnlyTheEditedKeysEntriesChange) {
    const std::vector<std::string> entries{
        "title=Song",     "artist=One",   "ALBUM=Old",
        "zz=sorted last", "Artist=Two",   "comment=bad \xFF\xFE bytes",
        "empty=",         "album=Second", "ARTIST=Three"};
    std::vector<std::string> setComment{"set-comment", ""};
    for (const std::string& entry : entries)
        setComment.push_back(hex(entry));
    for (const auto& [kind, name] :
         {std::pair{"flac", "a.flac"}, {"vorbis", "a.ogg"}, {"opus", "a.opus"}}) {
        SCOPED_TRACE(kind);
        test::TempDir dir;
        const fs::path path = dir / name;
        setComment[1] = path.string();
        ASSERT_TRUE(test::copyFormatFile(kind, true, path) && test::runMutagenTool(setComment));
        const std::vector<std::string> before = hexLines("comment", path);
        ASSERT_EQ(before.size(), entries.size() + 1);
        const auto size = fs::file_size(path);
        const auto audio = test::runMutagenTool({"audio", path.string()});

        MpegInfo mpeg;
        auto record = AudioFile::create(path.string(), dir.folder().size(), mpeg);
        record->id3v2.setAlbum("New");
        ASSERT_EQ(test::whyNot(save(*record)), "");
        EXPECT_EQ(hexLines("comment", path),
                  (std::vector<std::string>{
                      before[0], "title=Song", "artist=One", "ALBUM=New", "zz=sorted last",
                      "Artist=Two", "comment=bad \xFF\xFE bytes", "empty=", "ARTIST=Three"}));
        EXPECT_EQ(fs::file_size(path), size);
        EXPECT_EQ(test::runMutagenTool({"audio", path.string()}), audio);
    }
}

// Entries TagLib drops (no value) make the comment outgrow the padding TagLib left: the
// head grows, and the audio moves intact.
TEST(VorbisCommentSaveTest, AFlacCommentThatOutgrowsItsPaddingMovesTheAudioIntact) {
    test::TempDir dir;
    const fs::path path = dir / "a.flac";
    std::vector<std::string> setComment{"set-comment", path.string(), hex("album=Old")};
    setComment.resize(setComment.size() + 3000, hex("empty="));
    ASSERT_TRUE(test::copyFormatFile("flac", true, path) && test::runMutagenTool(setComment));
    std::vector<std::string> expected = hexLines("comment", path);
    const auto audio = test::runMutagenTool({"audio", path.string()});

    MpegInfo mpeg;
    auto record = AudioFile::create(path.string(), dir.folder().size(), mpeg);
    record->id3v2.setAlbum("New");
    ASSERT_EQ(test::whyNot(save(*record)), "");
    expected[1] = "album=New";
    EXPECT_EQ(hexLines("comment", path), expected);
    EXPECT_EQ(test::runMutagenTool({"audio", path.string()}), audio);
    const std::string test = "flac --test --silent '" + path.string() + "' 2>/dev/null";
    EXPECT_EQ(std::system(test.c_str()), 0) << "STREAMINFO MD5";
}

std::string box(std::string_view name, const std::string& payload) {
    const std::size_t size = 8 + payload.size();
    std::string out{static_cast<char>(size >> 24), static_cast<char>(size >> 16),
                    static_cast<char>(size >> 8), static_cast<char>(size)};
    return out.append(name).append(payload);
}

std::string data(char type, const std::string& value) {
    return box("data", std::string(3, '\0') + type + std::string(4, '\0') + value);
}

// A save of one field leaves every other item box of an MP4 file as it was, in its place:
// items out of TagLib's order, several values, a free-form item, data types and boxes
// TagLib does not read. A long album outgrows the room the list had.
TEST(Mp4ItemsSaveTest, OnlyTheEditedItemsBoxChanges) {
    const std::string mean = box("mean", std::string(4, '\0') + "com.apple.iTunes");
    const std::vector<std::string> items{
        box("\251nam", data(1, "Song")),
        box("\251alb", data(1, "Old")),
        box("\251ART", data(1, "One") + data(1, "Two")),
        box("----",
            mean + box("name", std::string(4, '\0') + "MOOD") + data(1, "calm") + data(1, "warm")),
        box("\251cmt", data(2, std::string("\0n\0o", 4))),
        box("zzzz", "not a data box"),
        box("trkn", data(0, std::string("\0\0\0\3\0\11\0\0", 8))),
        box("covr", data(99, "odd picture")),
    };
    std::vector<std::string> setItems{"set-items", ""};
    for (const std::string& item : items)
        setItems.push_back(hex(item));
    for (const char* kind : {"aac", "aac-moov-first"}) {
        for (const std::string& album : {std::string("New"), std::string(9000, 'a')}) {
            SCOPED_TRACE(std::string(kind) + " " + std::to_string(album.size()));
            test::TempDir dir;
            const fs::path path = dir / "a.m4a";
            setItems[1] = path.string();
            ASSERT_TRUE(test::copyFormatFile(kind, true, path) && test::runMutagenTool(setItems));
            ASSERT_EQ(hexLines("items", path), items);
            const auto audio = test::runMutagenTool({"audio", path.string()});

            MpegInfo mpeg;
            auto record = AudioFile::create(path.string(), dir.folder().size(), mpeg);
            record->id3v2.setAlbum(album);
            ASSERT_EQ(test::whyNot(save(*record)), "");
            std::vector<std::string> expected = items;
            expected[1] = box("\251alb", data(1, album));
            EXPECT_EQ(hexLines("items", path), expected);
            EXPECT_EQ(test::runMutagenTool({"audio", path.string()}), audio);
        }
    }
}

}  // namespace
}  // namespace tw::core
