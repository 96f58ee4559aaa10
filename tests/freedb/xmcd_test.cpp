// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "freedb/album_info.h"
#include "freedb/client_identity.h"
#include "freedb/xmcd_reader.h"
#include "freedb/xmcd_writer.h"
#include "freedb_fakes.h"
#include "support/strict_xmcd.h"

namespace tw::freedb {
namespace {

using test::AlbumOfSeconds;
using test::TextLineSource;

AlbumInfo twoTrackAlbum() {
    AlbumInfo album = AlbumOfSeconds({180, 240});
    album.setArtist("A");
    album.setTitle("B");
    album.setCategory("rock");
    album.setYear("1999");
    album.track(0).setTitle("First", false);
    album.track(1).setTitle("Second", false);
    return album;
}

AlbumInfo readBack(const std::string& text, bool* ok = nullptr) {
    TextLineSource source(text);
    AlbumInfo album;
    const bool result = ReadXmcd(album, source, nullptr);
    if (ok != nullptr)
        *ok = result;
    return album;
}

TEST(WriteXmcd, WritesTheHeaderAndThePairsInTheirOrder) {
    const std::string expected = std::string(
                                     "# xmcd\n#\n#\n# Track frame offsets:\n#\t150\n#\t13650\n"
                                     "#\n#\n# Disc length: 420 seconds\n#\n# Revision: 0\n"
                                     "# Submitted via: ") +
                                 std::string(kClientName) + " " + std::string(kClientVersion) +
                                 "\n"
                                 "DISCID=0d01a202\nDTITLE=A / B\nDYEAR=1999\nDGENRE=rock\n"
                                 "TTITLE0=First\nTTITLE1=Second\nEXTD=\nEXTT0=\nEXTT1=\n"
                                 "PLAYORDER=\n";
    EXPECT_EQ(WriteXmcd(twoTrackAlbum()), expected);
    EXPECT_EQ(tw::test::StrictXmcdProblems(expected), std::vector<std::string>{});
}

TEST(WriteXmcd, CompilationTracksCarryTheirArtistsAndEqualDiscTextsAreWrittenOnce) {
    AlbumInfo album = twoTrackAlbum();
    album.setTitle("A");
    album.setTrackArtist(0, "X");
    album.setTrackArtist(1, "Y");
    const std::string text = WriteXmcd(album);
    EXPECT_NE(text.find("\nDTITLE=A\n"), std::string::npos);
    EXPECT_NE(text.find("\nTTITLE0=X / First\nTTITLE1=Y / Second\n"), std::string::npos);

    const AlbumInfo back = readBack(text);
    EXPECT_EQ(back.title(), "A");
    EXPECT_EQ(back.track(1).artist(), "Y");
    EXPECT_EQ(back.track(1).title(), "Second");
}

// A line of TTITLE12 holds 241 bytes of value; the split never falls inside a character or an
// escape pair.
TEST(WriteXmcdLine, EscapesAndSplitsLongValues) {
    const std::string x240 = "TTITLE12=" + std::string(240, 'x');
    const struct {
        std::string value;
        std::string written;
    } cases[] = {
        {"a\\b\nc\td\r", "TTITLE12=a\\\\b\\nc\\td\n"},
        {std::string(300, 'x'), x240 + "x\nTTITLE12=" + std::string(59, 'x') + "\n"},
        {std::string(240, 'x') + "\xC3\xA9tail", x240 + "\nTTITLE12=\xC3\xA9tail\n"},
        {std::string(240, 'x') + "\nend", x240 + "\nTTITLE12=\\nend\n"},
    };
    for (const auto& c : cases) {
        std::string out;
        WriteXmcdLine(out, "TTITLE12", c.value);
        EXPECT_EQ(out, c.written) << c.value;
    }
}

TEST(XmcdRoundTrip, EveryTextComesBackUnchanged) {
    AlbumInfo album = twoTrackAlbum();
    album.setRevision(7);
    album.setGenre("Synth  pop ");
    album.setExtendedData("line one\nline\ttwo \\ end");
    album.track(0).setTitle(std::string(300, 'q') + "\xC3\xA9\xE2\x82\xAC", true);
    album.track(1).setExtraData("back\\slash\\n literal", false);
    for (std::size_t i = 2; i < 120; ++i) {
        album.trackAt(i)->setFrameOffset(static_cast<std::uint32_t>(150 + i * 1000));
        album.track(i).setTitle("Track " + std::to_string(i), false);
    }
    album.setDiscId("0d01a202");

    bool ok = false;
    AlbumInfo back = readBack(WriteXmcd(album), &ok);
    ASSERT_TRUE(ok);
    back.setCategory("rock");
    back.setDiscId("0d01a202");
    back.setSource(album.source());
    // Three-digit track numbers land on their own tracks too.
    EXPECT_EQ(back, album);
}

TEST(ReadXmcd, ReadsOffsetsLengthAndContinuedValues) {
    const AlbumInfo album = readBack(
        "# xmcd\n# Track frame offsets:\n#  150\n#\t13650\n#\n# Disc length: 420 secs\n"
        "# Revision: 12\nDTITLE=Long Ar\nDTITLE=tist / Name\nDYEAR= 2001 \nEXTD=one \n"
        "EXTD=two\nTTITLE1=Sec\nTTITLE1=ond\nEXTT0=x\nDISCID=ffffffff\nDGENRE=Synth\n"
        "DGENRE= Pop\nPLAYORDER=1,0\n");
    ASSERT_EQ(album.trackCount(), 2u);
    EXPECT_EQ(album.track(1).frameOffset(), 13650u);
    EXPECT_EQ(album.discLengthSeconds(), 420u);
    EXPECT_EQ(album.artist() + " / " + album.title(), "Long Artist / Name");
    // Disc id and category come from where the record was found.
    EXPECT_EQ(album.storedDiscId() + album.category(), "");
    EXPECT_EQ(album.year(), "2001");
    EXPECT_EQ(album.extendedData(), "one two");
    EXPECT_EQ(album.track(1).title(), "Second");
    EXPECT_EQ(album.genre(), "Synth Pop");
    EXPECT_EQ(album.revision(), 12u);
}

TEST(AlbumRevision, ASubmissionCorrectsTheRevisionItWasReadWith) {
    AlbumInfo read = readBack("# xmcd\n# Revision: 7\nDTITLE=A / B\nTTITLE0=One\n");
    read.markAsRead();
    const struct {
        const char* change;
        void (*edit)(AlbumInfo&);
        std::uint32_t submitted;
    } cases[] = {
        {"nothing", [](AlbumInfo&) {}, 7},
        {"a track", [](AlbumInfo& a) { a.track(0).setTitle("Two", false); }, 8},
        {"the genre", [](AlbumInfo& a) { a.setGenre("Pop"); }, 8},
        {"not its place", [](AlbumInfo& a) { a.setCategory("jazz"); }, 7},
    };
    for (const auto& c : cases) {
        AlbumInfo album = read;
        c.edit(album);
        EXPECT_EQ(album.revisionToSubmit(), c.submitted) << c.change;
    }
    // An album made here is new; one that was never marked as read is a correction.
    EXPECT_EQ(twoTrackAlbum().revisionToSubmit(), 0u);
    EXPECT_EQ(readBack("# xmcd\n# Revision: 7\n").revisionToSubmit(), 8u);
    // A record that says it holds edits stays a correction once marked as read, and so does
    // an album measured against it.
    AlbumInfo local = readBack("# xmcd\n# Revision: 7\n# Edited after this revision\n");
    local.markAsRead();
    EXPECT_EQ(local.revisionToSubmit(), 8u);
    AlbumInfo file = readBack("# xmcd\n# Revision: 7\n");
    file.markAsReadAs(local);
    EXPECT_EQ(file.revisionToSubmit(), 8u);
}

TEST(ReadXmcd, AnOffsetsBlockEndsAtTheFirstLineWithoutANumber) {
    // Without the separating "#" line the length line only ends the block.
    AlbumInfo album =
        readBack("# xmcd\n# Track frame offsets:\n#\t150\n# Disc length: 420 seconds\n#\t9999\n");
    EXPECT_EQ(album.trackCount(), 1u);
    EXPECT_EQ(album.discLengthSeconds(), 0u);

    // Numbers of 2^31 and more, and negative ones, end it too.
    album = readBack("# xmcd\n# Track frame offsets:\n#\t150\n#\t2147483648\n#\t300\n");
    EXPECT_EQ(album.trackCount(), 1u);
    album = readBack("# xmcd\n# Track frame offsets:\n#\t-1\n#\t300\n");
    EXPECT_EQ(album.trackCount(), 0u);
}

TEST(ReadXmcd, DecodesEscapesInOnePassAndKeepsUnknownOnes) {
    const AlbumInfo album = readBack("# xmcd\nEXTD=a\\\\nb\\tc\\qd\\\n");
    EXPECT_EQ(album.extendedData(), "a\\nb\tc\\qd\\");
}

TEST(ReadXmcd, StopsAtTheEndMarkOrTheNextRecord) {
    TextLineSource dotted("# xmcd\nDTITLE=A\n.\nDTITLE=B\n");
    AlbumInfo album;
    EXPECT_TRUE(ReadXmcd(album, dotted, nullptr));
    EXPECT_EQ(album.artist(), "A");
    EXPECT_EQ(dotted.remaining(), 1u);

    TextLineSource ranged("# xmcd\nDTITLE=A\n#FILENAME=0d01a202\nDTITLE=B\n");
    EXPECT_TRUE(ReadXmcd(album, ranged, nullptr));
    EXPECT_EQ(ranged.remaining(), 1u);
}

TEST(ReadXmcd, FailsWithoutHeaderOrOnAKeyWithoutValue) {
    bool ok = true;
    AlbumInfo album = readBack("DTITLE=A / B\nTTITLE0=x\n", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(album.artist(), "A");  // read, but not valid

    for (const char* bad : {"DYEAR\n", "TTITLE0\n", "EXTT0 x\n"}) {
        album = readBack(std::string("# xmcd\nTTITLE0=A / B\nDTITLE=X\n") + bad, &ok);
        EXPECT_FALSE(ok) << bad;
        // Stopped before the compilation check and the title split.
        EXPECT_FALSE(album.isCompilation()) << bad;
        EXPECT_FALSE(album.hasData()) << bad;
    }

    // A title or EXTD line without "=" is taken whole.
    album = readBack("# xmcd\nDTITLE\n", &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(album.artist(), "DTITLE");
}

TEST(ReadXmcd, TrackNumbersAreReadWholeAndBounded) {
    AlbumInfo album = readBack("# xmcd\nTTITLE5=five\nTTITLE123=many\nTTITLEx=zero\n");
    ASSERT_EQ(album.trackCount(), 124u);
    EXPECT_EQ(album.track(5).title(), "five");
    EXPECT_EQ(album.track(123).title(), "many");
    EXPECT_EQ(album.track(0).title(), "zero");

    album = readBack("# xmcd\nTTITLE99999999999999999999=far\nEXTT1000=far\n");
    EXPECT_EQ(album.trackCount(), 0u);
}

TEST(ReadXmcd, GivesUpOnARecordThatNeverEnds) {
    class EndlessSource : public LineSource {
    public:
        bool receiveLine(std::string& line) override {
            line = ++count == 1 ? "# xmcd" : "EXTD=" + std::string(200, 'z');
            return true;
        }
        std::size_t count = 0;
    } endless;
    AlbumInfo album;
    EXPECT_FALSE(ReadXmcd(album, endless, nullptr));
    EXPECT_LE(album.extendedData().size(), kMaxXmcdBytes);
}

}  // namespace
}  // namespace tw::freedb
