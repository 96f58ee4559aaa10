// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/tag_file_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>

#include "base/app_paths.h"
#include "core/app_options.h"
#include "core/id3v2_header.h"
#include "core/mpeg_info.h"
#include "core/range_insert.h"
#include "core/save_batch.h"
#include "support/id3v1_bytes.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"
#include "support/why_not.h"

namespace tw::core {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Id3v2Builder;
using test::TextEncoding;

Bytes latin1(std::string_view text) {
    return test::bytesOf(text);
}

class TagFileWriterTest : public ::testing::Test {
protected:
    void TearDown() override { options() = saved_; }

    std::string write(const test::Mp3Parts& parts, const std::string& name = "song.mp3") {
        parts_ = parts;
        return path_ = test::writeMp3(dir_, name, parts);
    }
    AudioFile record() const {
        MpegInfo mpeg;
        return *AudioFile::create(path_, dir_.folder().size(), mpeg);
    }
    Bytes contents() const { return test::readBytes(path_); }
    test::ParsedId3v2 tag() const {
        auto parsed = test::parseId3v2(contents());
        if (!parsed)
            throw std::runtime_error("no ID3v2 tag");
        return *parsed;
    }
    static std::vector<Bytes> bodies(const test::ParsedId3v2& t, const char* id) {
        std::vector<Bytes> out;
        for (const auto& frame : t.all(id))
            out.push_back(frame.body);
        return out;
    }
    // The file still holds the audio it was written with, byte for byte.
    void expectAudioUnchanged() const {
        const Bytes now = contents();
        const std::size_t start = test::parseId3v2(now) ? test::parseId3v2(now)->size : 0;
        ASSERT_GE(now.size(), start + parts_.audio.size());
        EXPECT_TRUE(std::equal(parts_.audio.begin(), parts_.audio.end(),
                               now.begin() + static_cast<long>(start)));
    }

