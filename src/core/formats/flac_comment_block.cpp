// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/flac_comment_block.h"

#include "core/formats/format_layout.h"

namespace tw::core {

namespace {

constexpr std::uint64_t kMostBlockLength = (1u << 24) - 1;
// As much padding as TagLib gives a head that outgrew its old one.
constexpr std::uint64_t kFreshPadding = 4096;
constexpr std::uint8_t kLastBlockFlag = 0x80;

TagLib::ByteVector blockHeader(std::uint8_t type, bool last, std::uint64_t length) {
    TagLib::ByteVector header = TagLib::ByteVector::fromUInt(static_cast<unsigned int>(length));
    header[0] = static_cast<char>(type | (last ? kLastBlockFlag : 0));
    return header;
}

}  // namespace

std::optional<TagLib::ByteVector> fileFlacComment(OverlayStream& stream) {
    const ByteReader read = stream.originalReader();
    std::optional<FlacBlock> found;
    const auto visit = [&found](const FlacBlock& block) {
        if (block.type == kFlacVorbisComment && !found)
            found = block;
    };
    if (!forEachFlacBlock(read, stream.originalSize(), visit))
        return std::nullopt;
    if (!found)
        return TagLib::ByteVector();
    TagLib::ByteVector data(found->length, '\0');
    if (!read(found->header + 4,
              std::span(reinterpret_cast<std::uint8_t*>(data.data()), data.size())))
        return std::nullopt;
    return data;
}

bool putFlacComment(OverlayStream& stream, const TagLib::ByteVector& comment) {
    const ByteReader read = stream.resultReader();
    std::optional<FlacBlock> commentBlock;
    FlacBlock last;
    const auto visit = [&commentBlock, &last](const FlacBlock& block) {
        if (block.type == kFlacVorbisComment && !commentBlock)
            commentBlock = block;
        last = block;
    };
    if (!forEachFlacBlock(read, stream.size(), visit) || !commentBlock ||
        comment.size() > kMostBlockLength)
        return false;
    // The padding first: it lies behind the comment, which then keeps its offset.
    const bool commentIsLast = last.header == commentBlock->header;
    if (!commentIsLast && last.type == kFlacPadding) {
        const std::uint64_t room = std::uint64_t{last.length} + commentBlock->length;
        const std::uint64_t padding =
            room >= comment.size() && room - comment.size() <= kMostBlockLength
                ? room - comment.size()
                : kFreshPadding;
        TagLib::ByteVector block = blockHeader(kFlacPadding, true, padding);
        block.resize(static_cast<unsigned int>(4 + padding), '\0');
        stream.insert(block, static_cast<unsigned long>(last.header), 4 + last.length);
    }
    stream.insert(blockHeader(kFlacVorbisComment, commentIsLast, comment.size()) + comment,
                  static_cast<unsigned long>(commentBlock->header), 4 + commentBlock->length);
    return true;
}

}  // namespace tw::core
