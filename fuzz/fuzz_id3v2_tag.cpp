// SPDX-License-Identifier: GPL-2.0-or-later
// An ID3v2 tag from any bytes, through the program's tag access: the walk over its frames,
// parsing by TagLib from memory, reading the fields and lyrics, editing the frames and
// rendering them again. Reading the fields straight from the bytes must give what TagLib's
// parse gives, whenever it reads the tag at all.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/byte_window.h"
#include "core/id3v2_field_texts.h"
#include "core/id3v2_fields.h"
#include "core/id3v2_frame_walk.h"
#include "core/id3v2_header.h"
#include "core/id3v2_tag.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto header = tw::core::Id3v2Header::parse(bytes);
    if (!header)
        return 0;
    (void)tw::core::walkId3v2Frames(*header, bytes);

    tw::core::ByteWindow window;
    window.reset(bytes);
    tw::core::FieldFrameTexts direct;
    std::vector<tw::core::PictureInfo> pictures;
    if (tw::core::readFieldTexts(*header, window, size, direct, pictures)) {
        const tw::core::Id3v2Tag parsed(*header, bytes, tw::core::kReadFrameIds);
        if (!(direct == tw::core::fieldFrameTexts(parsed.tag())) || pictures != parsed.pictures())
            std::abort();
    }

    tw::core::Id3v2Tag tag(*header, bytes);
    tw::core::TagV2Fields fields;
    tw::core::LyricsTag lyrics;
    tw::core::readId3v2Fields(tag.tag(), fields, lyrics);
    (void)tag.render();

    fields.title += "x";
    fields.genre = 17;
    fields.trackTotal += 1;
    tw::core::writeId3v2Fields(tag, fields);
    tw::core::writeId3v2Lyrics(tag, lyrics.text.empty() ? "words" : "");
    (void)tag.render();
    return 0;
}
