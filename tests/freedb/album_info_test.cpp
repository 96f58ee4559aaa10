// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/album_info.h"

#include <gtest/gtest.h>

#include "freedb/album_path_check.h"
#include "freedb/compilation.h"
#include "freedb/disc_id.h"
#include "freedb/disc_title.h"
#include "freedb_fakes.h"

namespace tw::freedb {
namespace {

using test::AlbumOfSeconds;

TEST(AlbumInfo, DiscTextsReadEmptyUntilTheAlbumHasData) {
    AlbumInfo album;
    album.setYear("1999");
    album.setExtendedData("notes");
    album.setDiscId("0200c601");
    EXPECT_EQ(album.extendedData(), "");

    album.setCategory("rock");
    EXPECT_EQ(album.extendedData(), "notes");
    // The year also needs a track.
    EXPECT_EQ(album.year(), "");
    album.trackAt(0);
    EXPECT_EQ(album.year(), "1999");

    album.clear();
    EXPECT_EQ(album, AlbumInfo());
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
    track.setTitle("Outro", false);
    EXPECT_TRUE(track.modified());
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
    EXPECT_EQ(album.compilationDelimiter(), " / ");
    EXPECT_EQ(album.track(0).artist(), "Artist One");
    EXPECT_EQ(album.track(0).title(), "Song / Part 2");
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

    EXPECT_EQ(SplitDiscTitle("AC/DC\t").title, "AC/DC");

    EXPECT_EQ(JoinDiscTitle("A", "B"), "A / B");
    EXPECT_EQ(JoinDiscTitle("Same", "Same"), "Same");
}

TEST(PathCheck, CategoriesArePlainFolderNames) {
    for (std::string_view good : {"rock", "my own", "..."})
        EXPECT_TRUE(IsSafeCategoryName(good)) << good;
    for (std::string_view bad : {std::string_view(""), std::string_view("."),
                                 std::string_view(".."), std::string_view("rock/../../etc"),
                                 std::string_view("..\\x"), std::string_view("ro\0ck", 5)})
        EXPECT_FALSE(IsSafeCategoryName(bad)) << bad;
}

TEST(DiscId, SumsTheDigitsOfEachStartAndCountsFromTheFirst) {
    // Starts at 2 s and 182 s: n = 2 + 1 + 8 + 2 = 13; t = 420 - 2 = 418.
    EXPECT_EQ(DiscIdOf(AlbumOfSeconds({180, 240})), (13u << 24) | (418u << 8) | 2u);
    struct Case {
        std::initializer_list<std::uint32_t> seconds;
        const char* id;
    };
    // A disc shorter than the first track's two-second start has no length to count; it
    // must not borrow from the digit sum in the top byte.
    for (const Case& c : {Case{{200}, "0200c601"}, Case{{2}, "02000001"}, Case{{1}, "02000001"},
                          Case{{0}, "02000001"}, Case{{0, 0}, "04000002"}})
        EXPECT_EQ(AlbumOfSeconds(c.seconds).discId(), c.id) << *c.seconds.begin();
}

TEST(DiscId, DigitSumWrapsAt255AndFieldsAreNotMasked) {
    // 99 tracks of 10 minutes: the digit sum passes 255 and t << 8 spills into the top byte,
    // exactly as every other client computes it.
    AlbumInfo album;
    std::uint32_t n = 0;
    for (std::uint32_t i = 0; i < 99; ++i) {
        const std::uint32_t start = 2 + i * 600;
        album.trackAt(i)->setFrameOffset(start * 75);
        for (std::uint32_t v = start; v > 0; v /= 10)
            n += v % 10;
    }
    album.setDiscLengthSeconds(2 + 99 * 600);
    const std::uint32_t t = 99 * 600;
    EXPECT_EQ(DiscIdOf(album), ((n % 255) << 24) | (t << 8) | 99u);
}

TEST(DiscId, ComputingReplacesAnAssignedIdAndEmptyAlbumsHaveNone) {
    AlbumInfo empty;
    ComputeDiscId(empty);
    EXPECT_EQ(empty.discId(), "");

    AlbumInfo album = AlbumOfSeconds({200});
    album.setDiscId("deadbeef");
    EXPECT_EQ(album.discId(), "deadbeef");
    ComputeDiscId(album);
    EXPECT_EQ(album.discId(), "0200c601");
}

TEST(TrackTiming, EndsChainIntoTheNextStartAndTheLastEndsAtTheDiscLength) {
    AlbumInfo album = AlbumOfSeconds({180, 240});
    EXPECT_EQ(album.trackLength(0), 13500u);
    // No lead-in in the disc length: the last track is two seconds short.
    EXPECT_EQ(album.trackEnd(1), 420u * 75);
    EXPECT_EQ(album.trackSeconds(1), 238u);
    EXPECT_EQ(album.trackLengthText(1), "03:58");

    AlbumInfo noOffsets;
    noOffsets.trackAt(1);
    EXPECT_EQ(noOffsets.trackEnd(0), 0u);
    EXPECT_EQ(noOffsets.trackLength(0), 0u);
}

TEST(TrackTiming, LengthTextShowsHoursOnlyWhenThereAreAny) {
    EXPECT_EQ(FormatLength(3599), "59:59");
    EXPECT_EQ(FormatLength(3600), "01:00:00");
    EXPECT_EQ(FormatLength(3 * 3600 + 62), "03:01:02");
    EXPECT_EQ(FormatLength(0xFFFFFFFFu), "1193046:28:15");
}

}  // namespace
}  // namespace tw::freedb
