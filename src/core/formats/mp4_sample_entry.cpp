// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/alac_description.h"

#include <taglib/tfile.h>

#include <cstdint>

namespace tw::core {

namespace {

// The "stsd" box: its header (8), version and flags (4), the entry count (4), then the
// first sample entry: its size (4) and type (4), 28 bytes of audio sample entry, and in it
// the "alac" box, whose body after version and flags is the ALAC configuration.
constexpr unsigned kEntryType = 20;
constexpr unsigned kConfigBox = 52;
constexpr unsigned kConfig = kConfigBox + 12;
constexpr unsigned kConfigSize = 24;

std::optional<FormatStream> parseDescription(const TagLib::ByteVector& stsd) {
    if (stsd.size() < kConfig + kConfigSize || !stsd.containsAt("alac", kEntryType) ||
        !stsd.containsAt("alac", kConfigBox + 4))
        return std::nullopt;
    return FormatStream{
        .codec = "ALAC",
        .sampleRate = static_cast<int>(stsd.toUInt(kConfig + 20)),
        .channels = static_cast<unsigned char>(stsd[kConfig + 9]),
        .bitsPerSample = static_cast<unsigned char>(stsd[kConfig + 5]),
        .bitrate = 0,
        .lengthMs = 0,
    };
}

// A box of the file: where it starts, where its body starts and where it ends.
struct Box {
    long start = 0;
    long body = 0;
    long end = 0;
};

// The first box of `type` among the boxes that lie from `from` to `to`; nothing when there
// is none or a box states a size that does not fit.
std::optional<Box> findBox(TagLib::File& file, long from, long to, const char* type) {
    for (long at = from; to - at >= 8;) {
        file.seek(at);
        const TagLib::ByteVector head = file.readBlock(16);
        if (head.size() < 8)
            return std::nullopt;
        std::uint64_t size = head.toUInt(0U);
        long headSize = 8;
        if (size == 1) {  // a 64-bit size follows the type
            if (head.size() < 16)
                return std::nullopt;
            size = static_cast<std::uint64_t>(head.toLongLong(8U));
            headSize = 16;
        } else if (size == 0) {  // the box runs to the end of its parent
            size = static_cast<std::uint64_t>(to - at);
        }
        if (size < static_cast<std::uint64_t>(headSize) ||
            size > static_cast<std::uint64_t>(to - at))
            return std::nullopt;
        const long end = at + static_cast<long>(size);
        if (head.containsAt(type, 4))
            return Box{at, at + headSize, end};
        at = end;
    }
    return std::nullopt;
}

// The "stsd" box of a track, by way of mdia, minf and stbl.
std::optional<Box> descriptionOf(TagLib::File& file, const Box& trak) {
    std::optional<Box> box = trak;
    for (const char* type : {"mdia", "minf", "stbl", "stsd"})
        if (box)
            box = findBox(file, box->body, box->end, type);
    return box;
}

}  // namespace

std::optional<FormatStream> alacStreamOf(TagLib::File& file) {
    // The boxes are walked here, not through TagLib's atom tree: building that tree a
    // second time costs more than all the rest of reading such a file.
    const std::optional<Box> moov = findBox(file, 0, file.length(), "moov");
    if (!moov)
        return std::nullopt;
    long from = moov->body;
    while (const std::optional<Box> trak = findBox(file, from, moov->end, "trak")) {
        from = trak->end;
        const std::optional<Box> stsd = descriptionOf(file, *trak);
        if (!stsd || stsd->end - stsd->start > 4096)
            continue;
        file.seek(stsd->start);
        if (auto stream = parseDescription(
                file.readBlock(static_cast<unsigned long>(stsd->end - stsd->start))))
            return stream;
    }
    return std::nullopt;
}

}  // namespace tw::core