    AppOptions saved_ = options();
    test::TempDir dir_;
    std::string path_;
    test::Mp3Parts parts_;
};

TEST_F(TagFileWriterTest, Id3v1IsAppendedOnceThenOverwritten) {
    write({.audio = test::defaultAudio()});
    AudioFile r = record();
    for (const char* title : {"Title", "Other"}) {
        r.id3v1.title = title;
        TagFileWriter writer(path_);
        ASSERT_TRUE(writer.writeV1(r) && writer.commit());
        EXPECT_EQ(contents().size(), parts_.audio.size() + 128);
        EXPECT_EQ(record().id3v1.title, title);
    }
    expectAudioUnchanged();
}

TEST_F(TagFileWriterTest, Id3v1NeedsAFileOfAtLeast128Bytes) {
    write({.audio = test::shortestAudio()});
    TagFileWriter writer(path_);
    EXPECT_NE(test::whyNot(writer.writeV1(record())), "");
    EXPECT_TRUE(writer.commit());
    EXPECT_EQ(contents(), parts_.bytes());
}

TEST_F(TagFileWriterTest, Id3v1RemovalCutsOnlyARealTag) {
    write({.audio = test::defaultAudio(), .id3v1 = test::id3v1Tag({.title = "x"})});
    for (int pass = 0; pass < 2; ++pass) {  // the second finds no tag and cuts nothing
        TagFileWriter writer(path_);
        ASSERT_TRUE(writer.removeV1() && writer.commit());
        EXPECT_EQ(contents(), parts_.audio);
    }
}

TEST_F(TagFileWriterTest, Version24StaysAndOlderTagsBecome23) {
    for (int version : {2, 3, 4}) {
        SCOPED_TRACE(version);
        write({.id3v2 = Id3v2Builder(version).text(version == 2 ? "TT2" : "TIT2", "Old").build(),
               .audio = test::defaultAudio()});
        AudioFile r = record();
        r.id3v2.title = "New";
        r.id3v2.setYear(1999, false);
        r.id3v2.genre = 17;
        TagFileWriter writer(path_);
        ASSERT_TRUE(writer.writeV2(r) && writer.commit());
        const auto t = tag();
        EXPECT_EQ(t.version, version == 4 ? 4 : 3);
        EXPECT_EQ(t.first(version == 4 ? "TDRC" : "TYER").payload(), latin1("1999"));
        EXPECT_EQ(t.first("TCON").payload(), latin1("(17)Rock"));
        EXPECT_EQ(record().id3v2.title, "New");
        expectAudioUnchanged();
    }
}

TEST_F(TagFileWriterTest, FramesTheProgramDoesNotEditStay) {
    const Bytes picture(3000, 0xAB);
    write({.id3v2 = Id3v2Builder(3)
                        .text("TIT2", "Old")
                        .picture("image/png", 3, "cover", picture)
                        .userText("MOOD", "calm")
                        .privateFrame("owner", {1, 2, 3})
                        .comment("eng", "", "First")
                        .comment("deu", "zwei", "Zweiter")
                        .lyrics("eng", "", "Words")
                        .lyrics("deu", "", "Worte")
                        .raw("RVAD", {3, 16, 1, 2, 3, 4})
                        .raw("TSIZ", {0, '1', '2', '3', '4'})
                        .build(),
           .audio = test::defaultAudio()});
    const auto before = tag();
    AudioFile r = record();
    r.id3v2.title = "New";
    r.id3v2.comment = "Changed";
    TagFileWriter writer(path_);
    ASSERT_TRUE(writer.writeV2(r) && writer.commit());
    const auto after = tag();
    for (const char* id : {"APIC", "TXXX", "PRIV", "USLT", "RVAD", "TSIZ"})
        EXPECT_EQ(bodies(after, id), bodies(before, id)) << id;
    ASSERT_EQ(after.all("COMM").size(), 2u);
    EXPECT_EQ(after.all("COMM")[0].body, test::join({{0}, latin1("eng"), {0}, latin1("Changed")}));
    EXPECT_EQ(after.all("COMM")[1].body, before.all("COMM")[1].body);
    expectAudioUnchanged();
}

TEST_F(TagFileWriterTest, FieldsThatDidNotChangeKeepTheirFrames) {
    write({.id3v2 = Id3v2Builder(4)
                        .texts("TPE1", {"One", "Two"}, TextEncoding::Utf8)
                        .text("TDRC", "1999-05-12")
                        .texts("TCON", {"Rock", "Pop"})
                        .text("TRCK", "05/12")
                        .text("TIT2", "Old")
                        .build(),
           .audio = test::defaultAudio()});
    const auto before = tag();
    AudioFile r = record();
    r.id3v2.title = "New";
    TagFileWriter writer(path_);
    ASSERT_TRUE(writer.writeV2(r) && writer.commit());
    const auto after = tag();
    for (const char* id : {"TPE1", "TDRC", "TCON", "TRCK"})
        EXPECT_EQ(bodies(after, id), bodies(before, id)) << id;
}

TEST_F(TagFileWriterTest, RemovingId3v2KeepsAudioAndId3v1) {
    const Bytes v1 = test::id3v1Tag({.title = "v1"});
    write({.id3v2 = Id3v2Builder(3).text("TIT2", "T").lyrics("eng", "", "L").padding(500).build(),
           .audio = test::defaultAudio(),
           .id3v1 = v1});
    // The new file that takes the file's place takes its extended attributes too, where the
    // file system keeps them.
    const bool attributes = ::setxattr(path_.c_str(), "user.rating", "5", 1, 0) == 0 &&
                            ::setxattr(path_.c_str(), "user.xdg.tags", "live,b", 6, 0) == 0;
    TagFileWriter writer(path_);
    ASSERT_TRUE(writer.removeV2() && writer.commit());
    EXPECT_EQ(contents(), test::join({parts_.audio, v1}));
    if (attributes) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(path_.c_str(), "user.rating", value, sizeof value), 1);
        EXPECT_EQ(::getxattr(path_.c_str(), "user.xdg.tags", value, sizeof value), 6);
        EXPECT_EQ(std::string(value, 6), "live,b");
    }
}

