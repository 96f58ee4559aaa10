// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/format_result.h"

#include "core/formats/format_layout.h"
#include "core/formats/ogg_head.h"

namespace tw::core {

namespace {

bool unchanged(const OverlayStream::Piece& piece) {
    return piece.fromFile && piece.at == piece.start;
}

}  // namespace

std::optional<HeadChange> headChangeOf(const OverlayStream& result) {
    if (result.pieces().empty())
        return std::nullopt;
    const OverlayStream::Piece& rest = result.pieces().back();
    if (!rest.fromFile || rest.at + rest.length != result.originalSize())
        return std::nullopt;
    return HeadChange{rest.at, rest.start};
}

bool fitHead(AudioFormat format, OverlayStream& result, std::uint64_t wanted) {
    const auto change = headChangeOf(result);
    if (!change || wanted < change->newLength)
        return false;
    std::vector<std::uint8_t> head(static_cast<std::size_t>(change->newLength));
    if (!result.readResult(0, head))
        return false;
    const bool grown = format == AudioFormat::Flac
                           ? growFlacPadding(head, wanted - change->newLength)
                           : growOggHead(head, format, wanted);
    if (!grown)
        return false;
    result.insert(TagLib::ByteVector(reinterpret_cast<const char*>(head.data()),
                                     static_cast<unsigned int>(head.size())),
                  0, static_cast<unsigned long>(change->newLength));
    return !result.exhausted();
}

std::optional<std::vector<ChangedRange>> changedRanges(OverlayStream& result,
                                                       std::uint64_t mostBytes) {
    const auto& pieces = result.pieces();
    if (result.size() != result.originalSize() && (pieces.empty() || unchanged(pieces.back())))
        return std::nullopt;
    std::vector<ChangedRange> ranges;
    std::uint64_t held = 0;
    for (std::size_t i = 0; i < pieces.size();) {
        if (unchanged(pieces[i])) {
            ++i;
            continue;
        }
        ChangedRange range;
        range.offset = pieces[i].start;
        std::uint64_t end = range.offset;
        for (; i < pieces.size() && !unchanged(pieces[i]); ++i)
            end += pieces[i].length;
        const std::uint64_t oldEnd = i == pieces.size() ? result.originalSize() : end;
        if (oldEnd < range.offset)
            return std::nullopt;
        held += (oldEnd - range.offset) + (end - range.offset);
        if (held > mostBytes)
            return std::nullopt;
        range.oldBytes.resize(static_cast<std::size_t>(oldEnd - range.offset));
        range.newBytes.resize(static_cast<std::size_t>(end - range.offset));
        if (!result.readOriginal(range.offset, range.oldBytes) ||
            !result.readResult(range.offset, range.newBytes))
            return std::nullopt;
        ranges.push_back(std::move(range));
    }
    return ranges;
}

}  // namespace tw::core
