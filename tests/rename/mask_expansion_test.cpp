// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/mask_expansion.h"

#include <gtest/gtest.h>

#include "base/memory_settings_store.h"
#include "core/app_options.h"
#include "core/audio_file.h"
#include "rename/symbol_table.h"

namespace tw::rename {
namespace {

using core::AudioFile;

class ExpandMaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        core::options().preferV1Track = true;
        file.baseName = "old name";
        file.fileName = "old name.mp3";
    }

    std::string expand(std::string_view mask, FilePlace place = {}, CounterSettings counter = {},
                       CaseMode mode = CaseMode::AsIs) {
        return ExpandMask(file, mask, place, counter, mode, table);
    }

    AudioFile file;
    SymbolTable table = SymbolTable::defaults();
};

TEST_F(ExpandMaskTest, TrackNumberAndEffectiveValues) {
    file.id3v1.track = 3;
    file.id3v2.title = "Intro";
    EXPECT_EQ(expand("<number> - <title>"), "03 - Intro.mp3");
    file.id3v1.track = 12;
    EXPECT_EQ(expand("<number>"), "12.mp3");
    file.id3v1.track = 0;
    EXPECT_EQ(expand("<number> - <title>"), "- Intro.mp3");

    file.id3v1.title = "v1 title";
    file.id3v1.yearText = "1999";
    file.id3v1.genre = 17;
    file.id3v2.genre = -1;
    EXPECT_EQ(expand("<title> <year> <genre>"), "Intro 1999 Rock.mp3");
    file.id3v2.title.clear();
    EXPECT_EQ(expand("<title>"), "v1 title.mp3");
}

TEST_F(ExpandMaskTest, CounterAndFileNumber) {
    EXPECT_EQ(counterText(1, {0, 3}), "001");
    EXPECT_EQ(counterText(27, {0, 1}), "27");
    EXPECT_EQ(counterText(1, {5, 1}), "6");
    EXPECT_EQ(counterText(1, {0, 60}), "000001");  // lengths beyond 6 are clamped
    EXPECT_EQ(expand("<counter>-<filenumber>", FilePlace{4, 2}, {0, 2}), "02-4.mp3");
    EXPECT_EQ(trackNumberText(7), "07");
    EXPECT_EQ(trackNumberText(-2), "");
}

TEST_F(ExpandMaskTest, ExtensionAndEmptyResults) {
    file.id3v2.title = "Song.MP3";
    EXPECT_EQ(expand("<title>"), "Song.MP3");
    EXPECT_EQ(expand(""), "");
    file.id3v2.title.clear();
    EXPECT_EQ(expand("<title>"), "");
    // Fields that are all empty leave punctuation, never a name.
    EXPECT_EQ(expandMaskChecked(file, "<number> - <title>", {}, {}, CaseMode::AsIs, table).refusal,
              NameRefusal::NoValues);
}

TEST_F(ExpandMaskTest, VocabularyOfTheExpansion) {
    file.id3v2.origArtist = "Orig";
    file.id3v2.composer = "Comp";
    file.id3v2.url = "u";
    file.id3v2.encodedBy = "e";
    file.id3v2.copyright = "c";
    file.streamText[static_cast<std::size_t>(core::StreamField::Length)] = "3-25";
    file.streamText[static_cast<std::size_t>(core::StreamField::Bitrate)] = "128";
    EXPECT_EQ(expand("<Orig. Artist> <composer> <URL> <Encoded by> <Copyright>"),
              "Orig Comp u e c.mp3");
    EXPECT_EQ(expand("<playtime> <bitrate> <filename>"), "3-25 128 old name.mp3");
    EXPECT_EQ(ExpandMask(file, "<orig_artist>", {}, {}, CaseMode::AsIs, SymbolTable{}),
              "<orig_artist>.mp3");
    // A value naming a later token is expanded again; an earlier token stays literal.
    file.id3v2.title = "<comment>/<artist>";
    file.id3v2.comment = "C";
    file.id3v2.artist = "A";
    EXPECT_EQ(ExpandMask(file, "<title>", {}, {}, CaseMode::AsIs, SymbolTable{}), "C-<artist>.mp3");
}

TEST_F(ExpandMaskTest, FoldersComeOnlyFromTheMask) {
    file.id3v2.artist = "Band";
    file.id3v2.title = "Song";
    EXPECT_EQ(expand("<artist>\\<title>", {}, {}, CaseMode::UpperAll), "BAND\\SONG.MP3");
    // The mask's own up-level run and absolute folders are kept from the table and the case.
    EXPECT_EQ(expand("..\\<title>", {}, {}, CaseMode::UpperAll), "..\\SONG.MP3");
    EXPECT_EQ(expand("\\home\\my_music..\\<title>", {}, {}, CaseMode::UpperAll),
              "\\home\\my_music..\\SONG.MP3");
    EXPECT_EQ(ExpandMask(file, "..\\..\\<title>", {}, {}, CaseMode::AsIs, SymbolTable{}),
              "..\\..\\Song.mp3");

    // Separators inside values never make folders, whatever the table says.
    file.id3v2.title = "AC\\DC/Live";
    EXPECT_EQ(expand("<title>"), "AC-DC-Live.mp3");
    EXPECT_EQ(ExpandMask(file, "<title>", {}, {}, CaseMode::AsIs, SymbolTable{}), "AC-DC-Live.mp3");
    EXPECT_EQ(ExpandMask(file, "<title>", {}, {}, CaseMode::AsIs, SymbolTable{{{"/", "_"}}}),
              "AC_DC_Live.mp3");
    // A table that makes "/" out of something else cannot make folders either.
    file.id3v2.title = "a-b";
    EXPECT_EQ(ExpandMask(file, "<title>", {}, {}, CaseMode::AsIs, SymbolTable{{{"-", "/"}}}),
              "a-b.mp3");
}

TEST_F(ExpandMaskTest, ValuesCannotClimbAboveTheMasksFolders) {
    file.id3v2.title = "Song";
    file.id3v2.artist = "..";
    const SymbolTable none;
    EXPECT_EQ(ExpandMask(file, "<artist>\\<title>", {}, {}, CaseMode::AsIs, none), "");
    EXPECT_EQ(ExpandMask(file, "..\\<artist>\\<title>", {}, {}, CaseMode::AsIs, none), "");
    EXPECT_EQ(ExpandMask(file, "x\\..\\<title>", {}, {}, CaseMode::AsIs, none), "");
    // With the defaults the value becomes "." and stays where it is.
    EXPECT_EQ(expand("<artist>\\<title>"), ".\\Song.mp3");
}

TEST_F(ExpandMaskTest, ControlCharactersAndHostileValues) {
    file.id3v2.title = std::string("a\tb\nc\0d", 7);
    EXPECT_EQ(expand("<title>"), "a b c d.mp3");

    // Each value names the next token many times: the growth must be cut off, not followed.
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += "<album>";
    file.id3v2.artist = many;
    file.id3v2.album.clear();
    for (int i = 0; i < 5000; ++i)
        file.id3v2.album += "<title>";
    file.id3v2.title = std::string(1000, 'x');
    EXPECT_EQ(expand("<artist>"), "");
}

TEST_F(ExpandMaskTest, ReadsTheTagToFilenameTableFromTheStore) {
    base::MemorySettingsStore store;
    file.id3v2.title = "a_b";
    SymbolTable{{{"_", "+"}}}.save(store, kTagToFilenameTable);
    EXPECT_EQ(ExpandMask(file, "<title>", {}, {}, CaseMode::AsIs, store), "a+b.mp3");
}

}  // namespace
}  // namespace tw::rename
