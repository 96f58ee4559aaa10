// SPDX-License-Identifier: GPL-2.0-or-later
// Reading ID3v2 tags and lyrics into a record, through the whole read path.

#include <gtest/gtest.h>

#include <tuple>

#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/mpeg_info.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"

namespace tw::core {
namespace {

using test::Id3v2Builder;
using test::TextEncoding;

class Id3v2ReadTest : public ::testing::Test {
protected:
    AudioFile read(const test::Bytes& tag) {
        const std::string path =
            test::writeMp3(dir_, "song.mp3", {.id3v2 = tag, .audio = test::defaultAudio()});
        MpegInfo mpeg;
        return *AudioFile::create(path, dir_.folder().size(), mpeg);
    }

    test::TempDir dir_;
};

TEST_F(Id3v2ReadTest, ReadsEveryFieldInEveryVersionAndEncoding) {
    struct Case {
        int version;
        TextEncoding encoding;
    };
    for (const Case c : {Case{2, TextEncoding::Latin1}, Case{2, TextEncoding::Utf16},
                         Case{3, TextEncoding::Latin1}, Case{3, TextEncoding::Utf16},
                         Case{4, TextEncoding::Utf16BE}, Case{4, TextEncoding::Utf8}}) {
        SCOPED_TRACE(std::to_string(c.version) + "/" +
                     std::to_string(static_cast<int>(c.encoding)));
        const bool v22 = c.version == 2;
        const bool latin = c.encoding == TextEncoding::Latin1;
        const std::string title = latin ? "Título" : "Título €";
        Id3v2Builder tag(c.version);
        tag.text(v22 ? "TT2" : "TIT2", title, c.encoding)
            .text(v22 ? "TP1" : "TPE1", "Artist", c.encoding)
            .text(v22 ? "TAL" : "TALB", "Album", c.encoding)
            .text(v22 ? "TYE" : (c.version == 4 ? "TDRC" : "TYER"), "1999", c.encoding)
            .text(v22 ? "TCO" : "TCON", "(17)Rock", c.encoding)
            .text(v22 ? "TRK" : "TRCK", "5/12", c.encoding)
            .comment("eng", "", "Comment", c.encoding)
            .userUrl("", "http://example.org/", c.encoding)
            .text(v22 ? "TPB" : "TPUB", "Publisher", c.encoding)
            .text(v22 ? "TOA" : "TOPE", "Original", c.encoding)
            .text(v22 ? "TCR" : "TCOP", "Copyright", c.encoding)
            .text(v22 ? "TCM" : "TCOM", "Composer", c.encoding)
            .text(v22 ? "TEN" : "TENC", "Encoder", c.encoding)
            .lyrics("eng", "", "La la la", c.encoding);
        const AudioFile r = read(tag.build());
        const TagV2Fields& t = r.id3v2;
        EXPECT_TRUE(t.inFile && t.present && !t.changed);
        EXPECT_TRUE(r.lyrics.inFile && r.lyrics.present && !r.lyrics.changed);
        EXPECT_EQ(std::tuple(t.year, t.genre, t.track, t.trackTotal), std::tuple(1999, 17, 5, 12));
        EXPECT_EQ((std::vector{t.title, t.artist, t.album, t.yearText, t.trackText, t.comment,
                               t.url, t.publisher, t.origArtist, t.copyright, t.composer,
                               t.encodedBy, r.lyrics.text}),
                  (std::vector<std::string>{title, "Artist", "Album", "1999", "5", "Comment",
                                            "http://example.org/", "Publisher", "Original",
                                            "Copyright", "Composer", "Encoder", "La la la"}));
    }
}

TEST_F(Id3v2ReadTest, ArtistFallsBackThroughTheBandFrames) {
    EXPECT_EQ(read(Id3v2Builder(3).text("TPE2", "Band").text("TCOM", "Comp").build()).id3v2.artist,
              "Band");
    EXPECT_EQ(read(Id3v2Builder(3).text("TPE3", "Cond").text("TCOM", "Comp").build()).id3v2.artist,
              "Cond");
    const AudioFile r = read(Id3v2Builder(3).text("TCOM", "Comp").build());
    EXPECT_EQ(r.id3v2.artist, "Comp");
    EXPECT_EQ(r.id3v2.composer, "Comp");
}

TEST_F(Id3v2ReadTest, FirstCommentUrlAndLyricsCount) {
    const AudioFile r = read(Id3v2Builder(3)
                                 .comment("deu", "first", "Erster")
                                 .comment("eng", "", "Second")
                                 .userUrl("a", "http://one/")
                                 .userUrl("b", "http://two/")
                                 .lyrics("fra", "", "Premier")
                                 .lyrics("eng", "", "Second")
                                 .build());
    EXPECT_EQ(r.id3v2.comment, "Erster");
    EXPECT_EQ(r.id3v2.url, "http://one/");
    EXPECT_EQ(r.lyrics.text, "Premier");
}

TEST_F(Id3v2ReadTest, GenreTexts) {
    struct Case {
        int version;
        std::vector<std::string> values;
        std::int32_t genre;
    };
    const std::vector<Case> cases = {
        {3, {"pop"}, -1},
        {3, {"(67)Psychedelic"}, 67},
        {3, {"(67)Psychadelic"}, 67},
        {3, {"Not Set"}, 255},
        {4, {"17"}, 17},
        {4, {"Rock", "Pop"}, 17},
        {4, {"(52)Electronic"}, 52},
        {4, {"Jazz-Funk"}, 29},
        {4, {"My Own"}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values.front());
        EXPECT_EQ(read(Id3v2Builder(c.version).texts("TCON", c.values).build()).id3v2.genre,
                  c.genre);
    }
}

TEST_F(Id3v2ReadTest, YearAndTrackTexts) {
    AudioFile r = read(Id3v2Builder(4).text("TDRC", "1993-05-17").text("TRCK", "06/12").build());
    EXPECT_EQ(r.id3v2.yearText, "1993");
    EXPECT_EQ(r.id3v2.track, 6);
    EXPECT_EQ(r.id3v2.trackTotal, 12);
    r = read(Id3v2Builder(3).text("TYER", "1993").text("TDAT", "1705").build());
    EXPECT_EQ(r.id3v2.yearText, "1993");
    r = read(Id3v2Builder(3).text("TYER", "0000").build());
    EXPECT_EQ(r.id3v2.yearText, "");
    EXPECT_EQ(r.id3v2.year, 0);
}

TEST_F(Id3v2ReadTest, ExtendedHeadersAndUnsynchronisation) {
    for (Id3v2Builder tag :
         {Id3v2Builder(3).extendedHeader(), Id3v2Builder(4).extendedHeader().footer(),
          Id3v2Builder(3).extendedHeader().unsynchronisation(),
          Id3v2Builder(3).unsynchronisation()}) {
        tag.text("TIT2", "Title")
            .picture("image/png", 3, "", test::Bytes(64, 0xFF))
            .text("TPE1", "Artist")
            .padding(32);
        const AudioFile r = read(tag.build());
        EXPECT_EQ(r.id3v2.title, "Title");
        EXPECT_EQ(r.id3v2.artist, "Artist");
        EXPECT_EQ(r.stream(StreamField::HeaderPosition),
                  std::to_string(tag.build().size()) + " bytes");
    }
}

TEST_F(Id3v2ReadTest, FormatFlagsOfAFrameAreUndoneOnReading) {
    // "ÿà" is unsynchronised as FF 00 E0.
    const test::Bytes title = test::join({{0}, test::bytesOf("Title \xFF\xE0")});
    const test::Bytes comment = test::join({{0}, test::bytesOf("eng"), {0}, test::bytesOf("Note")});
    const test::Bytes picture = test::join(
        {{0}, test::bytesOf("image/png"), {0, 3}, test::bytesOf("cover"), {0}, {0x89, 'P', 0xFF}});
    for (const test::NamedFrameFormat& f : test::flaggedFrameFormats()) {
        SCOPED_TRACE(f.name);
        const AudioFile r = read(Id3v2Builder(f.version)
                                     .formatted("TIT2", title, f.format)
                                     .formatted("COMM", comment, f.format)
                                     .formatted("APIC", picture, f.format)
                                     .formatted(f.version == 4 ? "TDRC" : "TYER",
                                                test::join({{0}, test::bytesOf("1999")}), f.format)
                                     .build());
        EXPECT_EQ(r.id3v2.title, "Title ÿà");
        EXPECT_EQ(r.id3v2.comment, "Note");
        EXPECT_EQ(r.id3v2.yearText, "1999");
        ASSERT_EQ(r.pictures.items.size(), 1u);
        EXPECT_EQ(
            r.pictures.items[0].info,
            (PictureInfo{.type = 3, .mime = "image/png", .description = "cover", .byteSize = 3}));
    }
}

TEST_F(Id3v2ReadTest, DamagedFramesDoNotStopTheRest) {
    // A compressed frame whose data is not zlib, an encrypted one, and one too short.
    const AudioFile r = read(Id3v2Builder(3)
                                 .text("TIT2", "Title")
                                 .raw("TALB", {0, 0, 0, 40, 'x', 'y', 'z', 1, 2, 3}, 0x0080)
                                 .raw("COMM", {0, 0, 0, 9, 9, 9, 9}, 0x0040)
                                 .raw("TPE1", {}, 0)
                                 .text("TCOP", "Copyright")
                                 .build());
    EXPECT_EQ(r.id3v2.title, "Title");
    EXPECT_EQ(r.id3v2.copyright, "Copyright");
    EXPECT_TRUE(r.id3v2.inFile);
}

TEST_F(Id3v2ReadTest, ReadingAgainKeepsWhatTheFileDoesNotHold) {
    AudioFile r = read(Id3v2Builder(3).text("TIT2", "New").lyrics("eng", "", "L").build());
    r.id3v2.album = "Kept";
    r.id3v2.title = "Old";
    r.read();
    EXPECT_EQ(r.id3v2.title, "New");
    EXPECT_EQ(r.id3v2.album, "Kept");

    // Without a tag only the flags go.
    test::writeMp3(dir_, "song.mp3", {.audio = test::defaultAudio()});
    r.id3v2.changed = true;
    r.read();
    EXPECT_EQ(r.id3v2.title, "New");
    EXPECT_FALSE(r.id3v2.inFile || r.id3v2.present || r.id3v2.changed);
    EXPECT_FALSE(r.lyrics.inFile || r.lyrics.present);
}

}  // namespace
}  // namespace tw::core
