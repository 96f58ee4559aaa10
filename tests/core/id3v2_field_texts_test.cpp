// SPDX-License-Identifier: GPL-2.0-or-later
// Reading the fields straight from a tag's bytes gives what TagLib's parse of the same tag
// gives, for every text form TagLib reads in its own way, and leaves to TagLib what it
// cannot copy.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/byte_window.h"
#include "core/id3v2_field_texts.h"
#include "core/id3v2_tag.h"
#include "support/damaged_tags.h"
#include "support/id3v2_builder.h"

namespace tw::core {
namespace {

using test::Bytes;
using test::Id3v2Builder;
using test::TextEncoding;

struct Readings {
    bool direct = false;  // the bytes were read directly
    FieldFrameTexts directTexts;
    std::vector<PictureInfo> directPictures;
    FieldFrameTexts tagLibTexts;
    std::vector<PictureInfo> tagLibPictures;
};

Readings readBothWays(const Bytes& tag) {
    Readings r;
    const auto header = Id3v2Header::parse(tag);
    if (!header)
        return r;
    ByteWindow window;
    window.reset(tag);
    r.direct = readFieldTexts(*header, window, tag.size(), r.directTexts, r.directPictures);
    const Id3v2Tag parsed(*header, tag, kReadFrameIds);
    r.tagLibTexts = fieldFrameTexts(parsed.tag());
    r.tagLibPictures = parsed.pictures();
    return r;
}

void expectSameReading(const Bytes& tag) {
    const Readings r = readBothWays(tag);
    ASSERT_TRUE(r.direct);
    for (std::size_t i = 0; i < kReadFrameIds.size(); ++i) {
        const auto field = static_cast<FieldFrame>(i);
        EXPECT_EQ(r.directTexts[field], r.tagLibTexts[field]) << kReadFrameIds[i];
    }
    EXPECT_EQ(r.directPictures, r.tagLibPictures);
}

Bytes body(std::uint8_t encoding, const Bytes& text) {
    return test::join({{encoding}, text});
}

// Bytes of a text in UTF-16 of the given byte order, without a mark.
Bytes utf16(std::u16string_view text, bool bigEndian) {
    Bytes out;
    for (char16_t c : text) {
        const auto high = static_cast<std::uint8_t>(c >> 8);
        const auto low = static_cast<std::uint8_t>(c & 0xFF);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
    }
    return out;
}

TEST(Id3v2FieldTextsTest, TextsReadAsTagLibReadsThem) {
    const Bytes le = {0xFF, 0xFE};
    const Bytes be = {0xFE, 0xFF};
    const Bytes zero16 = {0, 0};
    struct Case {
        const char* name;
        Bytes body;
    };
    const std::vector<Case> texts = {
        {"latin-1 values", body(0, test::bytesOf(std::string("Caf\xE9\0second\0\0", 14)))},
        {"utf-16 le", body(1, test::join({le, utf16(u"Tür €", false), zero16}))},
        {"utf-16 be mark", body(1, test::join({be, utf16(u"Tür €", true)}))},
        {"second value takes the first mark",
         body(1, test::join({be, utf16(u"A", true), zero16, utf16(u"B", true)}))},
        {"second value with its own mark",
         body(1, test::join({be, utf16(u"A", true), zero16, le, utf16(u"B", false)}))},
        {"no mark", body(1, utf16(u"Title", false))},
        {"empty first value", body(1, test::join({zero16, le, utf16(u"B", false)}))},
        {"odd last byte", body(1, test::join({le, utf16(u"Ab", false), {0x41}}))},
        {"surrogate pair", body(1, test::join({le, utf16(u"\xD83C\xDFB5!", false)}))},
        {"lone lead surrogate", body(1, test::join({le, utf16(u"a\xD83C", false)}))},
        {"lone trail surrogate", body(2, utf16(u"a\xDFB5z", true))},
        {"utf-16 be", body(2, utf16(u"Ünïcode", true))},
        {"utf-8", body(3, test::bytesOf("Ünïcode ♪"))},
        {"invalid utf-8", body(3, {'a', 0xC3, 'b'})},
        {"overlong utf-8", body(3, {0xC0, 0xAF})},
        {"utf-8 surrogate", body(3, {0xED, 0xA0, 0x80})},
        {"utf-8 cut off", body(3, {'a', 0xE2, 0x82})},
        {"encoding only", {0}},
        {"zeros only", {0, 0, 0, 0}},
        {"no bytes after the encoding", {1}},
    };
    for (const Case& c : texts) {
        SCOPED_TRACE(c.name);
        expectSameReading(Id3v2Builder(4)
                              .raw("TIT2", c.body)
                              .raw("COMM", test::join({{c.body[0]}, test::bytesOf("eng"), c.body}))
                              .raw("WXXX", c.body)
                              .raw("USLT", test::join({{c.body[0]}, test::bytesOf("eng")}))
                              .build());
    }
}

TEST(Id3v2FieldTextsTest, GenresReadAsTagLibReadsThem) {
    for (const std::vector<std::string>& values :
         std::vector<std::vector<std::string>>{{"(17)Rock"},
                                               {"(17)"},
                                               {"(4)Rock"},
                                               {"(abc)Rock"},
                                               {"()"},
                                               {"(RX)"},
                                               {"(CR)Pop"},
                                               {"(255)"},
                                               {"(256)x"},
                                               {"( 17)"},
                                               {"(+17)"},
                                               {"(17)(52)Electronic"},
                                               {"(17"},
                                               {"(abc)", "Pop"},
                                               {"Rock", "Pop"},
                                               {"(99999999999)"},
                                               {"17"}}) {
        SCOPED_TRACE(values.front());
        for (TextEncoding encoding : {TextEncoding::Latin1, TextEncoding::Utf16}) {
            expectSameReading(Id3v2Builder(3).texts("TCON", values, encoding).build());
        }
    }
}

TEST(Id3v2FieldTextsTest, FirstFrameOfAnIdCountsAsInTagLib) {
    expectSameReading(Id3v2Builder(3)
                          .text("TDRC", "2001")
                          .text("TYER", "1999")
                          .comment("eng", "a", "one")
                          .comment("eng", "b", "two")
                          .raw("COMM", {0, 'e', 'n'})
                          .picture("image/png", 3, "front", Bytes(700, 1))
                          .picture("image/jpeg", 4, "back", Bytes(3, 2))
                          .build());
    expectSameReading(Id3v2Builder(4).text("TYER", "1999").text("TDRC", "2001").build());
    expectSameReading(Id3v2Builder(4)
                          .raw("COMM", body(1, test::join({test::bytesOf("eng"), {0xFF, 0xFE}})))
                          .raw("USLT", body(0, test::bytesOf(std::string("engd\0t\0x", 9))))
                          .raw("WXXX", body(1, {0xFF, 0xFE, 'd', 0, 0, 0, 'u', 'r', 'l'}))
                          .build());
}

TEST(Id3v2FieldTextsTest, DamagedTagsReadTheSame) {
    for (const test::DamagedTag& damaged : test::damagedTags()) {
        SCOPED_TRACE(damaged.name);
        const Readings r = readBothWays(damaged.tag);
        if (!r.direct)
            continue;
        EXPECT_TRUE(r.directTexts == r.tagLibTexts);
        EXPECT_EQ(r.directPictures, r.tagLibPictures);
    }
}

TEST(Id3v2FieldTextsTest, WhatOnlyTagLibReadsIsLeftToIt) {
    const Bytes text = body(0, test::bytesOf("Title"));
    std::vector<Bytes> tags = {
        Id3v2Builder(2).text("TT2", "Title").build(),
        Id3v2Builder(3).unsynchronisation().text("TIT2", "Title").build(),
        Id3v2Builder(3).compressed("TIT2", text).build(),
        Id3v2Builder(4).raw("TIT2", body(4, test::bytesOf("Title"))).build(),
        Id3v2Builder(3).texts("TCON", {"(\xC3\xA9)"}, TextEncoding::Utf8).build(),
        Id3v2Builder(4)
            .raw("TCON", body(1, test::join({{0xFF, 0xFE}, utf16(u"\xD800", false)})))
            .build(),
    };
    // A v2.4 tag that says each of its frames is unsynchronised.
    tags.push_back(Id3v2Builder(4).text("TIT2", "Title").build());
    tags.back()[5] |= 0x80;
    for (const test::NamedFrameFormat& f : test::flaggedFrameFormats())
        tags.push_back(Id3v2Builder(f.version).formatted("TIT2", text, f.format).build());
    for (const Bytes& tag : tags)
        EXPECT_FALSE(readBothWays(tag).direct);
}

}  // namespace
}  // namespace tw::core
