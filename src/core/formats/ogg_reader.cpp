// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/ogg_reader.h"

#include <taglib/tbytevector.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/formats/bounded_stream.h"

namespace tw::core {

namespace {

// The little-endian number of `bytes` bytes at `offset` of `data`, when they are there.
std::optional<std::uint64_t> littleEndian(std::string_view data, std::size_t offset,
                                          std::size_t bytes) {
    if (data.size() < offset + bytes)
        return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = bytes; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(data[offset + i]);
    return value;
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
std::optional<long long> lastGranuleIn(std::string_view tail) {
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
            return static_cast<long long>(*littleEndian(tail, at + 6, 8));
    }
    return std::nullopt;
}

// The granule position of the last page, from the last bytes of the file: the last 16 KiB
// hold the last page of most files, the last 64 KiB the longest page there is.
std::optional<long long> lastGranule(BoundedStream& stream) {
    constexpr long kLongestPage = 27 + 255 + 255 * 255;
    constexpr long kUsualTail = BoundedStream::kReadAhead;
    stream.seek(std::max(0L, stream.length() - kUsualTail));
    if (auto granule = lastGranuleIn(stream.readView(kUsualTail)))
        return granule;
    if (stream.length() <= kUsualTail)
        return std::nullopt;
    stream.seek(std::max(0L, stream.length() - kLongestPage));
    const TagLib::ByteVector tail = stream.readBlock(kLongestPage);
    return lastGranuleIn({tail.data(), tail.size()});
}

// The header packets of an Ogg stream, and the granule position of its first page.
struct OggHeaders {
    std::vector<std::string> packets;  // as many as asked for, the last ones maybe not read
    long long firstGranule = -1;
    long size = 0;  // of the packets
};

// Puts the first `count` packets of the stream together from its first pages into `out`,
// whose strings keep their room from the last file; false when the pages end, or are no
// Ogg pages, before that. Each page moves on by at least its header, and the stream's
// budget ends a run through a long damaged file.
bool readHeaders(BoundedStream& stream, std::size_t count, OggHeaders& out) {
    constexpr std::size_t kHeader = 27;
    out.packets.resize(count);
    for (std::string& packet : out.packets)
        packet.clear();
    out.size = 0;
    std::size_t done = 0;
    std::array<unsigned char, 255> table{};
    for (long offset = 0;;) {
        // A view lasts until the next read: what is needed of it is taken at once.
        stream.seek(offset);
        const std::string_view header = stream.readView(kHeader);
        if (header.size() < kHeader || !header.starts_with("OggS") || header[4] != 0)
            return false;
        if (offset == 0)
            out.firstGranule = static_cast<long long>(*littleEndian(header, 6, 8));
        const std::size_t segments = static_cast<unsigned char>(header[26]);
        const std::string_view lacing = stream.readView(segments);
        if (lacing.size() < segments)
            return false;
        std::copy(lacing.begin(), lacing.end(), table.begin());
        std::size_t bodySize = 0;
        for (std::size_t i = 0; i < segments; ++i)
            bodySize += table[i];
        TagLib::ByteVector longBody;  // a body longer than a view can be
        std::string_view body;
        if (bodySize <= BoundedStream::kReadAhead) {
            body = stream.readView(bodySize);
        } else {
            longBody = stream.readBlock(bodySize);
            body = {longBody.data(), longBody.size()};
        }
        if (body.size() < bodySize)
            return false;
        // The segments up to one shorter than 255 bytes end a packet; the rest of the page
        // goes on in the next one.
        for (std::size_t i = 0, at = 0; i < segments;) {
            std::size_t run = 0;
            while (i < segments && table[i] == 255)
                run += table[i++];
            const bool ends = i < segments;
            if (ends)
                run += table[i++];
            out.packets[done].append(body.substr(at, run));
            at += run;
            if (!ends)
                break;
            out.size += static_cast<long>(out.packets[done].size());
            if (++done == count)
                return true;
        }
        offset += static_cast<long>(kHeader + segments + bodySize);
    }
}

// The play time and bitrate of the samples from the first page to the last, less
// `skipped`, at `rate` Hz, behind the header packets. False when the last 64 KiB hold no
// page header: the end of the file is damaged.
bool setLengthFromGranules(BoundedStream& stream, const OggHeaders& headers, long long skipped,
                           int rate, FormatStream& out) {
    const std::optional<long long> last = lastGranule(stream);
    if (!last)
        return false;
    if (headers.firstGranule >= 0 && *last >= 0)
        setLength(out, *last - headers.firstGranule - skipped, rate,
                  stream.length() - headers.size);
    return true;
}

bool readVorbis(BoundedStream& stream, const OggHeaders& headers, OggListing& out) {
    const std::string_view identification = headers.packets[0];
    const auto channels = littleEndian(identification, 11, 1);
    const auto rate = littleEndian(identification, 12, 4);
    const auto nominal = littleEndian(identification, 20, 4);
    if (!identification.starts_with("\x01vorbis") || !channels || !rate || !nominal)
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

bool readOpus(BoundedStream& stream, const OggHeaders& headers, OggListing& out) {
    const std::string_view identification = headers.packets[0];
    const auto channels = littleEndian(identification, 9, 1);
    const auto preSkip = littleEndian(identification, 10, 2);
    if (!identification.starts_with("OpusHead") || !channels || !preSkip)
        return false;
    out.stream.codec = "Opus";
    out.stream.channels = static_cast<int>(*channels);
    out.stream.sampleRate = 48000;  // what Opus decodes to, whatever its source had
    return setLengthFromGranules(stream, headers, *preSkip, 48000, out.stream);
}

// The listing from the pages, their header packets put together in `headers`.
std::optional<OggListing> listFrom(BoundedStream& stream, bool opus, OggHeaders& headers) {
    // Vorbis has a setup packet behind its comment, which counts as header too.
    if (!readHeaders(stream, opus ? 2 : 3, headers))
        return std::nullopt;
    const std::string_view comment = headers.packets[1];
    const std::string_view magic = opus ? std::string_view("OpusTags") : "\x03vorbis";
    if (!comment.starts_with(magic))
        return std::nullopt;
    OggListing out;
    const bool read = opus ? readOpus(stream, headers, out) : readVorbis(stream, headers, out);
    if (!read || !readCommentListing(comment.substr(magic.size()), out.comment))
        return std::nullopt;
    return out;
}

}  // namespace

std::optional<OggListing> readOggListing(BoundedStream& stream, bool opus) {
    // A comment with a picture is hundreds of kilobytes; fresh room for it from file to file
    // cost the listing more than reading it did (in faults on new pages), so the room is
    // kept, up to a few pictures' worth.
    constexpr std::size_t kKeptRoom = 4 * 1024 * 1024;
    thread_local OggHeaders headers;
    std::optional<OggListing> listing = listFrom(stream, opus, headers);
    for (std::string& packet : headers.packets)
        if (packet.capacity() > kKeptRoom)
            std::string().swap(packet);
    return listing;
}

}  // namespace tw::core
