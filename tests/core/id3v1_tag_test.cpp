// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v1_tag.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/app_options.h"
#include "support/id3v1_bytes.h"

namespace tw::core {
namespace {

class Id3v1Test : public ::testing::Test {
protected:
    void TearDown() override { options() = saved_; }
    AppOptions saved_ = options();
};

TagFields read(const test::Bytes& tag) {
    TagFields fields;
    EXPECT_TRUE(readId3v1(tag, fields));
    return fields;
}

std::string field(const Id3v1Bytes& tag, std::size_t offset, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(tag.data()) + offset, size);
}

TEST_F(Id3v1Test, ReadsEveryField) {
    const auto fields = read(test::id3v1Tag({.title = "Title  ",
                                             .artist = "Artist",
                                             .album = "Album",
                                             .year = "1999",
                                             .comment = "Fine",
                                             .genre = 17}));
    EXPECT_TRUE(fields.inFile && fields.present && !fields.changed);
    EXPECT_EQ(
        std::tuple(fields.title, fields.artist, fields.album, fields.yearText, fields.comment),
        std::tuple("Title", "Artist", "Album", "1999", "Fine"));
    EXPECT_EQ(std::tuple(fields.year, fields.genre), std::tuple(1999, 17));
}

TEST_F(Id3v1Test, TrackNumberOnlyBehindAZeroByte) {
    const auto withTrack = read(test::id3v1Tag({.comment = "c", .track = 200}));
    EXPECT_EQ(std::tuple(withTrack.track, withTrack.trackText), std::tuple(200, "200"));
    // A comment padded with blanks to the full 30 bytes has no track.
    const auto padded = read(test::id3v1Tag({.comment = std::string(29, 'x') + "y"}));
    EXPECT_EQ(padded.track, 0);
    EXPECT_EQ(padded.comment, std::string(29, 'x') + "y");
    EXPECT_EQ(read(test::id3v1Tag({.comment = std::string(30, ' ')})).comment, "");
}

TEST_F(Id3v1Test, GenreBytesAbove127ReadAsNone) {
    EXPECT_EQ(read(test::id3v1Tag({.genre = 254})).genre, -1);
    EXPECT_EQ(read(test::id3v1Tag({.genre = 128})).genre, -1);
    EXPECT_EQ(read(test::id3v1Tag({.genre = 0})).genre, 0);
}

TEST_F(Id3v1Test, ZeroYearFollowsTheSetting) {
    EXPECT_EQ(read(test::id3v1Tag({.year = "0000"})).yearText, "");
    options().zeroYearIsEmpty = false;
    TagFields fields;
    fields.year = 5;
    readId3v1(test::id3v1Tag({.year = "0000"}), fields);
    EXPECT_EQ(fields.yearText, "0");
}

TEST_F(Id3v1Test, NoTagLeavesTheFieldsAlone) {
    TagFields fields;
    fields.title = "kept";
    test::Bytes notTag = test::id3v1Tag({.title = "x"});
    notTag[0] = 'X';
    EXPECT_FALSE(readId3v1(notTag, fields));
    EXPECT_EQ(fields.title, "kept");
    EXPECT_FALSE(fields.inFile);
}

TEST_F(Id3v1Test, RenderLaysOutTheFields) {
    TagFields fields;
    fields.title = std::string(40, 't');
    fields.artist = "Artist";
    fields.album = "Album";
    fields.yearText = "19999";
    fields.comment = std::string(40, 'c');
    fields.genre = 17;
    auto tag = renderId3v1(fields, -1);
    EXPECT_EQ(field(tag, 0, 3), "TAG");
    EXPECT_EQ(field(tag, 3, 30), std::string(30, 't'));
    EXPECT_EQ(field(tag, 33, 30), "Artist" + std::string(24, '\0'));
    EXPECT_EQ(field(tag, 93, 4), "1999");
    EXPECT_EQ(field(tag, 97, 30), std::string(29, 'c') + '\0');  // no track: 29 bytes
    EXPECT_EQ(tag[127], 17);

    fields.track = 7;
    tag = renderId3v1(fields, -1);
    EXPECT_EQ(field(tag, 97, 29), std::string(28, 'c') + '\0');
    EXPECT_EQ(tag[126], 7);
    const auto back = read(test::Bytes(tag.begin(), tag.end()));
    EXPECT_EQ(back.track, 7);
    EXPECT_EQ(back.comment, std::string(28, 'c'));
}

TEST_F(Id3v1Test, GenreByteFallsBackToTheId3v2Genre) {
    TagFields fields;
    EXPECT_EQ(renderId3v1(fields, 13)[127], 13);
    EXPECT_EQ(renderId3v1(fields, 200)[127], 255);
    EXPECT_EQ(renderId3v1(fields, -1)[127], 255);
    fields.genre = 2;
    EXPECT_EQ(renderId3v1(fields, 13)[127], 2);
}

TEST_F(Id3v1Test, TextsGoThroughTheCodePage) {
    TagFields fields;
    fields.title = "Café €";
    fields.artist = "Жук";
    auto tag = renderId3v1(fields, -1);
    EXPECT_EQ(field(tag, 3, 7), std::string("Caf\xE9 \x80", 6) + '\0');
    EXPECT_EQ(field(tag, 33, 4), std::string("???", 3) + '\0');
    EXPECT_EQ(read(test::Bytes(tag.begin(), tag.end())).title, "Café €");

    options().id3v1CodePage = "windows-1251";
    tag = renderId3v1(fields, -1);
    EXPECT_EQ(field(tag, 33, 3), "\xC6\xF3\xEA");
    EXPECT_EQ(read(test::Bytes(tag.begin(), tag.end())).artist, "Жук");

    options().id3v1CodePage = "no-such-code-page";
    EXPECT_EQ(read(test::id3v1Tag({.title = "\xE9t\xE9"})).title, "été");
}

TEST_F(Id3v1Test, LimitsCountEncodedBytesAndKeepCharactersWhole) {
    options().id3v1CodePage = "Shift_JIS";
    TagFields fields;
    fields.yearText = "年年年";  // two bytes each: two fit in four
    fields.title = std::string(29, 'a') + "あ";
    const auto tag = renderId3v1(fields, -1);
    EXPECT_EQ(field(tag, 93, 4), std::string("\x94\x4e\x94\x4e", 4));
    EXPECT_EQ(field(tag, 3, 30), std::string(29, 'a') + '\0');
}

}  // namespace
}  // namespace tw::core
