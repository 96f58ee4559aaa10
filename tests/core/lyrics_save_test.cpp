// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/lyrics_save.h"

#include <gtest/gtest.h>

#include "core/mpeg_info.h"
#include "support/id3v1_bytes.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"

namespace tw::core {
namespace {

class LyricsSaveTest : public ::testing::Test {
protected:
    // An MP3 file of default audio with the given tags (empty: none).
    std::string write(const test::Bytes& id3v2, const test::Bytes& id3v1 = {}) {
        return test::writeMp3(dir, "a.mp3",
                              {.id3v2 = id3v2, .audio = test::defaultAudio(), .id3v1 = id3v1});
    }

    std::unique_ptr<AudioFile> load(const std::string& path) {
        MpegInfo mpeg;
        return AudioFile::create(path, dir.folder().size(), mpeg);
    }

    test::TempDir dir;
};

TEST_F(LyricsSaveTest, WritesOnlyTheLyricsAndKeepsOtherEditsInMemory) {
    const std::string path = write(test::Id3v2Builder(3).text("TIT2", "On disk").build(),
                                   test::id3v1Tag({.title = "v1"}));
    auto record = load(path);
    record->id3v2.setTitle("Edited");
    ASSERT_TRUE(replaceLyrics(*record, "  la la\n"));
    const auto sizeBefore = record->size;

    ASSERT_TRUE(saveLyrics(*record));
    EXPECT_EQ(record->lyrics.text, "la la");
    EXPECT_TRUE(record->lyrics.inFile && record->lyrics.present);
    EXPECT_FALSE(record->lyrics.dirty());
    EXPECT_EQ(record->id3v2.title, "Edited");
    EXPECT_TRUE(record->id3v2.dirty());
    EXPECT_NE(record->size, sizeBefore);

    auto reread = load(path);
    EXPECT_EQ(reread->lyrics.text, "la la");
    EXPECT_EQ(reread->id3v2.title, "On disk");
    EXPECT_EQ(reread->id3v1.title, "v1");
}

TEST_F(LyricsSaveTest, DeletedLyricsLeaveTheFileAtTheNextSave) {
    const std::string path =
        write(test::Id3v2Builder(3).text("TIT2", "t").lyrics("eng", "", "words").build());
    auto record = load(path);
    ASSERT_TRUE(record->lyrics.inFile);
    ASSERT_TRUE(deleteLyrics(*record));
    EXPECT_TRUE(record->lyrics.dirty());
    EXPECT_FALSE(deleteLyrics(*record));

    ASSERT_TRUE(saveLyrics(*record));
    EXPECT_FALSE(record->lyrics.inFile || record->lyrics.present || record->lyrics.dirty());
    auto reread = load(path);
    EXPECT_FALSE(reread->lyrics.inFile);
    EXPECT_EQ(reread->id3v2.title, "t");
}

TEST_F(LyricsSaveTest, LyricsOnlyInMemoryAreDroppedWithoutTouchingTheFile) {
    const std::string path = write({});
    const test::Bytes before = test::readBytes(path);
    auto record = load(path);
    ASSERT_TRUE(replaceLyrics(*record, "typed"));
    EXPECT_FALSE(replaceLyrics(*record, "typed"));
    ASSERT_TRUE(deleteLyrics(*record));
    EXPECT_FALSE(record->dirty());
    EXPECT_TRUE(saveLyrics(*record));
    EXPECT_EQ(test::readBytes(path), before);
}

}  // namespace
}  // namespace tw::core
