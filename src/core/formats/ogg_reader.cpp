// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/ogg_reader.h"

#include <taglib/tiostream.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tw::core {

namespace {

// The little-endian number of `bytes` bytes at `offset` of `data`, when they are there.
std::optional<std::uint32_t> littleEndian(const TagLib::ByteVector& data, unsigned offset,
                                          unsigned bytes) {
    if (data.size() < offset + bytes)
        return std::nullopt;
    std::uint32_t value = 0;
    for (unsigned i = bytes; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(data[offset + i]);
    return value;
}

// A reader of the fields of a comment packet that checks every length against the packet.
class CommentCursor {
public:
    CommentCursor(const TagLib::ByteVector& packet, unsigned offset)
        : packet_(packet), offset_(offset) {}

    std::optional<std::uint32_t> number() {
        const auto value = littleEndian(packet_, offset_, 4);
        offset_ += 4;
        return value;
    }
    // The next `length` bytes, when the packet holds them.
    std::optional<std::string_view> bytes(std::uint32_t length) {
        if (offset_ > packet_.size() || length > packet_.size() - offset_)
            return std::nullopt;
        const std::string_view out(packet_.data() + offset_, length);
        offset_ += length;
        return out;
    }

private:
    const TagLib::ByteVector& packet_;
    unsigned offset_;
};

// The big-endian number at `offset` of the decoded head of a picture block.
std::optional<std::uint32_t> bigEndian(const TagLib::ByteVector& data, unsigned offset) {
    if (data.size() < offset + 4)
        return std::nullopt;
    return data.toUInt(offset);
}

// How many bytes base64 `text` decodes to.
std::size_t decodedSize(std::string_view text) {
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=')
        ++padding;
    return text.size() / 4 * 3 - std::min(text.size() / 4 * 3, padding);
}

// The head of a FLAC picture block from the first base64 characters of `text`, enough of
// them for `bytes` bytes.
TagLib::ByteVector decodedHead(std::string_view text, std::size_t bytes) {
    const std::size_t characters = std::min(text.size(), (bytes + 2) / 3 * 4);
    return TagLib::ByteVector::fromBase64(
        TagLib::ByteVector(text.data(), static_cast<unsigned>(characters)));
}

// What a base64 picture block describes: type, MIME type, description, image size. Only
// as much of the text is decoded as the head of the block needs.
std::optional<PictureInfo> pictureOf(std::string_view text) {
    // Type, the MIME type and the description with their lengths, width, height, depth,
    // colours, the image's length.
    constexpr std::size_t kFixed = 4 * 8;
    TagLib::ByteVector head = decodedHead(text, 512);
    const auto mimeLength = bigEndian(head, 4);
    if (!mimeLength || *mimeLength > text.size())
        return std::nullopt;
    const std::size_t descriptionAt = 8 + std::size_t{*mimeLength};
    if (head.size() < descriptionAt + 4)
        head = decodedHead(text, descriptionAt + 4);
    const auto descriptionLength = bigEndian(head, static_cast<unsigned>(descriptionAt));
    if (!descriptionLength || *descriptionLength > text.size())
        return std::nullopt;
    const std::size_t headSize = kFixed + *mimeLength + *descriptionLength;
    if (head.size() < headSize)
        head = decodedHead(text, headSize);
    if (head.size() < headSize)
        return std::nullopt;
    const std::uint32_t dataLength = head.toUInt(static_cast<unsigned>(headSize - 4));
    // The image must lie within the block, as TagLib requires.
    if (dataLength > decodedSize(text) - std::min(decodedSize(text), headSize))
        return std::nullopt;
    return PictureInfo{
        .type = static_cast<int>(head.toUInt(0U)),
        .mime = std::string(head.data() + 8, *mimeLength),
        .description = std::string(head.data() + descriptionAt + 4, *descriptionLength),
        .byteSize = dataLength};
}

// The fields and pictures of a comment packet, behind its `magic` bytes.
bool readComment(const TagLib::ByteVector& packet, unsigned magic, OggListing& out) {
    CommentCursor cursor(packet, magic);
    const auto vendorLength = cursor.number();
    if (!vendorLength || !cursor.bytes(*vendorLength))
        return false;
    const auto count = cursor.number();
    if (!count)
        return false;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto length = cursor.number();
        const auto entry = length ? cursor.bytes(*length) : std::nullopt;
        if (!entry)
            return false;
        const std::size_t separator = entry->find('=');
        if (separator == std::string_view::npos || separator == 0)
            continue;
        const std::string_view name = entry->substr(0, separator);
        if (!std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c <= 0x7d; }))
            continue;  // not a field name, which TagLib leaves out too
        const TagLib::String key = TagLib::String(std::string(name)).upper();
        const std::string_view value = entry->substr(separator + 1);
        if (key == "METADATA_BLOCK_PICTURE") {
            if (auto picture = pictureOf(value))
                out.pictures.push_back(std::move(*picture));
        } else if (key == "COVERART") {
            // The older form: the image alone, of no stated type.
            out.pictures.push_back(
                {.type = 0, .mime = "image/", .description = {}, .byteSize = decodedSize(value)});
        } else {
            out.properties[key].append(TagLib::String(std::string(value), TagLib::String::UTF8));
        }
    }
    return true;
}

