// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/format_layout.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string_view>

#include "core/byte_order.h"

namespace tw::core {

namespace {

// The box at `start`, which must end by `end`; none when its header cannot be read or it
// runs past `end`.
template <typename At>
std::optional<Mp4Box> boxAt(At at, std::uint64_t start, std::uint64_t end) {
    std::array<std::uint8_t, 16> head{};
    if (start >= end || end - start < 8 || !at(start, std::span(head).first(8)))
        return std::nullopt;
    Mp4Box box{.start = start, .payload = start + 8, .end = 0, .type = {}};
    std::copy(head.begin() + 4, head.begin() + 8, box.type.begin());
    std::uint64_t length = bigEndian(std::span(head).first(4));
    if (length == 1) {
        if (end - start < 16 || !at(start + 8, std::span(head).subspan(8, 8)))
            return std::nullopt;
        length = bigEndian(std::span(head).subspan(8, 8));
        box.payload = start + 16;
    } else if (length == 0) {
        length = end - start;  // up to the end
    }
    if (length < box.payload - start || length > end - start)
        return std::nullopt;
    box.end = start + length;
    return box;
}

// The boxes between `start` and `end` of bytes `at` gives; none when one runs past `end`.
template <typename At>
std::optional<std::vector<Mp4Box>> boxesIn(At at, std::uint64_t start, std::uint64_t end) {
    std::vector<Mp4Box> boxes;
    while (start < end) {
        const auto box = boxAt(at, start, end);
        if (!box)
            return std::nullopt;
        boxes.push_back(*box);
        start = box->end;
    }
    return boxes;
}

// The chunk offsets of the sample tables under the box `container` of `moov`.
bool addChunkOffsets(std::span<const std::uint8_t> moov, std::uint64_t start, std::uint64_t end,
                     std::vector<std::uint64_t>& out) {
    const ByteReader at = readerOf(moov);
    const auto boxes = boxesIn(at, start, end);
    if (!boxes)
        return false;
    for (const Mp4Box& box : *boxes) {
        if (box.is("trak") || box.is("mdia") || box.is("minf") || box.is("stbl")) {
            if (!addChunkOffsets(moov, box.payload, box.end, out))
                return false;
        } else if (box.is("stco") || box.is("co64")) {
            const std::uint64_t width = box.is("stco") ? 4 : 8;
            if (box.end - box.payload < 8)
                return false;
            const std::uint64_t count = bigEndian(moov.subspan(box.payload + 4, 4));
            if (count > (box.end - box.payload - 8) / width)
                return false;
            for (std::uint64_t i = 0; i < count; ++i)
                out.push_back(bigEndian(moov.subspan(box.payload + 8 + i * width, width)));
        }
    }
    return true;
}

// The walk of TagLib's MP4 parser, kept to what decides where it finds chunk offset tables.
class TaglibBoxWalk {
public:
    TaglibBoxWalk(const ByteReader& read, std::uint64_t size) : read_(read), size_(size) {}

    // The top-level boxes up to the first "moov", and its children; false when a table
    // found there does not hold what it claims, or the boxes nest deeper than anyone writes.
    bool tablesFit() {
        std::uint64_t at = 0;
        while (at + 8 <= size_) {
            const auto box = walk(at, 0, false, false);
            if (!box)
                return false;
            if (box->moov || box->length == 0)
                return true;
            at = box->next;
        }
        return true;
    }

private:
    static constexpr int kDeepest = 64;

    struct Walked {
        std::uint64_t length = 0;  // 0 for a box TagLib gave up on
        std::uint64_t next = 0;    // where TagLib reads on
        bool moov = false;
    };

