// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/damaged_tags.h"

#include "support/id3v2_builder.h"

namespace tw::test {

namespace {

// Frames a real tag has besides title and artist, among them the two that other tools
// change when they only read them: TXXX without a description and a TCON that names the
// genre by number and name.
Id3v2Builder& usualFrames(Id3v2Builder& tag, std::string_view genre) {
    return tag.text("TALB", "Album")
        .text("TRCK", "3/9")
        .text("TCON", genre)
        .userText("", "no description")
        .comment("eng", "", "Note")
        .picture("image/png", 3, "front", Bytes(300, 0x5A))
        .raw("XTST", bytesOf("a frame no one knows"))
        .raw("POPM", {'a', '@', 'b', 0, 196, 0, 0, 0, 7});
}

Bytes textBody(std::string_view text) {
    return join({{0}, bytesOf(text)});
}

// A v2.3 frame header that says `size`, whatever follows it.
Bytes headerSaying(std::string_view id, std::uint32_t size) {
    Bytes out = bytesOf(id);
    appendBigEndian(out, size, 4);
    appendBigEndian(out, 0, 2);
    return out;
}

}  // namespace

std::vector<DamagedTag> damagedTags() {
    std::vector<DamagedTag> tags;
    auto add = [&](std::string name, Bytes tag, std::string title = "Title",
                   std::string unkept = {}) {
        tags.push_back({std::move(name),
                        std::move(tag),
                        std::move(title),
                        "Artist",
                        std::move(unkept),
                        {},
                        {}});
    };

    Id3v2Builder emptyFirst(3);
    emptyFirst.raw("TCOP", {}).text("TIT2", "Title").text("TPE1", "Artist");
    add("an empty text frame first", usualFrames(emptyFirst, "(17)Rock").build());

    Id3v2Builder emptyInside(4);
    emptyInside.text("TIT2", "Title").raw("TPE2", {}).raw("TCOM", {}).text("TPE1", "Artist");
    add("empty frames in the middle",
        usualFrames(emptyInside, "(52)Electronic").padding(64).build());

    Id3v2Builder badId(3);
    badId.text("TIT2", "Title").raw("T!t3", textBody("kept as it is")).text("TPE1", "Artist");
    add("a frame with a bad id between good frames", usualFrames(badId, "(17)Rock").build());

    Id3v2Builder junk(3);
    junk.text("TIT2", "Title").bytes(bytesOf("\x01\x02junk!")).text("TPE1", "Artist");
    add("junk between frames", usualFrames(junk, "(17)Rock").build(), "Title", "??ju");

    Id3v2Builder oversized(3);
    oversized.text("TIT2", "Title")
        .bytes(join({headerSaying("TALB", 5000), textBody("Album")}))
        .text("TPE1", "Artist");
    add("a frame whose size runs past the tag", oversized.build(), "Title", "TALB");

    // Writers that shrink a tag in place leave old bytes in the padding: neither garbage
    // behind the last frame nor an old frame behind zero padding is a frame of the tag.
    Id3v2Builder garbage(3);
    garbage.text("TIT2", "Title").text("TPE1", "Artist");
    usualFrames(garbage, "(17)Rock")
        .bytes({0xAB, 0xCD, 0xEF, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 7});
    add("garbage behind the last frame", garbage.build());

    Id3v2Builder stale(3);
    stale.text("TPE1", "Artist").bytes(Bytes(20, 0)).text("TIT2", "Old title");
    add("an old frame behind the padding", stale.build(), "");

    Bytes cutOff = Id3v2Builder(3)
                       .text("TIT2", "Title")
                       .text("TPE1", "Artist")
                       .text("TALB", "A long album name")
                       .build();
    cutOff.resize(cutOff.size() - 5);  // the tag's end cuts its last frame
    cutOff[9] = static_cast<std::uint8_t>(cutOff.size() - 10);
    add("the last frame cut off by the tag's end", cutOff, "Title", "TALB");

    Id3v2Builder crc(3);
    crc.extendedHeader(true, true).text("TIT2", "Title").text("TPE1", "Artist").padding(100);
    add("an extended header with a CRC", usualFrames(crc, "(17)Rock").build());

    Id3v2Builder encrypted(3);
    encrypted.text("TIT2", "Title")
        .raw("TIT3", {0x80, 9, 8, 7, 6, 5}, 0x0040)
        .raw("APIC", {0x80, 1, 2, 3, 4, 5, 6}, 0x0040)
        .text("TPE1", "Artist");
    add("encrypted frames", usualFrames(encrypted, "(17)Rock").build());

    Id3v2Builder compressed(3);
    compressed.compressed("TIT2", textBody("Title")).text("TPE1", "Artist");
    add("a compressed frame", usualFrames(compressed, "(17)Rock").build());

    Id3v2Builder compressed24(4);
    compressed24.text("TIT2", "Title").text("TPE1", "Artist").compressed("TALB", textBody("Album"));
    add("a compressed frame with its data length (v2.4)", compressed24.build());

    // A writer known in the wild stores v2.4 frame sizes plainly, not synchsafe.
    const std::string longTitle = "Long " + std::string(300, 'x');
    auto withSizes = [&](bool plain) {
        Id3v2Builder tag(4);
        tag.plainFrameSizes(plain).text("TIT2", longTitle).text("TPE1", "Artist");
        return usualFrames(tag, "(52)Electronic").build();
    };
    add("v2.4 frame sizes stored plainly", withSizes(true), longTitle);
    tags.back().storedRight = withSizes(false);

    Id3v2Builder v22(2);
    v22.text("TT2", "Title")
        .text("TP1", "Artist")
        .text("TAL", "Album")
        .text("TCO", "(17)Rock")
        .text("TYE", "1999")
        .text("TDA", "1705")
        .text("TIM", "1230")
        .raw("RVA", {0x03, 0x10, 0x12, 0x34, 0x56, 0x78, 0, 0, 0, 0})
        .text("TOA", "Original")
        .comment("eng", "", "Note")
        .userText("", "no description")
        .raw("UFI", bytesOf(std::string_view("owner\0id", 8)));
    add("v2.2 with TDA, TIM and RVA", v22.build());
    tags.back().upgradedIds = {{"TT2", "TIT2"}, {"TP1", "TPE1"}, {"TAL", "TALB"}, {"TCO", "TCON"},
                               {"TYE", "TYER"}, {"TDA", "TDAT"}, {"TIM", "TIME"}, {"RVA", "RVAD"},
                               {"TOA", "TOPE"}, {"COM", "COMM"}, {"TXX", "TXXX"}, {"UFI", "UFID"}};

    Id3v2Builder v22Crm(2);
    v22Crm.text("TT2", "Title")
        .raw("CRM", bytesOf(std::string_view("owner\0explained\0data", 21)))
        .text("TP1", "Artist");
    add("v2.2 with an encrypted meta frame", v22Crm.build(), "Title", "CRM");
    return tags;
}

}  // namespace tw::test