TEST_F(TagFileWriterTest, AllStepsGoIntoOneNewFile) {
    write({.id3v2 = Id3v2Builder(3).text("TIT2", "T").build(),
           .audio = test::defaultAudio(),
           .id3v1 = test::id3v1Tag({.title = "old"})});
    AudioFile r = record();
    r.id3v1.title = "v1 new";
    r.id3v2.title = "v2 new";
    r.lyrics.text = "words";
    TagFileWriter writer(path_);
    ASSERT_TRUE(writer.writeV1(r) && writer.writeV2(r) && writer.writeLyrics(r) && writer.commit());
    const AudioFile back = record();
    EXPECT_EQ(back.id3v1.title, "v1 new");
    EXPECT_EQ(back.id3v2.title, "v2 new");
    EXPECT_EQ(back.lyrics.text, "words");
    expectAudioUnchanged();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(TagFileWriterTest, NothingStagedTouchesNothing) {
    write({.audio = test::defaultAudio()});
    struct stat before {};
    ::stat(path_.c_str(), &before);
    TagFileWriter writer(path_);
    EXPECT_TRUE(writer.commit());
    struct stat after {};
    ::stat(path_.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
}

TEST_F(TagFileWriterTest, PermissionsSymlinksAndNamesSurvive) {
    write({.audio = test::defaultAudio()}, "Ünïcødé — 曲.mp3");
    ::chmod(path_.c_str(), 0640);
    const fs::path link = dir_ / "link.mp3";
    fs::create_symlink(path_, link);
    AudioFile r = record();
    r.id3v1.title = "x";
    TagFileWriter writer(link.string());
    ASSERT_TRUE(writer.writeV1(r) && writer.commit());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents().size(), parts_.audio.size() + 128);
    EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(TagFileWriterTest, WriteProtectionIsRespected) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write anything";
    write({.audio = test::defaultAudio()});
    AudioFile r = record();
    r.id3v1.title = "x";

    ::chmod(path_.c_str(), 0444);
    TagFileWriter readOnlyFile(path_);
    ASSERT_TRUE(readOnlyFile.writeV1(r));
    EXPECT_NE(test::whyNot(readOnlyFile.commit()), "");
    EXPECT_EQ(contents(), parts_.bytes());

    // In a folder that may not be written, a tag is written in place, but a tag that needs
    // a new file is not.
    ::chmod(path_.c_str(), 0644);
    ::chmod(dir_.path().c_str(), 0555);
    TagFileWriter readOnlyFolder(path_);
    ASSERT_TRUE(readOnlyFolder.writeV1(r));
    EXPECT_EQ(test::whyNot(readOnlyFolder.commit()), "");
    const Bytes withV1 = contents();
    r.id3v2.makePresent();
    r.id3v2.setTitle("x");
    TagFileWriter newTag(path_);
    ASSERT_TRUE(newTag.writeV2(r));
    EXPECT_FALSE(newTag.commit());
    ::chmod(dir_.path().c_str(), 0755);
    EXPECT_EQ(contents(), withV1);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(TagFileWriterTest, FileThatVanishesOrIsReplacedIsNotOverwritten) {
    write({.audio = test::defaultAudio()});
    AudioFile r = record();
    r.id3v1.title = "x";

    TagFileWriter vanished(path_);
    ASSERT_TRUE(vanished.writeV1(r));
    fs::remove(path_);
    EXPECT_FALSE(vanished.commit());
    EXPECT_FALSE(fs::exists(path_));

    write({.audio = test::defaultAudio()});
    TagFileWriter replaced(path_);
    ASSERT_TRUE(replaced.writeV1(r));
    const Bytes other(5000, 7);
    const fs::path elsewhere = dir_ / "other";
    test::writeBytes(elsewhere, other);
    fs::rename(elsewhere, path_);
    EXPECT_EQ(test::whyNot(replaced.commit()), "the file changed while it was being saved");
    EXPECT_EQ(contents(), other);

    TagFileWriter missing((dir_ / "missing.mp3").string());
    EXPECT_NE(test::whyNot(missing.writeV1(r)), "");
    EXPECT_FALSE(missing.writeV2(r));
    EXPECT_FALSE(missing.removeV2());
}

TEST_F(TagFileWriterTest, TagWhoseSizeLiesIsNotRewritten) {
    const Bytes tagReachingIntoAudio = Id3v2Builder(3).text("TIT2", "T").declaredSize(1500).build();
    const Bytes tagReachingBehindEnd =
        Id3v2Builder(3).text("TIT2", "T").declaredSize(1'000'000).build();
    for (const Bytes& lying : {tagReachingIntoAudio, tagReachingBehindEnd}) {
        write({.id3v2 = lying, .audio = test::defaultAudio()});
        AudioFile r = record();
        r.id3v2.title = "New";
        r.id3v1.title = "v1";
        TagFileWriter writer(path_);
        EXPECT_EQ(test::whyNot(writer.writeV2(r)), "the size of its ID3v2 tag is damaged");
        EXPECT_FALSE(writer.removeV2());
        EXPECT_FALSE(writer.writeLyrics(r));
        ASSERT_TRUE(writer.writeV1(r) && writer.commit());
        const Bytes now = contents();
        EXPECT_EQ(Bytes(now.begin(), now.end() - 128), parts_.bytes());
    }
}

TEST_F(TagFileWriterTest, ExtendedHeaderTagKeepsItsFrames) {
    write({.id3v2 = Id3v2Builder(3)
                        .extendedHeader()
                        .text("TIT2", "T")
                        .userText("K", "V")
                        .padding(64)
                        .build(),
           .audio = test::defaultAudio()});
    AudioFile r = record();
    r.id3v2.album = "A";
    TagFileWriter writer(path_);
    ASSERT_TRUE(writer.writeV2(r) && writer.commit());
    const auto t = tag();
    EXPECT_TRUE(t.has("TIT2") && t.has("TXXX") && t.has("TALB"));
    expectAudioUnchanged();
}

struct stat statOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

TEST_F(TagFileWriterTest, ATagThatFitsIsWrittenInPlaceAndNothingElseOfTheFileChanges) {
    write({.id3v2 = Id3v2Builder(3)
                        .text("TIT2", "Title")
                        .text("TALB", "Album")
                        .userText("NOTES", std::string(1500, 'n'))
                        .padding(800)
                        .build(),
           .audio = test::defaultAudio(),
           .id3v1 = test::id3v1Tag({.title = "v1"})});
    const fs::path link = dir_ / "hard-link.mp3";
    fs::create_hard_link(path_, link);
    ::chmod(path_.c_str(), 0604);
    // Where the file system keeps extended attributes.
    const bool attributes = ::setxattr(path_.c_str(), "user.rating", "5", 1, 0) == 0;
    const struct stat before = statOf(path_);
    const Bytes old = contents();

    AudioFile r = record();
    r.id3v2.album = "Another album, longer than the first";
    r.id3v1.title = "v1 new";
    TagFileWriter writer(path_);
    ASSERT_TRUE(writer.writeV1(r) && writer.writeV2(r));
    ASSERT_EQ(test::whyNot(writer.commit()), "");

    const struct stat after = statOf(path_);
    EXPECT_EQ(
        std::tie(after.st_ino, after.st_nlink, after.st_mode, after.st_uid, after.st_gid),
        std::tie(before.st_ino, before.st_nlink, before.st_mode, before.st_uid, before.st_gid));
    char rating[8] = {};
    if (attributes) {
        EXPECT_EQ(::getxattr(path_.c_str(), "user.rating", rating, sizeof rating), 1);
    }
    EXPECT_EQ(test::readBytes(link), contents());
    EXPECT_EQ(record().id3v2.album, "Another album, longer than the first");
    EXPECT_EQ(record().id3v1.title, "v1 new");
    // Only bytes of the two tags differ: the audio between them is as it was.
    const Bytes now = contents();
    ASSERT_EQ(now.size(), old.size());
    const std::size_t tagEnd = parts_.id3v2.size();
    for (std::size_t i = tagEnd; i < now.size() - 128; ++i)
        ASSERT_EQ(now[i], old[i]) << "byte " << i;
}

// A tag that outgrows its space gets room for the next edits: blocks inserted at the file's
// start where the file system can (the inode stays), else a new file.
TEST_F(TagFileWriterTest, ATagThatOutgrowsItsSpaceGetsRoomForTheNextEdits) {
    struct Way {
        const char* name;
        SaveProbe probe;
    };
    for (const Way& way :
         {Way{"blocks inserted", {}}, Way{"new file", {.newFilesForGrowth = true}}}) {
        SCOPED_TRACE(way.name);
        write({.id3v2 = Id3v2Builder(3).text("TIT2", "T").build(), .audio = test::defaultAudio()});
        const bool inserts = way.probe.newFilesForGrowth == false &&
                             insertsRanges(dir_.path().string(), statOf(path_).st_dev);
        if (!way.probe.newFilesForGrowth && !inserts)
            continue;  // this file system cannot insert blocks
        ::chmod(path_.c_str(), 0640);
        const bool mayChown = ::chown(path_.c_str(), 4321, 4321) == 0;
        const struct stat before = statOf(path_);

        AudioFile r = record();
        r.id3v2.title = std::string(2000, 't');
        TagFileWriter writer(path_);
        ASSERT_TRUE(writer.writeV2(r));
        SaveBatch batch({.flush = kDefaultFlushMode, .probe = way.probe});
        batch.add(writer);
        ASSERT_EQ(test::whyNot(batch.finish().front()), "");
        const struct stat grown = statOf(path_);
        EXPECT_EQ(grown.st_ino == before.st_ino, inserts);
        EXPECT_EQ(grown.st_mode, before.st_mode);
        if (mayChown) {
            EXPECT_EQ(std::tie(grown.st_uid, grown.st_gid), std::tie(before.st_uid, before.st_gid));
        }
        // At least 1 KiB and a tenth of the frames are left free; inserted blocks are whole.
        std::size_t frames = 0;
        for (const auto& frame : tag().frames)
            frames += 10 + frame.body.size();
        const std::size_t least = Id3v2Header::kSize + frames + 1024 + frames / 10;
        if (inserts) {
            EXPECT_GE(tag().size, least);
            EXPECT_EQ(
                (tag().size - parts_.id3v2.size()) % static_cast<std::size_t>(before.st_blksize),
                0u);
            EXPECT_LT(tag().size, least + static_cast<std::size_t>(before.st_blksize));
        } else {
            EXPECT_EQ(tag().size, least);
        }
        expectAudioUnchanged();
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);

        r = record();
        r.id3v2.title = std::string(2900, 't');
        r.id3v2.album = "Album";
        TagFileWriter again(path_);
        ASSERT_TRUE(again.writeV2(r));
        ASSERT_EQ(test::whyNot(again.commit()), "");
        EXPECT_EQ(statOf(path_).st_ino, grown.st_ino);
        EXPECT_EQ(record().id3v2.title, std::string(2900, 't'));
    }
}

// The file changed by another program after the save read it: between the journal's flush
// and the in-place write, or between the new file's flush and its rename.
std::string gMeddle;
SaveStep gMeddleAt{};
void meddle(SaveStep step) {
    if (step == gMeddleAt && !gMeddle.empty()) {
        FILE* file = std::fopen(gMeddle.c_str(), "r+b");
        std::fseek(file, 0, SEEK_END);
        std::fputc('x', file);
        std::fclose(file);
        gMeddle.clear();
    }
}

TEST_F(TagFileWriterTest, AChangeMadeWhileTheNewBytesWereFlushedStopsTheSave) {
    struct Case {
        const char* name;
        test::Mp3Parts parts;
        SaveStep meddleAt;
        bool newFilesForGrowth;
    };
    const Case cases[] = {
        {"in place",
         {.id3v2 = Id3v2Builder(3).text("TIT2", "T").padding(500).build(),
          .audio = test::defaultAudio()},
         SaveStep::JournalFlushed,
         false},
        {"blocks inserted", {.audio = test::defaultAudio()}, SaveStep::JournalFlushed, false},
        {"new file", {.audio = test::defaultAudio()}, SaveStep::NewFilesFlushed, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write(c.parts);
        AudioFile r = record();
        r.id3v2.makePresent();
        r.id3v2.setTitle("New");
        TagFileWriter writer(path_);
        ASSERT_TRUE(writer.writeV2(r));
        gMeddle = path_;
        gMeddleAt = c.meddleAt;
        SaveBatch batch({.flush = kDefaultFlushMode,
                         .probe = {.afterStep = meddle, .newFilesForGrowth = c.newFilesForGrowth}});
        batch.add(writer);
        EXPECT_EQ(test::whyNot(batch.finish().front()),
                  "the file changed while it was being saved");
        EXPECT_EQ(contents(), test::join({c.parts.bytes(), test::bytesOf("x")}));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
    }
}

// A disk that fills up half-way through a save leaves every byte of the file as it was and
// says which step failed on which file, and the system's reason. The file size limit stands in for
// the full disk, in a child process so that nothing else is limited: it fails a write past it, cut
// short where it crosses the limit, as a full disk does. (A tag grown by inserted blocks is not
// tried: the limit would also refuse putting the old bytes back behind the inserted blocks, where a
// full disk has the room.) The last case fails only at the ID3v1 tag, after the ID3v2 tag went in
// in place.
TEST_F(TagFileWriterTest, ASaveThatRunsOutOfSpaceHalfWayLeavesTheFileAsItWas) {
    struct Case {
        const char* name;
        std::size_t title;  // the new title's length: long ones outgrow the tag's space
        bool appendId3v1;
        std::size_t room;  // how far the file may grow: enough for the undo journal
        SaveProbe probe;
        const char* failedStep;  // the reason up to the file's path
    };
    const Case cases[] = {
        {"grown as a new file",
         6000,
         false,
         4000,
         {.newFilesForGrowth = true},
         "cannot write the new file for "},
        {"in place, then an ID3v1 tag appended", 10, true, 0, {}, "cannot write "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write({.id3v2 = Id3v2Builder(3).text("TIT2", "T").padding(200).build(),
               .audio = test::defaultAudio()});
        const Bytes old = contents();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{old.size() + c.room, old.size() + c.room};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            AudioFile r = record();
            r.id3v2.title = std::string(c.title, 't');
            if (c.appendId3v1)
                r.id3v1.title = "v1";
            TagFileWriter writer(path_);
            const bool staged = writer.writeV2(r) && (!c.appendId3v1 || writer.writeV1(r));
            SaveBatch batch({.flush = kDefaultFlushMode, .probe = c.probe});
            batch.add(writer);
            const base::Outcome saved = batch.finish().front();
            const std::string reason = test::whyNot(saved);
            std::fprintf(stderr, "reason: %s\n", reason.c_str());
            const bool told = reason == c.failedStep + path_ + ": File too large" &&
                              saved.failure().system == std::errc::file_too_large;
            ::_exit(staged && told ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "the save did not report its failure";
        EXPECT_EQ(contents(), old);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
    }
}

}  // namespace
}  // namespace tw::core