    std::optional<Walked> walk(std::uint64_t at, int depth, bool underMoov, bool inItems) {
        if (depth > kDeepest)
            return std::nullopt;
        std::array<std::uint8_t, 8> head{};
        if (at + 8 > size_ || !read_(at, head))
            return Walked{.length = 0, .next = size_, .moov = false};
        std::uint64_t length = bigEndian(std::span(head).first(4));
        std::uint64_t childrenAt = at + 8;
        if (length == 0) {
            length = size_ - at;
        } else if (length == 1) {
            std::array<std::uint8_t, 8> wide{};
            if (at + 16 > size_ || !read_(at + 8, wide))
                return std::nullopt;
            length = bigEndian(std::span<const std::uint8_t>(wide));
            childrenAt = at + 16;
        }
        if (length < 8 || length > std::uint64_t{INT64_MAX})
            return Walked{.length = 0, .next = size_, .moov = false};
        const std::string_view name(reinterpret_cast<const char*>(head.data()) + 4, 4);
        const std::uint64_t end = at + length;
        // A table inside the item list is no track's, and a save writes the list anew:
        // TagLib would then rewrite, at the table's old place, whatever the new list holds
        // there as if it were the table.
        if (underMoov && (name == "stco" || name == "co64") &&
            (inItems || !tableFits(at, length, name == "stco" ? 4 : 8)))
            return std::nullopt;
        if (!isMp4Container(name))
            return Walked{.length = length, .next = end, .moov = false};
        if (name == "meta")
            childrenAt += mp4MetaIsFullBox(read_, size_, childrenAt) ? 4 : 0;
        else if (name == "stsd")
            childrenAt += 8;
        const bool moov = depth == 0 && name == "moov";
        for (std::uint64_t child = childrenAt; child < end;) {
            const auto walked =
                walk(child, depth + 1, underMoov || moov, inItems || name == "ilst");
            if (!walked)
                return std::nullopt;
            if (walked->length == 0)
                return Walked{.length = length, .next = walked->next, .moov = moov};
            child = walked->next;
        }
        return Walked{.length = length, .next = end, .moov = moov};
    }

    bool tableFits(std::uint64_t at, std::uint64_t length, std::uint64_t width) const {
        std::array<std::uint8_t, 4> count{};
        if (length < 16 || length > size_ - at || !read_(at + 12, count))
            return false;
        return bigEndian(std::span<const std::uint8_t>(count)) <= (length - 16) / width;
    }

    const ByteReader& read_;
    std::uint64_t size_;
};

struct FlacMetadata {
    std::uint64_t lastBlock = 0;  // where the header of the block flagged last is
    std::uint64_t audioStart = 0;
};

std::optional<FlacMetadata> flacMetadata(const ByteReader& read, std::uint64_t size) {
    FlacMetadata metadata;
    const auto audioStart = forEachFlacBlock(
        read, size, [&metadata](const FlacBlock& block) { metadata.lastBlock = block.header; });
    if (!audioStart)
        return std::nullopt;
    metadata.audioStart = *audioStart;
    return metadata;
}

}  // namespace

std::optional<std::uint64_t> forEachFlacBlock(const ByteReader& read, std::uint64_t size,
                                              const std::function<void(const FlacBlock&)>& visit) {
    std::array<std::uint8_t, 10> head{};
    std::uint64_t at = 0;
    if (size >= 10 && read(0, head) && head[0] == 'I' && head[1] == 'D' && head[2] == '3') {
        const std::uint64_t tag = std::uint64_t{head[6] & 0x7Fu} << 21 |
                                  std::uint64_t{head[7] & 0x7Fu} << 14 |
                                  std::uint64_t{head[8] & 0x7Fu} << 7 | (head[9] & 0x7Fu);
        at = 10 + tag + ((head[5] & 0x10) != 0 ? 10 : 0);
    }
    if (at + 4 > size || !read(at, std::span(head).first(4)) ||
        std::string_view(reinterpret_cast<const char*>(head.data()), 4) != "fLaC")
        return std::nullopt;
    at += 4;
    for (bool last = false; !last;) {
        if (at + 4 > size || !read(at, std::span(head).first(4)))
            return std::nullopt;
        last = (head[0] & 0x80) != 0;
        const FlacBlock block{
            .header = at,
            .type = static_cast<std::uint8_t>(head[0] & 0x7F),
            .length = static_cast<std::uint32_t>(bigEndian(std::span(head).subspan(1, 3)))};
        at += 4 + block.length;
        if (at > size)
            return std::nullopt;
        visit(block);
    }
    return at;
}

ByteReader readerOf(std::span<const std::uint8_t> bytes) {
    return [bytes](std::uint64_t at, std::span<std::uint8_t> out) {
        if (at > bytes.size() || out.size() > bytes.size() - at)
            return false;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), out.size(), out.begin());
        return true;
    };
}