// The play time in milliseconds of `samples` samples at `rate` Hz, and the average bitrate
// of the bytes behind the header packets over it, as TagLib's Vorbis and Opus classes give
// them.
void setLength(FormatStream& stream, long long samples, int rate, long audioBytes) {
    if (samples <= 0 || rate <= 0)
        return;
    const double milliseconds = static_cast<double>(samples) * 1000.0 / rate;
    stream.lengthMs = static_cast<std::int64_t>(milliseconds + 0.5);
    stream.bitrate = static_cast<int>(static_cast<double>(audioBytes) * 8.0 / milliseconds + 0.5);
}

// The last 'O' in the first `size` bytes at `bytes`, or null.
const char* lastO(const char* bytes, std::size_t size) {
#ifdef __GLIBC__
    return static_cast<const char*>(::memrchr(bytes, 'O', size));  // vectorised
#else
    for (const char* at = bytes + size; at != bytes;)
        if (*--at == 'O')
            return at;
    return nullptr;
#endif
}

// The granule position of the page header nearest the end of `tail`, searched backwards:
// the last page is usually a few kilobytes from the end.
std::optional<long long> lastGranuleIn(const TagLib::ByteVector& tail) {
    constexpr std::size_t kHeader = 27;
    const char* const begin = tail.data();
    const std::size_t size = tail.size();
    for (std::size_t end = size >= 3 ? size - 3 : 0; end > 0;) {
        const char* found = lastO(begin, end);
        if (!found)
            break;
        const auto at = static_cast<std::size_t>(found - begin);
        end = at;
        // A page header: version 0, and its segment table within the file.
        if (std::memcmp(found, "OggS", 4) == 0 && size >= at + kHeader && begin[at + 4] == 0 &&
            size >= at + kHeader + static_cast<unsigned char>(begin[at + 26]))
            return tail.toLongLong(static_cast<unsigned>(at + 6), false);
    }
    return std::nullopt;
}

// The granule position of the last page, from the last bytes of the file: the last 16 KiB
// hold the last page of most files, the last 64 KiB the longest page there is.
std::optional<long long> lastGranule(TagLib::IOStream& stream) {
    constexpr long kLongestPage = 27 + 255 + 255 * 255;
    for (long tail : {16L * 1024, kLongestPage}) {
        const long start = std::max(0L, stream.length() - tail);
        stream.seek(start);
        if (auto granule = lastGranuleIn(stream.readBlock(static_cast<unsigned long>(tail))))
            return granule;
        if (start == 0)
            break;
    }
    return std::nullopt;
}

// The header packets of an Ogg stream, and the granule position of its first page.
struct OggHeaders {
    std::vector<TagLib::ByteVector> packets;
    long long firstGranule = -1;
    long size = 0;  // of the packets
};

