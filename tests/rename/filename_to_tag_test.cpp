// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/filename_to_tag.h"

#include <gtest/gtest.h>

#include "base/memory_settings_store.h"
#include "core/audio_file.h"
#include "rename/name_pattern.h"
#include "rename/symbol_table.h"

namespace tw::rename {
namespace {

using core::AudioFile;

AudioFile named(std::string baseName) {
    AudioFile file;
    file.baseName = std::move(baseName);
    file.fileName = file.baseName + ".mp3";
    file.id3v1.present = file.id3v2.present = true;
    return file;
}

bool fill(AudioFile& file, std::string_view mask, FillOptions options = {}) {
    return FillTagsFromName(file, mask, options, SymbolTable::defaults());
}

TEST(FillTagsFromName, WritesBothTags) {
    AudioFile file = named("01 - Intro");
    EXPECT_TRUE(fill(file, "<number> - <title>"));
    for (const core::TagFields* tag :
         {static_cast<core::TagFields*>(&file.id3v1), static_cast<core::TagFields*>(&file.id3v2)}) {
        EXPECT_EQ(tag->track, 1);
        EXPECT_EQ(tag->title, "Intro");
        EXPECT_TRUE(tag->changed);
    }
}

TEST(FillTagsFromName, YearNeedsALeadingNumber) {
    AudioFile file = named("Band - Song (1999)");
    fill(file, "<artist> - <title> (<year>)");
    EXPECT_EQ(file.id3v2.year, 1999);
    EXPECT_EQ(file.id3v2.yearText, "1999");
    EXPECT_EQ(file.id3v1.artist, "Band");

    for (const char* bad : {"abc", "0"}) {
        AudioFile other = named(bad);
        EXPECT_FALSE(fill(other, "<year>", {true, true, true, CaseMode::AsIs})) << bad;
        EXPECT_EQ(other.id3v2.year, 0);
    }
    AudioFile trailing = named("2005a");
    EXPECT_TRUE(fill(trailing, "<year>"));
    EXPECT_EQ(trailing.id3v1.year, 2005);
}

TEST(FillTagsFromName, OverwriteDecidesWhetherFullFieldsAreReplacedOrCleared) {
    AudioFile file = named("New");
    file.id3v1.title = "Old";
    EXPECT_TRUE(fill(file, "<title>"));
    EXPECT_EQ(file.id3v1.title, "Old");
    EXPECT_EQ(file.id3v2.title, "New");

    AudioFile again = named("New");
    again.id3v1.title = "Old";
    EXPECT_TRUE(fill(again, "<title>", {true, true, true, CaseMode::AsIs}));
    EXPECT_EQ(again.id3v1.title, "New");

    // Empty values clear only with overwrite.
    AudioFile noDash = named("NoDash");
    noDash.id3v1.title = noDash.id3v2.title = "Kept";
    fill(noDash, "<artist> - <title>");
    EXPECT_EQ(noDash.id3v2.title, "Kept");
    fill(noDash, "<artist> - <title>", {true, true, true, CaseMode::AsIs});
    EXPECT_EQ(noDash.id3v2.title, "");
    EXPECT_EQ(noDash.id3v2.artist, "NoDash");
}

TEST(FillTagsFromName, SwitchesTheComposerAndMissingTags) {
    AudioFile file = named("Bach");
    EXPECT_FALSE(fill(file, "<artist>", {false, false, false, CaseMode::AsIs}));
    EXPECT_FALSE(file.id3v1.changed || file.id3v2.changed);

    EXPECT_TRUE(fill(file, "<Composer>", {false, true, true, CaseMode::AsIs}));
    EXPECT_EQ(file.id3v2.composer, "Bach");
    EXPECT_FALSE(file.id3v1.changed);
    EXPECT_FALSE(fill(file, "<composer>", {false, true, false, CaseMode::AsIs}));

    AudioFile missing = named("Title");  // a tag the file lacks is made
    missing.id3v1.present = false;
    EXPECT_TRUE(fill(missing, "<title>", {false, true, false, CaseMode::AsIs}));
    EXPECT_TRUE(missing.id3v1.present && missing.id3v1.changed);
    EXPECT_EQ(missing.id3v1.title, "Title");
}

TEST(FillTagsFromName, GenreByNameWithoutRegardToCase) {
    AudioFile file = named("rock");
    EXPECT_TRUE(fill(file, "<genre>"));
    EXPECT_EQ(file.id3v1.genre, 17);
    EXPECT_TRUE(file.id3v1.changed);
    // A name the table does not know clears the genre when overwriting.
    AudioFile unknown = named("Nonesuch");
    unknown.id3v1.genre = 17;
    EXPECT_TRUE(fill(unknown, "<genre>", {true, true, false, CaseMode::AsIs}));
    EXPECT_EQ(unknown.id3v1.genre, -1);
}

TEST(FillTagsFromName, ValuesAreCleanedAndRecased) {
    AudioFile file = named("Some_Band, - song title,");
    fill(file, "<artist> - <title>", {false, true, true, CaseMode::UpperAllFirstLetters});
    EXPECT_EQ(file.id3v2.artist, "Some Band");
    EXPECT_EQ(file.id3v2.title, "Song Title");

    // An empty table leaves values untrimmed; a self-feeding pair stays bounded.
    EXPECT_EQ(readNameValues(" a ", MaskPattern("<title>"), SymbolTable{}, CaseMode::AsIs),
              (std::vector<std::string>{" a "}));
    const auto grown =
        readNameValues("a", MaskPattern("<title>"), SymbolTable{{{"a", "aa"}}}, CaseMode::AsIs);
    EXPECT_LE(grown.front().size(), 4u + 1024u);
}

TEST(FillTagsFromName, ReadsTheFilenameToTagTableFromTheStore) {
    base::MemorySettingsStore store;
    SymbolTable{{{"+", " "}}}.save(store, "SymbolReplacementFilenametoTag");
    AudioFile file = named("a+b");
    EXPECT_TRUE(FillTagsFromName(file, "<title>", FillOptions{}, store));
    EXPECT_EQ(file.id3v2.title, "a b");
}

}  // namespace
}  // namespace tw::rename
