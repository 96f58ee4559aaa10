// SPDX-License-Identifier: GPL-2.0-or-later
// Creating and reading records: names, file facts, stream facts and tags together, and
// files that cannot be read.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <regex>

#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/mpeg_info.h"
#include "support/id3v1_bytes.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"

namespace tw::core {
namespace {

class AudioFileReadTest : public ::testing::Test {
protected:
    void TearDown() override { options() = saved_; }
    std::unique_ptr<AudioFile> create(const std::string& path) {
        return AudioFile::create(path, dir_.folder().size(), mpeg_);
    }

    AppOptions saved_ = options();
    test::TempDir dir_;
    MpegInfo mpeg_;
};

TEST_F(AudioFileReadTest, RecordHoldsNamesFactsAndBothTags) {
    const test::Mp3Parts parts{
        .id3v2 = test::Id3v2Builder(3).text("TIT2", "Two").lyrics("eng", "", "Words").build(),
        .audio = test::defaultAudio(20),
        .id3v1 = test::id3v1Tag({.title = "One"})};
    const std::string path = test::writeMp3(dir_, "Älbum – 01.mp3", parts);
    const auto r = create(path);
    EXPECT_EQ(r->path, path);
    EXPECT_EQ(r->fileName, "Älbum – 01.mp3");
    EXPECT_EQ(r->baseName, "Älbum – 01");
    EXPECT_EQ(r->size, parts.bytes().size());
    EXPECT_EQ(r->id3v1.title + r->id3v2.title + r->lyrics.text, "OneTwoWords");
    EXPECT_FALSE(r->dirty());
    EXPECT_EQ(r->stream(StreamField::HeaderPosition),
              std::to_string(parts.id3v2.size()) + " bytes");
    EXPECT_EQ(r->infoText, infoText(r->streamText));
    const std::regex timeFormat(R"(\d\d/\d\d/\d{4}, \d\d:\d\d\.\d\d)");
    EXPECT_TRUE(std::regex_match(r->createdText, timeFormat)) << r->createdText;
    EXPECT_TRUE(std::regex_match(r->changedText, timeFormat)) << r->changedText;
}

TEST_F(AudioFileReadTest, TimesAreLocalTimesOfTheFile) {
    const std::string path = test::writeMp3(dir_, "a.mp3", {.audio = test::defaultAudio()});
    const auto setYear = [&](int year) {
        std::tm local{};
        local.tm_year = year - 1900;
        local.tm_mon = 2;
        local.tm_mday = 15;
        local.tm_hour = 14;
        local.tm_min = 5;
        local.tm_sec = 9;
        local.tm_isdst = -1;
        const timespec times[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    setYear(2008);
    const auto r = create(path);
    EXPECT_EQ(r->changedText, "03/15/2008, 14:05.09");
    setYear(2010);
    r->rereadTimes();
    EXPECT_EQ(r->changedText, "03/15/2010, 14:05.09");
}

TEST_F(AudioFileReadTest, ReadingAppliesTheAutomaticFill) {
    options().autoFillV1 = true;
    const std::string path =
        test::writeMp3(dir_, "a.mp3",
                       {.id3v2 = test::Id3v2Builder(3).text("TIT2", "From v2").build(),
                        .audio = test::defaultAudio()});
    const auto r = create(path);
    EXPECT_EQ(r->id3v1.title, "From v2");
    EXPECT_TRUE(r->id3v1.dirty());
}

TEST_F(AudioFileReadTest, FilesThatCannotBeReadKeepTheirDefaults) {
    const std::string missing = (dir_ / "missing.mp3").string();
    auto r = create(missing);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->size, 0u);
    EXPECT_EQ(r->createdText, "");
    EXPECT_EQ(r->stream(StreamField::Size), "0 bytes");
    EXPECT_EQ(r->stream(StreamField::Mode), "Invalid");
    EXPECT_EQ(r->fileName, "missing.mp3");
    EXPECT_EQ(base::worded(r->readFailure), std::strerror(ENOENT));

    std::filesystem::create_directory(dir_ / "folder.mp3");
    r = create((dir_ / "folder.mp3").string());
    EXPECT_EQ(r->stream(StreamField::NoHeader), "Yes");
    EXPECT_FALSE(r->id3v2.inFile);
    EXPECT_EQ(base::worded(r->readFailure), "not a regular file");

    // A FIFO must not stall the scan.
    const std::string fifo = (dir_ / "pipe.mp3").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    r = create(fifo);
    EXPECT_EQ(r->stream(StreamField::Mode), "Invalid");
    EXPECT_TRUE(r->unreadable());

    if (::geteuid() != 0) {
        const std::string locked =
            test::writeMp3(dir_, "locked.mp3", {.audio = test::defaultAudio()});
        ::chmod(locked.c_str(), 0);
        r = create(locked);
        EXPECT_EQ(r->size, 0u);
        EXPECT_EQ(r->stream(StreamField::Size),
                  groupedNumber(test::defaultAudio().size()) + " bytes");
        EXPECT_EQ(r->stream(StreamField::Mode), "Invalid");
        EXPECT_EQ(base::worded(r->readFailure), std::strerror(EACCES));
    }
}

TEST_F(AudioFileReadTest, ReadRefreshesAFileThatChangedAndKeepsOneThatVanished) {
    const std::string path = test::writeMp3(dir_, "a.mp3", {.audio = test::defaultAudio()});
    auto r = create(path);
    const test::Bytes tag = test::Id3v2Builder(3).text("TIT2", "Now").build();
    test::writeBytes(path, test::join({tag, test::defaultAudio()}));
    r->read();
    EXPECT_EQ(r->id3v2.title, "Now");
    EXPECT_EQ(r->stream(StreamField::HeaderPosition), std::to_string(tag.size()) + " bytes");

    EXPECT_FALSE(r->unreadable());

    std::filesystem::remove(path);
    r->read();
    EXPECT_EQ(r->id3v2.title, "Now");
    EXPECT_EQ(r->size, tag.size() + test::defaultAudio().size());
    EXPECT_TRUE(r->unreadable());

    test::writeMp3(dir_, "a.mp3", {.audio = test::defaultAudio()});
    r->read();
    EXPECT_FALSE(r->unreadable());
}

TEST_F(AudioFileReadTest, ShortAndOddFilesReadSafely) {
    for (const test::Bytes& bytes : {test::Bytes{}, test::bytesOf("TAG"), test::bytesOf("ID3\x04"),
                                     test::Id3v2Builder(4).text("TIT2", "cut").build()}) {
        test::Bytes content = bytes;
        if (content.size() > 12)
            content.resize(content.size() - 3);  // a cut-off tag
        const std::string path = (dir_ / "odd.mp3").string();
        test::writeBytes(path, content);
        const auto r = create(path);
        EXPECT_EQ(r->size, content.size());
        EXPECT_EQ(r->stream(StreamField::NoHeader), "Yes");
    }
}

}  // namespace
}  // namespace tw::core
