// SPDX-License-Identifier: GPL-2.0-or-later
// The walks over FLAC metadata and MP4 boxes that decide whether a save may go ahead,
// on boxes built byte by byte: damaged counts and boxes that run past their parents are
// what real files bring and what TagLib trusts.

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

#include "core/formats/format_layout.h"

namespace tw::core {
namespace {

std::string u32(std::uint32_t n) {
    return {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8),
            static_cast<char>(n)};
}

std::string box(const std::string& type, const std::string& payload) {
    return u32(static_cast<std::uint32_t>(8 + payload.size())) + type + payload;
}

// A chunk offset table claiming `count` entries and holding `held`.
std::string stco(std::uint32_t count, std::uint32_t held) {
    std::string entries;
    for (std::uint32_t i = 0; i < held; ++i)
        entries += u32(100 + i);
    return box("stco", u32(0) + u32(count) + entries);
}

bool tablesFit(const std::string& file) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    return mp4OffsetTablesFit(readerOf({bytes, file.size()}), file.size());
}

std::string moovWith(const std::string& inside) {
    return box("ftyp", "M4A \0\0\0\0"s) + box("moov", inside) + box("mdat", "audio");
}

TEST(Mp4OffsetTablesTest, EveryTableTagLibRewritesMustHoldWhatItClaims) {
    const std::string track = box("trak", box("mdia", box("minf", box("stbl", stco(2, 2)))));
    EXPECT_TRUE(tablesFit(moovWith(track)));
    EXPECT_FALSE(
        tablesFit(moovWith(box("trak", box("mdia", box("minf", box("stbl", stco(3, 2))))))));
    // Outside the track boxes, where only TagLib looks: in udta, and behind a meta box
    // written with and without the full box's version and flags.
    EXPECT_FALSE(tablesFit(moovWith(track + box("udta", stco(0xFFFFFFFF, 1)))));
    EXPECT_FALSE(tablesFit(moovWith(box("udta", box("meta", u32(0) + stco(9, 0))))));
    EXPECT_FALSE(tablesFit(moovWith(box("udta", box("meta", box("hdlr", "") + stco(9, 0))))));
    // A table inside the item list, which a save replaces, however well it fits.
    EXPECT_FALSE(
        tablesFit(moovWith(track + box("udta", box("meta", u32(0) + box("ilst", stco(2, 2)))))));
    // A table in a box TagLib does not open is never rewritten.
    EXPECT_TRUE(tablesFit(moovWith(track + box("free", stco(0xFFFFFFFF, 0)))));
    // Only the first moov counts; a table in a later one is left alone.
    EXPECT_TRUE(tablesFit(moovWith(track) + box("moov", box("udta", stco(7, 0)))));
}

TEST(Mp4OffsetTablesTest, BoxesThatRunPastTheirParentOrTheFileAreFollowedAsTagLibDoes) {
    // The udta claims 12 bytes but its child runs on: TagLib reads the table there.
    const std::string runsOn = u32(12) + "udta" + stco(5, 1);
    EXPECT_FALSE(tablesFit(box("moov", runsOn)));
    // A table whose claimed length runs past the end of the file.
    const std::string cut = box("moov", u32(4000) + "stco" + u32(0) + u32(2) + u32(1) + u32(2));
    EXPECT_FALSE(tablesFit(cut));
    // 64-bit box lengths, a zero length running to the end, nesting beyond any writer.
    const std::string wide = u32(1) + "moov" + u32(0) + u32(16 + 24) + stco(2, 2);
    EXPECT_TRUE(tablesFit(wide));
    EXPECT_TRUE(tablesFit(u32(0) + "moov" + stco(1, 1)));
    std::string deep = stco(1, 1);
    for (int i = 0; i < 100; ++i)
        deep = box("udta", deep);
    EXPECT_FALSE(tablesFit(box("moov", deep)));
    EXPECT_TRUE(tablesFit(""));
    EXPECT_TRUE(tablesFit("\0\0\0"s));
}

}  // namespace
}  // namespace tw::core
