// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/list_cells.h"

#include <gtest/gtest.h>

#include "core/app_options.h"

namespace tw::core {
namespace {

std::unique_ptr<AudioFile> record(std::uint64_t size = 0, std::int32_t seconds = 0) {
    auto file = std::make_unique<AudioFile>();
    file->fileName = "Song.mp3";
    file->baseName = "Song";
    file->size = size;
    file->playSeconds = seconds;
    return file;
}

// Restores the process options a test changes.
class OptionsGuard {
public:
    ~OptionsGuard() { options() = saved_; }

private:
    AppOptions saved_ = options();
};

TEST(ListCells, TextFieldsPreferV2AndTrackYearGenreShowV1Only) {
    auto file = record();
    file->id3v1.title = "v1 title";
    file->id3v2.title = "v2 title";
    file->id3v1.artist = "v1 artist";
    file->id3v1.trackText = "3";
    file->id3v2.trackText = "7";
    file->id3v1.yearText = "1999";
    file->id3v2.yearText = "2001";
    file->id3v1.genre = 17;
    file->id3v2.genre = 13;
    file->id3v2.composer = "Composer";

    const ListCellTexts cells;
    EXPECT_EQ(cells.text(*file, TagFieldId::Title), "v2 title");
    EXPECT_EQ(cells.text(*file, TagFieldId::Artist), "v1 artist");
    EXPECT_EQ(cells.text(*file, TagFieldId::Track), "3");
    EXPECT_EQ(cells.text(*file, TagFieldId::Year), "1999");
    EXPECT_EQ(cells.text(*file, TagFieldId::Genre), "Rock");
    EXPECT_EQ(cells.text(*file, TagFieldId::Composer), "Composer");
    EXPECT_EQ(cells.text(*file, TagFieldId::Picture), "No");
    file->pictures.items.push_back({{4, "image/png", "", 10}, 0, nullptr});
    EXPECT_EQ(cells.text(*file, TagFieldId::Picture), "No");  // a back cover is no front cover
    file->pictures.items.push_back({{3, "image/png", "", 10}, 1, nullptr});
    EXPECT_EQ(cells.text(*file, TagFieldId::Picture), "Yes");

    for (int genre : {-1, 126, 254, 255}) {
        file->id3v1.genre = genre;
        EXPECT_EQ(cells.text(*file, TagFieldId::Genre), "") << genre;
    }

    // A file without ID3v1 shows the genre of its own tag, a free one as it is.
    file->format = AudioFormat::Flac;
    EXPECT_EQ(cells.text(*file, TagFieldId::Genre), "Pop");
    file->id3v2.genre = -1;
    file->id3v2.freeGenre = "Shoegaze";
    EXPECT_EQ(cells.text(*file, TagFieldId::Genre), "Shoegaze");
}

TEST(ListCells, LyricsStreamAndNameColumns) {
    OptionsGuard guard;
    auto file = record();
    file->streamText[static_cast<std::size_t>(StreamField::Mode)] = "Joint Stereo";

    const ListCellTexts cells;
    EXPECT_EQ(cells.text(*file, TagFieldId::Lyrics), "No");
    file->lyrics.inFile = true;
    EXPECT_EQ(cells.text(*file, TagFieldId::Lyrics), "Yes");
    EXPECT_EQ(cells.text(*file, TagFieldId::Channels), "Joint Stereo");

    options().showExtension = false;
    EXPECT_EQ(cells.text(*file, TagFieldId::Filename), "Song");
    options().showExtension = true;
    EXPECT_EQ(cells.text(*file, TagFieldId::Filename), "Song.mp3");
}

TEST(ListCells, SizeTextSwitchesUnitsAboveOneMegabyte) {
    EXPECT_EQ(sizeText(1023), "1023 Bytes");
    EXPECT_EQ(sizeText(1024), "1.00 KB");
    EXPECT_EQ(sizeText(1536), "1.50 KB");
    EXPECT_EQ(sizeText(1048576), "1024.00 KB");
    EXPECT_EQ(sizeText(3145728), "3.00 MB");
    EXPECT_EQ(sizeText(5'000'000'000ull), "4768.37 MB");
}

TEST(ListTotals, SizeUnitsTruncateAndDurationsCoverAllAndSelected) {
    FileList list;
    EXPECT_EQ(totalsText(list),
              "Tracks size:\t0 bytes\r\nDuration (all):\t00:00\r\nDuration (selected):\t00:00");

    list.add(record(1023, 59));
    EXPECT_EQ(totalsText(list),
              "Tracks size:\t1023 bytes\r\nDuration (all):\t00:59\r\nDuration (selected):\t00:59");

    list.add(record(2047, 3541));  // 3070 bytes in all: 2 Kb, truncated
    EXPECT_EQ(totalsText(list),
              "Tracks size:\t2 Kb\r\nDuration (all):\t01:00:00\r\nDuration (selected):\t00:59");

    list.add(record(3 * 1024 * 1024, 1));
    list.selectOnly(2);
    list.selectAdd(1);
    EXPECT_EQ(totalsText(list),
              "Tracks size:\t3 Mb\r\nDuration (all):\t01:00:01\r\nDuration (selected):\t59:02");
}

}  // namespace
}  // namespace tw::core
