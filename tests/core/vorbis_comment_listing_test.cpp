// SPDX-License-Identifier: GPL-2.0-or-later
// The listing's reading of a Vorbis comment straight from its bytes: the fields the record
// gets, checked against TagLib's own reading, and damaged comments.

#include <gtest/gtest.h>
#include <taglib/tpropertymap.h>
#include <taglib/xiphcomment.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/formats/vorbis_comment_listing.h"

namespace tw::core {
namespace {

void putLength(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

// A comment's bytes: vendor, count, each entry behind its length.
std::string commentOf(const std::vector<std::string>& entries) {
    std::string out;
    putLength(out, 6);
    out += "vendor";
    putLength(out, static_cast<std::uint32_t>(entries.size()));
    for (const std::string& entry : entries) {
        putLength(out, static_cast<std::uint32_t>(entry.size()));
        out += entry;
    }
    return out;
}

// What the fields read from `comment` by the listing and by TagLib's comment class.
std::pair<TagV2Fields, TagV2Fields> bothReadings(const std::string& comment) {
    CommentListing listing;
    EXPECT_TRUE(readCommentListing(comment, listing));
    TagV2Fields ours;
    TagV2Fields theirs;
    LyricsTag lyrics;
    readFieldValues(listing.values, ours, lyrics);
    const TagLib::Ogg::XiphComment xiph(
        TagLib::ByteVector(comment.data(), static_cast<unsigned>(comment.size())));
    readPropertyFields(xiph.properties(), theirs, lyrics);
    return {ours, theirs};
}

TEST(CommentListing, FieldsAreTagLibsWhateverTheNamesAndBytes) {
    struct Case {
        std::vector<std::string> entries;
        std::string artist, comment, trackText;
        int total, genre;
    };
    const Case cases[] = {
        {{"albumartist=Band", "Description=Notes", "TRACKNUMBER=4/9", "TITLE=First",
          "title=Second"},
         "Band",
         "Notes",
         "4",
         9,
         -1},
        {{"COMPOSER=Writer", "TrackNumber=5", "TOTALTRACKS=10", "GENRE=(17)"},
         "Writer",
         "",
         "5",
         10,
         17},
        {{"TRACKNUMBER=2", "TRACKTOTAL=-3", "GENRE=Shoegaze and more"}, "", "", "2", 0, -1},
        // Not entries: no "=", no name, a name with a character no name may hold; a name
        // ends at a zero.
        {{"ARTIST", "=Nobody", "ART\x7fIST=Nobody", std::string("ARTIST\0x=Who", 12), "ARTIST=No"},
         "Who",
         "",
         "",
         0,
         -1},
        // Cut at a zero; bytes that are no UTF-8 as TagLib converts them (to nothing).
        {{std::string("ARTIST=Be\0fore", 14), "COMMENT=\xff\xfe broken \xc3", "ALBUM=\xed\xa0\x80"},
         "Be",
         "",
         "",
         0,
         -1},
    };
    for (const Case& c : cases) {
        const auto [ours, theirs] = bothReadings(commentOf(c.entries));
        EXPECT_EQ(ours, theirs) << c.entries.back();
        EXPECT_EQ(ours.artist, c.artist);
        EXPECT_EQ(ours.comment, c.comment);
        EXPECT_EQ(ours.trackText, c.trackText);
        EXPECT_EQ(ours.trackTotal, c.total);
        EXPECT_EQ(ours.genre, c.genre);
        EXPECT_FALSE(ours.changed);
    }
}

// The head of a FLAC picture block in base64: type 3, "image/png", "Front", then the
// image's length, here 3 with 3 bytes behind it.
constexpr const char* kPictureBlock =
    "AAAAAwAAAAlpbWFnZS9wbmcAAAAFRnJvbnQAAAAAAAAAAAAAAAAAAAAAAAAAA1BORw==";

TEST(CommentListing, PicturesAreDescribedNotDecoded) {
    CommentListing listing;
    ASSERT_TRUE(
        readCommentListing(commentOf({std::string("metadata_block_picture=") + kPictureBlock,
                                      "COVERART=AAAA", "METADATA_BLOCK_PICTURE=AAAA"}),
                           listing));
    ASSERT_EQ(listing.pictures.size(), 2u);  // the last block is too short to be one
    EXPECT_EQ(listing.pictures[0].type, 3);
    EXPECT_EQ(listing.pictures[0].mime, "image/png");
    EXPECT_EQ(listing.pictures[0].description, "Front");
    EXPECT_EQ(listing.pictures[0].byteSize, 3u);
    EXPECT_EQ(listing.pictures[1].byteSize, 3u);
}

// Cut anywhere or with its count or a length made huge, a comment is refused, never read
// past its end (the sanitizers watch) nor made room for beyond it.
TEST(CommentListing, DamagedCommentsAreRefused) {
    const std::string whole = commentOf({"TITLE=Song", "ARTIST=Band"});
    for (std::size_t keep = 0; keep < whole.size(); ++keep) {
        CommentListing listing;
        EXPECT_FALSE(readCommentListing(std::string_view(whole).substr(0, keep), listing)) << keep;
    }
    for (const std::size_t at : {std::size_t{10}, std::size_t{14}}) {  // the count, a length
        std::string damaged = whole;
        damaged.replace(at, 4, "\xff\xff\xff\x7f");
        CommentListing listing;
        EXPECT_FALSE(readCommentListing(damaged, listing)) << at;
    }
}

}  // namespace
}  // namespace tw::core
