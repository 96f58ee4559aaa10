// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/flac_listing.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/formats/bounded_stream.h"

namespace tw::core {

namespace {

constexpr std::uint8_t kStreamInfo = 0;
constexpr std::uint8_t kPadding = 1;
constexpr std::uint8_t kSeekTable = 3;
constexpr std::uint8_t kVorbisComment = 4;
constexpr std::uint8_t kPicture = 6;

std::uint32_t bigEndian(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The stream facts of a STREAMINFO block, with the bitrate of `audioBytes` bytes over its
// play time; none where TagLib's sums would leave the range of their numbers.
std::optional<FormatStream> streamOf(std::string_view info, long audioBytes) {
    const std::uint32_t flags = bigEndian(info, 10, 4);
    const std::uint64_t samples = std::uint64_t{flags & 0xF} << 32 | bigEndian(info, 14, 4);
    FormatStream out{.codec = "FLAC",
                     .sampleRate = static_cast<int>(flags >> 12),
                     .channels = static_cast<int>((flags >> 9 & 7) + 1),
                     .bitsPerSample = static_cast<int>((flags >> 4 & 31) + 1),
                     .bitrate = 0,
                     .lengthMs = 0};
    if (samples > 0 && out.sampleRate > 0) {
        const double milliseconds = static_cast<double>(samples) * 1000.0 / out.sampleRate;
        const double bitrate = static_cast<double>(audioBytes) * 8.0 / milliseconds;
        if (milliseconds + 0.5 >= INT_MAX || bitrate + 0.5 >= INT_MAX)
            return std::nullopt;
        out.lengthMs = static_cast<int>(milliseconds + 0.5);
        out.bitrate = static_cast<int>(bitrate + 0.5);
    }
    return out;
}

// What a PICTURE block of `length` bytes describes, from its head: nothing for a block
// TagLib leaves out. False when its lengths are beyond the block, where TagLib's checks
// wrap around.
bool readPicture(BoundedStream& stream, std::uint32_t length, CommentListing& out) {
    // Type, the MIME type's length; the description's; the sizes and the image's length.
    constexpr std::size_t kFixed = 32;
    if (length < kFixed)
        return true;
    const StreamBytes head = readStreamBytes(stream, std::min<std::size_t>(length, 4096));
    if (head.bytes.size() < kFixed)
        return false;
    const std::uint32_t mimeLength = bigEndian(head.bytes, 4, 4);
    if (mimeLength > length)
        return false;
    if (8 + std::size_t{mimeLength} + 24 > length)
        return true;
    if (head.bytes.size() < 8 + std::size_t{mimeLength} + 4)
        return false;  // a long MIME type: TagLib's class reads it
    const std::uint32_t descriptionLength = bigEndian(head.bytes, 8 + mimeLength, 4);
    const std::size_t descriptionAt = 12 + std::size_t{mimeLength};
    if (descriptionLength > length)
        return false;
    if (descriptionAt + descriptionLength + 20 > length)
        return true;
    const std::size_t dataLengthAt = descriptionAt + descriptionLength + 16;
    if (head.bytes.size() < dataLengthAt + 4)
        return false;
    const std::uint32_t dataLength = bigEndian(head.bytes, dataLengthAt, 4);
    if (dataLength > length)
        return false;
    if (dataLengthAt + 4 + dataLength > length)
        return true;
    out.pictures.push_back(
        {.type = static_cast<int>(bigEndian(head.bytes, 0, 4)),
         .mime = listedText(head.bytes.substr(8, mimeLength)),
         .description = listedText(head.bytes.substr(descriptionAt, descriptionLength)),
         .byteSize = dataLength});
    return true;
}

}  // namespace

std::optional<FlacListing> readFlacListing(BoundedStream& stream) {
    const long size = stream.length();
    // An ID3v1 tag ends the audio early, a short file may hold no block: TagLib's class
    // reads those.
    if (size < 131)
        return std::nullopt;
    stream.seek(size - 131);
    const std::string_view tail = stream.readView(8);
    if (tail.size() < 8 || (tail.substr(3, 3) == "TAG" && tail != "APETAGEX"))
        return std::nullopt;
    stream.seek(0);
    if (stream.readView(4) != "fLaC")
        return std::nullopt;

    FlacListing out;
    std::string infoData;  // kept: a view lasts until the next read
    bool hasComment = false;
    std::vector<PictureInfo> commentPictures;
    std::uint64_t blockBytes = 0;  // what TagLib's class would read of them
    long at = 4;
    for (bool last = false; !last;) {
        stream.seek(at);
        const std::string_view header = stream.readView(4);
        if (header.size() < 4)
            return std::nullopt;
        const auto type = static_cast<std::uint8_t>(header[0] & 0x7F);
        last = (header[0] & 0x80) != 0;
        const std::uint32_t length = bigEndian(header, 1, 3);
        const bool first = at == 4;
        if ((first && type != kStreamInfo) ||
            (length == 0 && type != kPadding && type != kSeekTable) ||
            static_cast<std::uint64_t>(size - at - 4) < length)
            return std::nullopt;  // refused by TagLib's class
        blockBytes += length;
        if (blockBytes > BoundedStream::kByteBudget / 2)
            return std::nullopt;  // a budget TagLib's class might run out of
        if (first) {
            const StreamBytes data = readStreamBytes(stream, length);
            if (data.bytes.size() < 18)
                return std::nullopt;
            infoData = data.bytes;
        } else if (type == kVorbisComment && !hasComment) {
            hasComment = true;
            const StreamBytes data = readStreamBytes(stream, length);
            CommentListing comment;
            if (data.bytes.size() < length || !readCommentListing(data.bytes, comment))
                return std::nullopt;  // TagLib's class keeps what it read of it
            out.comment.values = std::move(comment.values);
            commentPictures = std::move(comment.pictures);
        } else if (type == kPicture) {
            if (!readPicture(stream, length, out.comment))
                return std::nullopt;
        }
        at += 4 + static_cast<long>(length);
    }
    std::optional<FormatStream> info = streamOf(infoData, size - at);
    if (!info)
        return std::nullopt;
    out.stream = std::move(*info);
    for (PictureInfo& picture : commentPictures)
        out.comment.pictures.push_back(std::move(picture));
    return out;
}

}  // namespace tw::core