std::optional<std::uint64_t> flacAudioStart(const ByteReader& read, std::uint64_t size) {
    const auto metadata = flacMetadata(read, size);
    return metadata ? std::optional(metadata->audioStart) : std::nullopt;
}

bool growFlacPadding(std::vector<std::uint8_t>& head, std::uint64_t extra) {
    const ByteReader read = readerOf(head);
    const auto metadata = flacMetadata(read, head.size());
    if (!metadata || metadata->audioStart != head.size() ||
        (head[metadata->lastBlock] & 0x7F) != kFlacPadding)
        return false;
    const auto block = std::span(head).subspan(static_cast<std::size_t>(metadata->lastBlock), 4);
    const std::uint64_t length = bigEndian(block.subspan(1, 3)) + extra;
    if (length >= (1u << 24))
        return false;
    block[1] = static_cast<std::uint8_t>(length >> 16);
    block[2] = static_cast<std::uint8_t>(length >> 8);
    block[3] = static_cast<std::uint8_t>(length);
    head.resize(head.size() + static_cast<std::size_t>(extra), 0);
    return true;
}

std::optional<Mp4Layout> mp4Layout(const ByteReader& read, std::uint64_t size) {
    const auto top = boxesIn(read, 0, size);
    if (!top)
        return std::nullopt;
    Mp4Layout layout;
    for (const Mp4Box& box : *top) {
        if (box.is("mdat"))
            layout.mediaData.push_back({box.payload, box.end});
        if (!box.is("moov"))
            continue;
        if (box.end - box.start > kMostMoovBytes)
            return std::nullopt;
        std::vector<std::uint8_t> moov(static_cast<std::size_t>(box.end - box.start));
        if (!read(box.start, moov) ||
            !addChunkOffsets(moov, box.payload - box.start, moov.size(), layout.chunkOffsets))
            return std::nullopt;
    }
    return layout;
}

std::optional<Mp4Box> findMp4Box(const ByteReader& read, std::uint64_t start, std::uint64_t end,
                                 std::string_view type) {
    while (const auto box = boxAt(read, start, end)) {
        if (box->is(type))
            return box;
        start = box->end;
    }
    return std::nullopt;
}

bool mp4OffsetTablesFit(const ByteReader& read, std::uint64_t size) {
    return TaglibBoxWalk(read, size).tablesFit();
}

std::optional<std::vector<Mp4Box>> mp4BoxesIn(const ByteReader& read, std::uint64_t start,
                                              std::uint64_t end) {
    return boxesIn(read, start, end);
}

std::optional<Mp4Box> findMp4Ilst(const ByteReader& read, std::uint64_t size) {
    auto box = findMp4Box(read, 0, size, "moov");
    if (box)
        box = findMp4Box(read, box->payload, box->end, "udta");
    if (box)
        box = findMp4Box(read, box->payload, box->end, "meta");
    if (!box)
        return std::nullopt;
    const std::uint64_t children =
        box->payload + (mp4MetaIsFullBox(read, size, box->payload) ? 4 : 0);
    return findMp4Box(read, children, box->end, "ilst");
}

bool isMp4Container(std::string_view name) {
    constexpr std::array<std::string_view, 11> kContainers = {
        "moov", "udta", "mdia", "meta", "ilst", "stbl", "minf", "moof", "traf", "trak", "stsd"};
    return std::find(kContainers.begin(), kContainers.end(), name) != kContainers.end();
}

bool mp4MetaIsFullBox(const ByteReader& read, std::uint64_t size, std::uint64_t at) {
    std::array<std::uint8_t, 8> next{};
    if (at + 8 > size || !read(at, next))
        return true;
    const std::string_view name(reinterpret_cast<const char*>(next.data()) + 4, 4);
    return name != "hdlr" && name != "ilst" && name != "mhdr" && name != "ctry" && name != "lang";
}

}  // namespace tw::core