// The first `count` packets of the stream, put together from its first pages; nothing when
// the pages end, or are no Ogg pages, before that. Each page moves on by at least its
// header, and the stream's budget ends a run through a long damaged file.
std::optional<OggHeaders> readHeaders(TagLib::IOStream& stream, std::size_t count) {
    constexpr unsigned kHeader = 27;
    OggHeaders out;
    std::string packet;
    for (long offset = 0;;) {
        stream.seek(offset);
        const TagLib::ByteVector header = stream.readBlock(kHeader);
        if (header.size() < kHeader || !header.startsWith("OggS") || header[4] != 0)
            return std::nullopt;
        if (offset == 0)
            out.firstGranule = header.toLongLong(6U, false);
        const unsigned segments = static_cast<unsigned char>(header[26]);
        const TagLib::ByteVector table = stream.readBlock(segments);
        unsigned bodySize = 0;
        for (char lace : table)
            bodySize += static_cast<unsigned char>(lace);
        const TagLib::ByteVector body = stream.readBlock(bodySize);
        if (table.size() < segments || body.size() < bodySize)
            return std::nullopt;
        unsigned at = 0;
        for (char lace : table) {
            const unsigned size = static_cast<unsigned char>(lace);
            packet.append(body.data() + at, size);
            at += size;
            if (size == 255)  // the packet goes on in the next segment
                continue;
            out.packets.emplace_back(packet.data(), static_cast<unsigned>(packet.size()));
            out.size += static_cast<long>(packet.size());
            packet.clear();
            if (out.packets.size() == count)
                return out;
        }
        offset += static_cast<long>(kHeader + segments + bodySize);
    }
}

// The play time and bitrate of the samples from the first page to the last, less
// `skipped`, at `rate` Hz, behind the header packets. False when the last 64 KiB hold no
// page header: the end of the file is damaged.
bool setLengthFromGranules(TagLib::IOStream& stream, const OggHeaders& headers, long long skipped,
                           int rate, FormatStream& out) {
    const std::optional<long long> last = lastGranule(stream);
    if (!last)
        return false;
    if (headers.firstGranule >= 0 && *last >= 0)
        setLength(out, *last - headers.firstGranule - skipped, rate,
                  stream.length() - headers.size);
    return true;
}

bool readVorbis(TagLib::IOStream& stream, const OggHeaders& headers, OggListing& out) {
    const TagLib::ByteVector& identification = headers.packets[0];
    const auto channels = littleEndian(identification, 11, 1);
    const auto rate = littleEndian(identification, 12, 4);
    const auto nominal = littleEndian(identification, 20, 4);
    if (!identification.startsWith("\x01vorbis") || !channels || !rate || !nominal)
        return false;
    out.stream.codec = "Vorbis";
    out.stream.channels = static_cast<int>(*channels);
    out.stream.sampleRate = static_cast<int>(*rate);
    if (!setLengthFromGranules(stream, headers, 0, out.stream.sampleRate, out.stream))
        return false;
    const auto nominalBitrate = static_cast<std::int32_t>(*nominal);
    if (out.stream.bitrate == 0 && nominalBitrate > 0)
        out.stream.bitrate = nominalBitrate / 1000;
    return true;
}

bool readOpus(TagLib::IOStream& stream, const OggHeaders& headers, OggListing& out) {
    const TagLib::ByteVector& identification = headers.packets[0];
    const auto channels = littleEndian(identification, 9, 1);
    const auto preSkip = littleEndian(identification, 10, 2);
    if (!identification.startsWith("OpusHead") || !channels || !preSkip)
        return false;
    out.stream.codec = "Opus";
    out.stream.channels = static_cast<int>(*channels);
    out.stream.sampleRate = 48000;  // what Opus decodes to, whatever its source had
    return setLengthFromGranules(stream, headers, *preSkip, 48000, out.stream);
}

}  // namespace

std::optional<OggListing> readOggListing(TagLib::IOStream& stream, bool opus) {
    // Vorbis has a setup packet behind its comment, which counts as header too.
    const std::optional<OggHeaders> headers = readHeaders(stream, opus ? 2 : 3);
    if (!headers)
        return std::nullopt;
    const TagLib::ByteVector& comment = headers->packets[1];
    const std::string_view magic = opus ? std::string_view("OpusTags") : "\x03vorbis";
    if (!comment.startsWith(TagLib::ByteVector(magic.data(), static_cast<unsigned>(magic.size()))))
        return std::nullopt;
    OggListing out;
    const bool read = opus ? readOpus(stream, *headers, out) : readVorbis(stream, *headers, out);
    if (!read || !readComment(comment, static_cast<unsigned>(magic.size()), out))
        return std::nullopt;
    return out;
}

}  // namespace tw::core
