// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/tag_save.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "core/list_session.h"
#include "core/mpeg_info.h"
#include "core/tag_edit.h"
#include "support/fake_user_port.h"
#include "support/id3v1_bytes.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"
#include "support/why_not.h"

namespace tw::core {
namespace {

// Makes a file impossible to write for as long as it lives: read-only for an ordinary user,
// immutable for root (who ignores permissions). Skips the test where neither works.
class UnwritableFile {
public:
    explicit UnwritableFile(std::string path) : path_(std::move(path)) {
        made_ = ::geteuid() != 0 ? ::chmod(path_.c_str(), 0444) == 0 : setImmutable(true);
    }
    ~UnwritableFile() {
        if (made_ && ::geteuid() == 0)
            setImmutable(false);
    }
    UnwritableFile(const UnwritableFile&) = delete;
    UnwritableFile& operator=(const UnwritableFile&) = delete;

    bool made() const { return made_; }

private:
    bool setImmutable(bool on) {
        const int fd = ::open(path_.c_str(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }

    std::string path_;
    bool made_ = false;
};

class SaveTest : public ::testing::Test {
protected:
    // Reads the folder into the list, the way the program does.
    void scan() {
        ASSERT_TRUE(session.scanFolder(dir.folder(), false));
        port.log.clear();
    }

    AudioFile& file(const std::string& name) {
        for (int i = 0; i < list.size(); ++i)
            if (list.at(i).fileName == name)
                return list.at(i);
        throw std::runtime_error("no such file in the list: " + name);
    }

    test::TempDir dir;
    FileList list;
    AppOptions& options = core::options();
    test::FakeUserPort port;
    ListSession session{list, options, port};
};

TEST_F(SaveTest, WritesTheEditedTagsAndReadsTheFileAgain) {
    const std::string path = test::writeMp3(dir, "a.mp3", {.audio = test::defaultAudio()});
    const auto before = test::readBytes(path).size();
    scan();
    AudioFile& record = file("a.mp3");
    ASSERT_FALSE(record.id3v1.inFile);
    list.setTitleAll("Title");
    list.setComposerAll("Composer");

    ASSERT_TRUE(save(record));
    EXPECT_FALSE(record.dirty());
    EXPECT_TRUE(record.id3v1.inFile && record.id3v2.inFile);
    EXPECT_EQ(record.id3v1.title, "Title");
    EXPECT_EQ(record.id3v2.composer, "Composer");
    EXPECT_EQ(record.size, test::readBytes(path).size());
    EXPECT_GT(record.size, before + 128);
}

TEST_F(SaveTest, ClearedTagsAreRemovedFromTheFile) {
    const std::string path = test::writeMp3(
        dir, "a.mp3",
        {.id3v2 = test::Id3v2Builder(3).text("TIT2", "v2").lyrics("eng", "", "la la").build(),
         .audio = test::defaultAudio(),
         .id3v1 = test::id3v1Tag({.title = "v1"})});
    const auto audio = test::defaultAudio();
    scan();
    AudioFile& record = file("a.mp3");
    ASSERT_TRUE(record.id3v1.inFile && record.id3v2.inFile && record.lyrics.inFile);
    clearFields(record.id3v1);
    clearFields(record.id3v2);

    ASSERT_TRUE(save(record));
    EXPECT_EQ(test::readBytes(path), audio);
    EXPECT_FALSE(record.id3v1.inFile || record.id3v2.inFile || record.lyrics.inFile);
    EXPECT_FALSE(record.dirty());
}

TEST_F(SaveTest, AStepThatFailsWritesNothingAndKeepsEveryEdit) {
    // Too short for an ID3v1 tag; the ID3v2 tag, which alone could be written, is not.
    {
        const test::Bytes content = test::shortestAudio();
        const std::string path = test::writeMp3(dir, "short.mp3", {.audio = content});
        scan();
        AudioFile& record = file("short.mp3");
        list.setTitleAll("Kept");

        const std::string reason = test::whyNot(save(record));
        EXPECT_NE(reason.find("128 bytes"), std::string::npos) << reason;
        EXPECT_EQ(test::readBytes(path), content);
        EXPECT_TRUE(record.id3v1.dirty() && record.id3v2.dirty());
        EXPECT_EQ(record.id3v2.title, "Kept");
    }
}

TEST_F(SaveTest, OnlyMpegAudioIsEverWrittenInto) {
    const test::Bytes wav = test::join(
        {test::bytesOf("RIFF"), {100, 0, 0, 0}, test::bytesOf("WAVEfmt "), test::Bytes(300, 1)});
    const test::Bytes mp4 =
        test::join({{0, 0, 0, 24}, test::bytesOf("ftypM4A "), test::Bytes(300, 1)});
    const auto headed = [](std::string_view magic) {
        return test::join({test::bytesOf(magic), test::Bytes(300, 1)});
    };
    struct Case {
        const char* reason;
        test::Bytes bytes;
    };
    const Case cases[] = {
        {"but WAV", wav},
        {"but AIFF",
         test::join(
             {test::bytesOf("FORM"), {0, 0, 1, 0}, test::bytesOf("AIFF"), test::Bytes(300, 1)})},
        {"but DSF", headed("DSD ")},
        {"its FLAC stream cannot be read", headed("fLaC")},
        {"but Ogg", headed("OggS")},
        {"its MP4 stream cannot be read", mp4},
        {"but WavPack", headed("wvpk")},
        {"but Monkey's Audio", headed("MAC ")},
        {"but TTA", headed("TTA1")},
        {"but Musepack", headed("MPCK")},
        {"but Musepack", headed("MP+\x07")},
        {"no MPEG audio was found", test::Bytes(300, 1)},
        // What a careless save made of a WAV file: still no MPEG audio behind the tag.
        {"but WAV", test::join({test::Id3v2Builder(3).text("TIT2", "T").build(), wav})},
        {"no MPEG audio was found",
         test::join({test::Id3v2Builder(3).text("TIT2", "T").build(), test::Bytes(300, 1)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        const std::string path = test::writeMp3(dir, "other.mp3", {.audio = c.bytes});
        scan();
        AudioFile& record = file("other.mp3");
        list.setTitleAll("T");
        const std::string reason = test::whyNot(save(record));
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        // Not even a tag that is there is taken out.
        if (record.id3v2.inFile) {
            clearFields(record.id3v2);
            EXPECT_FALSE(save(record));
        }
        EXPECT_EQ(test::readBytes(path), c.bytes);
    }
}

TEST_F(SaveTest, ARecordThatCouldNotBeReadIsNeverSavedOver) {
    const std::string path =
        test::writeMp3(dir, "a.mp3",
                       {.id3v2 = test::Id3v2Builder(3).text("TIT2", "Real").build(),
                        .audio = test::defaultAudio()});
    scan();
    AudioFile& record = file("a.mp3");
    // As if the file could not be read when it was listed: its fields are not the file's.
    record = AudioFile{};
    record.path = path;
    record.fileName = "a.mp3";
    record.readFailure = base::Message::verbatim("Input/output error");
    record.id3v2.makePresent();
    record.id3v2.setArtist("Typed");
    const test::Bytes before = test::readBytes(path);

    const auto failed = saveAll(list, port);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_NE(base::worded(failed[0].reason).find("Input/output error"), std::string::npos);
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_TRUE(record.dirty());
}

TEST_F(SaveTest, SaveAllReportsUnwritableFilesAndLeavesThemIntact) {
    const std::string locked = test::writeMp3(dir, "locked.mp3", {.audio = test::defaultAudio()});
    test::writeMp3(dir, "open.mp3", {.audio = test::defaultAudio()});
    test::writeMp3(dir, "clean.mp3", {.audio = test::defaultAudio()});
    scan();
    list.selectOnly(1);  // the list is in name order: clean, locked, open
    list.selectAdd(2);
    list.setArtistAll("Artist");
    const test::Bytes original = test::readBytes(locked);
    UnwritableFile guard(locked);
    if (!guard.made())
        GTEST_SKIP() << "cannot make a file unwritable here";

    const auto failed = saveAll(list, port);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].fileName, "locked.mp3");
    const std::string reason = base::worded(failed[0].reason);
    EXPECT_EQ(port.failedFiles, std::vector<std::string>{"locked.mp3: " + reason});
    // The system's own words follow: "Permission denied", or "Operation not permitted" for
    // a file made immutable.
    EXPECT_TRUE(reason.starts_with("cannot open " + locked + " for writing: ")) << reason;
    EXPECT_EQ(port.failedReports, 1);
    EXPECT_EQ(port.log.front(), "progress-start:Saving changes in file(s)::2");
    EXPECT_NE(std::find(port.log.begin(), port.log.end(),
                        "failed:Errors on file(s) modification:Unable to get write permissions "
                        "for following audio file(s):"),
              port.log.end());
    EXPECT_EQ(std::count_if(port.log.begin(), port.log.end(),
                            [](const std::string& line) { return line.starts_with("progress:"); }),
              2);

    EXPECT_EQ(test::readBytes(locked), original);
    EXPECT_TRUE(file("locked.mp3").dirty());
    EXPECT_EQ(file("locked.mp3").id3v1.artist, "Artist");
    EXPECT_FALSE(file("open.mp3").dirty());
    EXPECT_EQ(file("open.mp3").id3v2.artist, "Artist");
}

TEST_F(SaveTest, SavingACleanListOnlyReadsTheFilesAgain) {
    const std::string path = test::writeMp3(
        dir, "a.mp3",
        {.audio = test::defaultAudio(), .id3v1 = test::id3v1Tag({.title = "before"})});
    scan();
    const test::Bytes changedOutside =
        test::join({test::defaultAudio(), test::id3v1Tag({.title = "after"})});
    test::writeBytes(path, changedOutside);

    EXPECT_TRUE(saveAll(list, port).empty());
    EXPECT_EQ(test::readBytes(path), changedOutside);
    EXPECT_EQ(file("a.mp3").id3v1.title, "after");
    EXPECT_EQ(port.log.front(), "progress-start:Saving changes in file(s)::0");
}

// Everything a record takes from its file, as text.
std::string everythingRead(const AudioFile& f) {
    std::ostringstream out;
    const auto tag = [&](const TagFields& t) {
        out << t.inFile << t.present << t.changed << '|' << t.title << '|' << t.artist << '|'
            << t.album << '|' << t.comment << '|' << t.yearText << '|' << t.trackText << '/'
            << t.trackTotal << '|' << t.genre << '\n';
    };
    out << f.size << ' ' << f.createdText << ' ' << f.changedText << ' ' << f.playSeconds << '\n';
    for (const std::string& text : f.streamText)
        out << text << '|';
    out << '\n' << f.infoText << '\n';
    tag(f.id3v1);
    tag(f.id3v2);
    const TagV2Fields& v2 = f.id3v2;
    out << v2.composer << '|' << v2.url << '|' << v2.publisher << '|' << v2.origArtist << '|'
        << v2.copyright << '|' << v2.encodedBy << '\n';
    out << f.lyrics.inFile << f.lyrics.present << f.lyrics.changed << f.lyrics.text << '\n';
    for (const Picture& picture : f.pictures.items)
        out << picture.fileIndex << ' ';
    return out.str();
}

// A saved record is taken from what the save wrote, not read again: it must hold just what
// a fresh read of the file gives, whichever way the file was written.
TEST_F(SaveTest, TheSavedRecordIsWhatAFreshReadOfTheFileGives) {
    const test::Bytes audio = test::defaultAudio(12);
    const test::Bytes junkThenAudio = test::join({test::Bytes(700, 0x11), audio});
    const test::Bytes picture(3000, 0x5A);
    const test::Bytes v1 = test::id3v1Tag({.title = "Old v1"});
    struct Case {
        const char* name;
        test::Mp3Parts parts;
        std::function<void(AudioFile&)> edit;
    };
    const Case cases[] = {
        {"fits.mp3",
         {.id3v2 = test::Id3v2Builder(3).text("TALB", "Old").padding(600).build(), .audio = audio},
         [](AudioFile& f) { f.id3v2.setAlbum("New album"); }},
        {"grows.mp3",
         {.id3v2 = test::Id3v2Builder(4).text("TIT2", "T").build(), .audio = audio, .id3v1 = v1},
         [](AudioFile& f) { f.id3v2.setTitle(std::string(3000, 't')); }},
        {"picture-moves.mp3",
         {.id3v2 = test::Id3v2Builder(3).picture("image/png", 3, "", picture).build(),
          .audio = audio},
         [](AudioFile& f) { f.id3v2.setComment(std::string(2000, 'c')); }},
        {"first-tags.mp3",
         {.audio = junkThenAudio},
         [](AudioFile& f) {
             f.id3v2.makePresent();
             f.id3v2.setArtist("Artist");
             f.id3v1.makePresent();
             f.id3v1.setTitle("v1 appended");
         }},
        {"v1-cut.mp3",
         {.id3v2 = test::Id3v2Builder(3).text("TIT2", "T").padding(100).build(),
          .audio = audio,
          .trailer = test::bytesOf("LYRICSBEGIN and so on"),
          .id3v1 = v1},
         [](AudioFile& f) { clearFields(f.id3v1); }},
        {"v2-cut.mp3",
         {.id3v2 = test::Id3v2Builder(3).text("TIT2", "T").lyrics("eng", "", "la").build(),
          .audio = junkThenAudio},
         [](AudioFile& f) { clearFields(f.id3v2); }},
        {"lyrics.mp3",
         {.id3v2 = test::Id3v2Builder(3).text("TIT2", "T").build(), .audio = audio, .id3v1 = v1},
         [](AudioFile& f) {
             f.lyrics.text = "  new words\n";
             f.lyrics.present = f.lyrics.changed = true;
         }},
    };
    for (const bool newFiles : {false, true}) {
        SCOPED_TRACE(newFiles ? "grown as new files" : "grown in place where possible");
        for (const Case& c : cases)
            test::writeMp3(dir, c.name, c.parts);
        list.clear();
        scan();
        for (const Case& c : cases)
            c.edit(file(c.name));
        const SaveOptions saveOptions{.flush = kDefaultFlushMode,
                                      .probe = {.newFilesForGrowth = newFiles}};
        ASSERT_TRUE(saveAll(list, port, saveOptions).empty());
        MpegInfo mpeg;
        for (const Case& c : cases) {
            const AudioFile& saved = file(c.name);
            const auto fresh = AudioFile::create(saved.path, dir.folder().size(), mpeg);
            EXPECT_EQ(everythingRead(saved), everythingRead(*fresh)) << c.name;
            EXPECT_EQ(saved.pictures.items.size(), fresh->pictures.items.size());
            for (std::size_t i = 0; i < saved.pictures.items.size(); ++i)
                EXPECT_EQ(saved.pictures.items[i].info, fresh->pictures.items[i].info) << c.name;
        }
    }
}

}  // namespace
}  // namespace tw::core
