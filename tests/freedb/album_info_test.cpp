#include "freedb/album_info.h"

#include <gtest/gtest.h>

#include "freedb/album_path_check.h"
#include "freedb/compilation.h"
#include "freedb/disc_title.h"
#include "freedb/freedb_category.h"
#include "freedb_fakes.h"

namespace tw::freedb {
namespace {

TEST(AlbumInfo, DiscTextsReadEmptyUntilTheAlbumHasData) {
    AlbumInfo album;
    album.setYear("1999");
    album.setExtendedData("notes");
    album.setDiscId("0200c601");
    EXPECT_FALSE(album.hasData());
    EXPECT_EQ(album.extendedData(), "");
    EXPECT_EQ(album.year(), "");
    EXPECT_EQ(album.discId(), "0200c601");

    album.setCategory("rock");
    EXPECT_TRUE(album.hasData());
    EXPECT_EQ(album.extendedData(), "notes");
    // The year also needs a track.
    EXPECT_EQ(album.year(), "");
    album.trackAt(0);
    EXPECT_EQ(album.year(), "1999");

    album.clear();
    EXPECT_EQ(album, AlbumInfo());
    EXPECT_EQ(album.source(), AlbumSource::None);
}

TEST(AlbumInfo, TrackCreationByIndexFillsTheGapAndStopsAtTheLimit) {
    AlbumInfo album;
    AlbumTrack* third = album.trackAt(2);
    ASSERT_NE(third, nullptr);
    ASSERT_EQ(album.trackCount(), 3u);
    for (std::uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(album.track(i).index(), i);
        EXPECT_FALSE(album.track(i).hasFrameOffset());
    }
    EXPECT_EQ(album.trackAt(1), &album.track(1));
    EXPECT_EQ(album.trackCount(), 3u);
    EXPECT_EQ(album.trackAt(kMaxAlbumTracks), nullptr);
    EXPECT_EQ(album.trackCount(), 3u);
}

TEST(AlbumTrack, ReplacingANonEmptyTextMarksTheTrackModified) {
    AlbumTrack track(0);
    track.setTitle("Intro", false);
    EXPECT_FALSE(track.modified());
    track.setTitle(" (live)", true);
    EXPECT_EQ(track.title(), "Intro (live)");
    EXPECT_FALSE(track.modified());
    track.setTitle("Intro (live)", false);
    EXPECT_FALSE(track.modified());
    track.setExtraData("x", false);
    EXPECT_FALSE(track.modified());
    track.setTitle("Outro", false);
    EXPECT_TRUE(track.modified());
}

TEST(AlbumInfo, AnyTrackArtistMakesACompilation) {
    AlbumInfo album;
    album.trackAt(0);
    album.setTrackArtist(0, "");
    EXPECT_TRUE(album.isCompilation());
    EXPECT_EQ(album.compilationDelimiter(), "");
}

AlbumInfo albumWithTitles(std::initializer_list<const char*> titles) {
    AlbumInfo album;
    std::size_t i = 0;
    for (const char* title : titles)
        album.trackAt(i++)->setTitle(title, false);
    return album;
}

TEST(Compilation, SplitsEveryTitleAtTheFirstDelimiterAndTrims) {
    AlbumInfo album = albumWithTitles({"  Artist One / Song / Part 2 ", "B /  C"});
    ASSERT_TRUE(ParseCompilation(album, " / "));
    EXPECT_TRUE(album.isCompilation());
    EXPECT_EQ(album.compilationDelimiter(), " / ");
    EXPECT_EQ(album.track(0).artist(), "Artist One");
    EXPECT_EQ(album.track(0).title(), "Song / Part 2");
    EXPECT_EQ(album.track(1).artist(), "B");
    EXPECT_EQ(album.track(1).title(), "C");
    // Reading is no edit.
    EXPECT_FALSE(album.track(0).modified());
}

TEST(Compilation, OneTitleWithoutTheDelimiterChangesNothing) {
    AlbumInfo album = albumWithTitles({"A / B", "Plain"});
    const AlbumInfo before = album;
    EXPECT_FALSE(ParseCompilation(album, " / "));
    EXPECT_EQ(album, before);
    // Without tracks there is nothing to contradict.
    AlbumInfo empty;
    EXPECT_TRUE(ParseCompilation(empty, " / "));
    EXPECT_TRUE(empty.isCompilation());
}

TEST(Compilation, DetectionLogsOnlyTheFallbackDelimiters) {
    test::RecordingLog log;
    AlbumInfo spaced = albumWithTitles({"A / B"});
    EXPECT_TRUE(DetectCompilation(spaced, kXmcdCompilationDelimiters, &log));
    EXPECT_TRUE(log.texts.empty());

    AlbumInfo hyphened = albumWithTitles({"A - B", "C - D"});
    hyphened.setDiscId("0d01a202");
    EXPECT_TRUE(DetectCompilation(hyphened, kXmcdCompilationDelimiters, &log));
    EXPECT_EQ(hyphened.compilationDelimiter(), "-");
    EXPECT_EQ(hyphened.track(1).artist(), "C");
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0],
              "[INF]\tAlbum 0d01a202 is parsed as compilation with delimiter '-'\r\n");

