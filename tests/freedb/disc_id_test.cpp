#include "freedb/disc_id.h"

#include <gtest/gtest.h>

#include "freedb/album_info.h"
#include "freedb/album_path_check.h"
#include "freedb_fakes.h"

namespace tw::freedb {
namespace {

using test::AlbumOfSeconds;

TEST(DiscId, OneTrackOf200Seconds) {
    AlbumInfo album = AlbumOfSeconds({200});
    // n = digits of 2 = 2; t = 200 - 2 = 198; one track.
    EXPECT_EQ(DiscIdOf(album), (2u << 24) | (198u << 8) | 1u);
    EXPECT_EQ(album.discId(), "0200c601");
}

TEST(DiscId, TwoTracksSumTheDigitsOfEachStart) {
    AlbumInfo album = AlbumOfSeconds({180, 240});
    EXPECT_EQ(album.track(1).frameOffset(), 13650u);
    // Starts at 2 s and 182 s: n = 2 + 1 + 8 + 2 = 13; t = 420 - 2 = 418.
    EXPECT_EQ(DiscIdOf(album), (13u << 24) | (418u << 8) | 2u);
    EXPECT_EQ(album.discId(), "0d01a202");
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

TEST(DiscId, AssignedIdIsKeptAndEmptyAlbumHasNone) {
    AlbumInfo empty;
    EXPECT_EQ(empty.discId(), "");
    ComputeDiscId(empty);
    EXPECT_EQ(empty.storedDiscId(), "");
    EXPECT_EQ(empty.trackCount(), 0u);

    AlbumInfo album = AlbumOfSeconds({200});
    album.setDiscId("deadbeef");
    EXPECT_EQ(album.discId(), "deadbeef");
    ComputeDiscId(album);
    EXPECT_EQ(album.discId(), "0200c601");
}

TEST(DiscId, ValidityIsEightHexDigits) {
    EXPECT_TRUE(IsValidDiscId("0d01a202"));
    EXPECT_TRUE(IsValidDiscId("ABCDEF09"));
    EXPECT_FALSE(IsValidDiscId("0d01a20"));
    EXPECT_FALSE(IsValidDiscId("0d01a2020"));
    EXPECT_FALSE(IsValidDiscId("0d01a20g"));
    EXPECT_FALSE(IsValidDiscId("../../x1"));
    EXPECT_FALSE(IsValidDiscId(""));
}

TEST(TrackTiming, EndsChainIntoTheNextStartAndTheLastEndsAtTheDiscLength) {
    AlbumInfo album = AlbumOfSeconds({180, 240});
    EXPECT_EQ(album.trackEnd(0), 13650u);
    EXPECT_EQ(album.trackLength(0), 13500u);
    EXPECT_EQ(album.trackSeconds(0), 180u);
    // No lead-in in the disc length: the last track is two seconds short.
    EXPECT_EQ(album.trackEnd(1), 420u * 75);
    EXPECT_EQ(album.trackSeconds(1), 238u);
    EXPECT_EQ(album.trackLengthText(1), "03:58");

    AlbumInfo noOffsets;
    noOffsets.trackAt(1);
    EXPECT_FALSE(noOffsets.track(0).hasFrameOffset());
    EXPECT_EQ(noOffsets.track(1).index(), 1u);
    EXPECT_EQ(noOffsets.trackEnd(0), 0u);
    EXPECT_EQ(noOffsets.trackLength(0), 0u);
}

TEST(TrackTiming, LengthTextShowsHoursOnlyWhenThereAreAny) {
    EXPECT_EQ(FormatLength(0), "00:00");
    EXPECT_EQ(FormatLength(59), "00:59");
    EXPECT_EQ(FormatLength(3599), "59:59");
    EXPECT_EQ(FormatLength(3600), "01:00:00");
    EXPECT_EQ(FormatLength(3 * 3600 + 62), "03:01:02");
    EXPECT_EQ(FormatLength(0xFFFFFFFFu), "1193046:28:15");
}

}  // namespace
}  // namespace tw::freedb