    // "--" comes before "-" for xmcd records; the INI list does not know it.
    AlbumInfo dashed = albumWithTitles({"A -- B"});
    EXPECT_TRUE(DetectCompilation(dashed, kXmcdCompilationDelimiters, nullptr));
    EXPECT_EQ(dashed.track(0).title(), "B");
    AlbumInfo iniDashed = albumWithTitles({"A -- B"});
    EXPECT_TRUE(DetectCompilation(iniDashed, kIniCompilationDelimiters, nullptr));
    EXPECT_EQ(iniDashed.track(0).title(), "- B");

    AlbumInfo plain = albumWithTitles({"Song", "Other"});
    EXPECT_FALSE(DetectCompilation(plain, kXmcdCompilationDelimiters, &log));
    EXPECT_FALSE(plain.isCompilation());
}

TEST(DiscTitle, SplitsAtTheFirstSpacedSlash) {
    const DiscTitle split = SplitDiscTitle("Artist A / Title B / C  ");
    EXPECT_EQ(split.artist, "Artist A");
    EXPECT_EQ(split.title, "Title B / C");

    const DiscTitle leading = SplitDiscTitle(" / Only ");
    EXPECT_EQ(leading.artist, " / Only");
    EXPECT_EQ(leading.title, " / Only");

    const DiscTitle none = SplitDiscTitle("AC/DC\t");
    EXPECT_EQ(none.artist, "AC/DC");
    EXPECT_EQ(none.title, "AC/DC");

    EXPECT_EQ(JoinDiscTitle("A", "B"), "A / B");
    EXPECT_EQ(JoinDiscTitle("Same", "Same"), "Same");
}

TEST(Categories, ElevenInTheirFixedOrderFoundWithoutRegardToCase) {
    const auto& categories = FreeDbCategories();
    EXPECT_EQ(categories.front().name, "blues");
    EXPECT_EQ(categories[9].name, "soundtrack");
    EXPECT_EQ(categories.back().name, "data");
    EXPECT_EQ(FindFreeDbCategory("Rock"), 8u);
    EXPECT_FALSE(FindFreeDbCategory("polka").has_value());
}

TEST(PathCheck, CategoriesArePlainFolderNames) {
    EXPECT_TRUE(IsSafeCategoryName("rock"));
    EXPECT_TRUE(IsSafeCategoryName("my own"));
    EXPECT_TRUE(IsSafeCategoryName("..."));
    EXPECT_FALSE(IsSafeCategoryName(""));
    EXPECT_FALSE(IsSafeCategoryName("."));
    EXPECT_FALSE(IsSafeCategoryName(".."));
    EXPECT_FALSE(IsSafeCategoryName("rock/../../etc"));
    EXPECT_FALSE(IsSafeCategoryName("..\\x"));
    EXPECT_FALSE(IsSafeCategoryName(std::string_view("ro\0ck", 5)));
}

}  // namespace
}  // namespace tw::freedb
