// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/mp4_listing.h"

#include <taglib/id3v1genres.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <climits>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/byte_order.h"
#include "core/formats/bounded_stream.h"
#include "core/formats/mp4_sample_entry.h"
#include "core/picture_info.h"

namespace tw::core {

namespace {

// Beyond these a file is left to TagLib's class: no ordinary file comes near them, and
// TagLib reads a box of the track header whole.
constexpr int kDeepest = 64;
constexpr std::size_t kMostBoxes = 20'000;
constexpr std::uint64_t kLargestTrackBox = 64 * 1024;
constexpr std::uint32_t kUtf8Data = 1;

std::uint64_t number(std::string_view bytes, std::size_t at, std::size_t count) {
    return bigEndian(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()) + at, count));
}

bool holdsAt(std::string_view bytes, std::size_t at, std::string_view pattern) {
    return bytes.size() >= at + pattern.size() && bytes.substr(at, pattern.size()) == pattern;
}

// The bytes of `stream` for the walks that take a ByteReader.
ByteReader readerOf(BoundedStream& stream) {
    return [&stream](std::uint64_t at, std::span<std::uint8_t> bytes) {
        stream.seek(static_cast<long>(at));
        const StreamBytes got = readStreamBytes(stream, bytes.size());
        if (got.bytes.size() != bytes.size())
            return false;
        std::copy(got.bytes.begin(), got.bytes.end(), bytes.begin());
        return true;
    };
}

// The box tree as TagLib's MP4 parser builds it, for a file whose every box lies exactly
// within its parent and whose top-level boxes fill the file: there TagLib's tree is this
// one. The boxes in preorder behind a root that stands for the file (index 0), each with
// its parent's index.
class BoxTree {
public:
    explicit BoxTree(BoundedStream& stream)
        : stream_(stream), size_(static_cast<std::uint64_t>(stream.length())) {}

    // False for a file of any other shape.
    bool read() {
        nodes_.push_back({Mp4Box{.start = 0, .payload = 0, .end = size_, .type = {}}, -1});
        return walk(0, size_, 0, 0);
    }

    // The first child named `name` of the box `parent` (-1 for none); -1 for none.
    int child(int parent, std::string_view name) const {
        if (parent < 0)
            return -1;
        for (auto i = static_cast<std::size_t>(parent + 1); i < nodes_.size(); ++i)
            if (nodes_[i].parent == parent && nodes_[i].box.is(name))
                return static_cast<int>(i);
        return -1;
    }
    std::vector<int> children(int parent, std::string_view name = {}) const {
        std::vector<int> out;
        for (auto i = static_cast<std::size_t>(parent + 1); i < nodes_.size(); ++i)
            if (nodes_[i].parent == parent && (name.empty() || nodes_[i].box.is(name)))
                out.push_back(static_cast<int>(i));
        return out;
    }
    const Mp4Box& box(int index) const { return nodes_[static_cast<std::size_t>(index)].box; }
    std::uint64_t size() const { return size_; }
    // The bytes of every "mdat" box, headers included, as TagLib sums them.
    std::uint64_t mediaBytes() const { return mediaBytes_; }

private:
    struct Node {
        Mp4Box box;
        int parent = -1;
    };

    bool walk(std::uint64_t at, std::uint64_t end, int parent, int depth) {
        while (at < end) {
            if (end - at < 8 || nodes_.size() >= kMostBoxes)
                return false;
            stream_.seek(static_cast<long>(at));
            const std::string_view head = stream_.readView(std::min<std::uint64_t>(16, end - at));
            if (head.size() < 8)
                return false;
            Mp4Box box{.start = at, .payload = at + 8, .end = 0, .type = {}};
            std::copy_n(head.begin() + 4, 4, box.type.begin());
            std::uint64_t length = number(head, 0, 4);
            if (length == 1) {
                if (head.size() < 16)
                    return false;
                length = number(head, 8, 8);
                box.payload = at + 16;
            } else if (length == 0) {
                length = size_ - at;
            }
            if (length < box.payload - at || length > end - at)
                return false;
            box.end = at + length;
            const auto index = static_cast<int>(nodes_.size());
            nodes_.push_back({box, parent});
            const std::string_view name(box.type.data(), 4);
            if (name == "mdat")
                mediaBytes_ += length;
            if (isMp4Container(name)) {
                std::uint64_t children = box.payload;
                if (name == "meta")
                    children += mp4MetaIsFullBox(readerOf(stream_), size_, children) ? 4 : 0;
                else if (name == "stsd")
                    children += 8;
                if (children > box.end || depth >= kDeepest ||
                    !walk(children, box.end, index, depth + 1))
                    return false;
            }
            at = box.end;
        }
        return true;
    }

    BoundedStream& stream_;
    std::uint64_t size_;
    std::vector<Node> nodes_;
    std::uint64_t mediaBytes_ = 0;
};

// A box of a track read whole, as TagLib reads it; none when it is too large.
std::optional<StreamBytes> wholeBox(BoundedStream& stream, const Mp4Box& box) {
    const std::uint64_t length = box.end - box.start;
    if (length > kLargestTrackBox)
        return std::nullopt;
    stream.seek(static_cast<long>(box.start));
    StreamBytes bytes = readStreamBytes(stream, static_cast<std::size_t>(length));
    if (bytes.bytes.size() != length)
        return std::nullopt;
    return bytes;
}

// TagLib's bitrate over the media bytes; none where its sum leaves the range of an int.
std::optional<int> mediaBitrate(const BoxTree& tree, int lengthMs) {
    const auto bitrate = static_cast<long long>(tree.mediaBytes() * 8) / lengthMs;
    if (bitrate > INT_MAX)
        return std::nullopt;
    return static_cast<int>(bitrate);
}

// The bitrate TagLib takes from an AAC "esds" box at its fixed place, if there.
bool readAacBitrate(const BoxTree& tree, std::string_view stsd, Mp4Properties& out) {
    if (!holdsAt(stsd, 56, "esds"))
        return true;
    if (stsd.size() <= 64)
        return false;
    if (stsd[64] != 0x03)
        return true;
    std::size_t at = 65 + (holdsAt(stsd, 65, "\x80\x80\x80") ? 3 : 0) + 4;
    if (at >= stsd.size())
        return false;
    if (stsd[at] != 0x04)
        return true;
    at += 1 + (holdsAt(stsd, at + 1, "\x80\x80\x80") ? 3 : 0) + 10;
    if (at + 4 > stsd.size())
        return false;
    const auto value = static_cast<std::uint32_t>(number(stsd, at, 4));
    if (value != 0 || out.lengthMs <= 0) {
        out.bitrate = static_cast<int>(static_cast<std::uint32_t>(value + 500) / 1000.0 + 0.5);
        return true;
    }
    const std::optional<int> bitrate = mediaBitrate(tree, out.lengthMs);
    out.bitrate = bitrate.value_or(0);
    return bitrate.has_value();
}

// What TagLib's MP4 properties read from the sample description `stsd`.
bool readSampleEntry(const BoxTree& tree, std::string_view stsd, Mp4Properties& out) {
    if (holdsAt(stsd, 20, "mp4a")) {
        if (stsd.size() < 50)
            return false;
        out.codec = Mp4Properties::Codec::Aac;
        out.channels = static_cast<std::int16_t>(number(stsd, 40, 2));
        out.bitsPerSample = static_cast<std::int16_t>(number(stsd, 42, 2));
        out.sampleRate = static_cast<int>(number(stsd, 46, 4));
        return readAacBitrate(tree, stsd, out);
    }
    if (holdsAt(stsd, 20, "alac") && stsd.size() == 88 && holdsAt(stsd, 56, "alac")) {
        out.codec = Mp4Properties::Codec::Alac;
        out.bitsPerSample = static_cast<signed char>(stsd[69]);
        out.channels = static_cast<signed char>(stsd[73]);
        out.bitrate = static_cast<int>(static_cast<double>(number(stsd, 80, 4)) / 1000.0 + 0.5);
        out.sampleRate = static_cast<int>(number(stsd, 84, 4));
        if (out.bitrate == 0 && out.lengthMs > 0) {
            const std::optional<int> bitrate = mediaBitrate(tree, out.lengthMs);
            out.bitrate = bitrate.value_or(0);
            return bitrate.has_value();
        }
    }
    return true;
}

// TagLib's audio properties: those of the first track with a sound handler. None where
// TagLib stops short of them, or would read a box partly.
std::optional<Mp4Properties> readProperties(const BoxTree& tree, BoundedStream& stream, int moov) {
    int mdia = -1;
    for (const int trak : tree.children(moov, "trak")) {
        mdia = tree.child(trak, "mdia");
        const int hdlr = tree.child(mdia, "hdlr");
        if (hdlr < 0)
            return std::nullopt;
        const auto handler = wholeBox(stream, tree.box(hdlr));
        if (!handler)
            return std::nullopt;
        if (holdsAt(handler->bytes, 16, "soun"))
            break;
        mdia = -1;
    }
    const int mdhd = tree.child(mdia, "mdhd");
    const int stsd = tree.child(tree.child(tree.child(mdia, "minf"), "stbl"), "stsd");
    if (mdhd < 0 || stsd < 0)
        return std::nullopt;
    const auto header = wholeBox(stream, tree.box(mdhd));
    const std::string_view mdhdBytes = header ? header->bytes : std::string_view();
    const bool wide = mdhdBytes.size() > 8 && mdhdBytes[8] == 1;
    if (mdhdBytes.size() < (wide ? 44u : 32u))
        return std::nullopt;
    const auto unit = static_cast<long long>(number(mdhdBytes, wide ? 28 : 20, 4));
    const auto length = static_cast<long long>(number(mdhdBytes, wide ? 32 : 24, wide ? 8 : 4));
    Mp4Properties out;
    if (unit > 0 && length > 0) {
        const double milliseconds = static_cast<double>(length) * 1000.0 / unit + 0.5;
        if (milliseconds >= INT_MAX)
            return std::nullopt;
        out.lengthMs = static_cast<int>(milliseconds);
    }
    const auto description = wholeBox(stream, tree.box(stsd));
    if (!description || !readSampleEntry(tree, description->bytes, out))
        return std::nullopt;
    return out;
}

// One box inside a tag item: where it starts, its length and name, the number behind them
// (the data type of a "data" box).
struct ItemBox {
    std::uint64_t at = 0;
    std::uint32_t length = 0;
    std::string name;
    std::uint32_t flags = 0;
};
enum class Step { Next, Stop, Unusual };

// Calls `visit` with each box inside a tag item, as TagLib's tag walks them: up to one
// shorter than its head, or where `visit` stops. False where TagLib would read a head only
// partly or a box runs past the item, or where `visit` finds something unusual.
template <typename Visit>
bool forEachItemBox(BoundedStream& stream, const Mp4Box& item, Visit visit) {
    // TagLib takes everything behind the first eight bytes for the boxes.
    const std::uint64_t start = item.start + 8;
    const std::uint64_t size = item.end - start;
    for (std::uint64_t at = 0; at < size;) {
        if (size - at < 12)
            return false;
        stream.seek(static_cast<long>(start + at));
        const std::string_view head = stream.readView(12);
        if (head.size() < 12)
            return false;
        const auto length = static_cast<std::uint32_t>(number(head, 0, 4));
        if (length < 12 || length > INT_MAX)
            return true;
        if (length > size - at)
            return false;
        const Step step = visit(ItemBox{.at = start + at,
                                        .length = length,
                                        .name = std::string(head.substr(4, 4)),
                                        .flags = static_cast<std::uint32_t>(number(head, 8, 4))});
        if (step != Step::Next)
            return step == Step::Stop;
        at += length;
    }
    return true;
}

// The bytes of a box inside an item from `offset` on.
std::string boxBytes(BoundedStream& stream, const ItemBox& box, std::uint32_t offset) {
    stream.seek(static_cast<long>(box.at + offset));
    const StreamBytes bytes = readStreamBytes(stream, box.length - offset);
    return std::string(bytes.bytes);
}

// The first value of an item's "data" boxes of `type` (any, for none), as TagLib collects
// them. False where unusual.
bool firstData(BoundedStream& stream, const Mp4Box& item, std::optional<std::uint32_t> type,
               std::optional<std::string>& first) {
    return forEachItemBox(stream, item, [&](const ItemBox& box) {
        if (box.name != "data")
            return Step::Stop;
        if (box.length < 16)
            return Step::Unusual;
        if (!first && (!type || box.flags == *type))
            first = boxBytes(stream, box, 16);
        return Step::Next;
    });
}

// A freeform item ("----"): its name "----:mean:name" and its first value, where TagLib
// keeps the item; the value only when TagLib reads it as text.
struct FreeForm {
    std::string name;
    std::optional<std::string> text;
    int boxes = 0;
};
bool readFreeForm(BoundedStream& stream, const Mp4Box& item, FreeForm& out) {
    std::uint32_t type = 0;
    std::string value;
    const bool usual = forEachItemBox(stream, item, [&](const ItemBox& box) {
        constexpr std::array<std::string_view, 2> kHeads = {"mean", "name"};
        const auto index = static_cast<std::size_t>(out.boxes);
        if (index < kHeads.size()) {
            if (box.name != kHeads[index])
                return Step::Stop;
            out.name += (index == 0 ? "----:" : ":") + listedText(boxBytes(stream, box, 12));
        } else {
            if (box.name != "data")
                return Step::Stop;
            if (box.length < 16)
                return Step::Unusual;
            if (index == kHeads.size()) {
                type = box.flags;
                if (mp4ItemKey(out.name))
                    value = boxBytes(stream, box, 16);
            }
        }
        ++out.boxes;
        return Step::Next;
    });
    if (usual && out.boxes > 2 && type == kUtf8Data)
        out.text = std::move(value);
    return usual;
}

// The covers of a "covr" item, as TagLib's tag keeps them: the data boxes of an image type.
bool readCovers(BoundedStream& stream, const Mp4Box& item, std::vector<PictureInfo>& out) {
    return forEachItemBox(stream, item, [&](const ItemBox& box) {
        if (box.name != "data")
            return Step::Stop;
        const std::string_view mime = mp4CoverMime(static_cast<int>(box.flags));
        if (mime.empty() && box.flags != 0)
            return Step::Next;
        if (box.length < 16)
            return Step::Unusual;
        out.push_back({.type = kFrontCover,
                       .mime = std::string(mime),
                       .description = {},
                       .byteSize = box.length - 16});
        return Step::Next;
    });
}

// The values TagLib's tag gives the record's keys, the first item of a name kept, and its
// covers. False where TagLib would read an item otherwise than here.
bool readItems(const BoxTree& tree, BoundedStream& stream, int moov, CommentListing& out) {
    const int ilst = tree.child(tree.child(tree.child(moov, "udta"), "meta"), "ilst");
    if (ilst < 0)
        return true;
    const std::vector<int> items = tree.children(ilst);
    std::uint64_t bytes = 0;  // what TagLib reads of them: all, whole
    for (const int index : items)
        bytes += tree.box(index).end - tree.box(index).start;
    if (bytes > BoundedStream::kByteBudget / 2)
        return false;

    std::bitset<kFieldKeyCount> kept;
    const auto keep = [&](FieldKey key, const std::optional<std::string>& text) {
        if (!kept[static_cast<std::size_t>(key)] && text) {
            kept[static_cast<std::size_t>(key)] = true;
            out.values.offer(key, listedText(*text));
        }
    };
    bool coversKept = false;
    for (const int index : items) {
        const Mp4Box& item = tree.box(index);
        const std::string_view name(item.type.data(), 4);
        if (name == "----") {
            FreeForm freeForm;
            if (!readFreeForm(stream, item, freeForm))
                return false;
            // TagLib keeps such an item of any data type, with a text only of a text type.
            if (const auto key = mp4ItemKey(freeForm.name); key && freeForm.boxes > 2) {
                if (freeForm.text)
                    keep(*key, freeForm.text);
                else
                    kept[static_cast<std::size_t>(*key)] = true;
            }
        } else if (name == "covr") {
            std::vector<PictureInfo> covers;
            if (!readCovers(stream, item, covers))
                return false;
            if (!coversKept && !covers.empty()) {
                coversKept = true;
                out.pictures = std::move(covers);
            }
        } else if (name == "gnre" || name == "trkn") {
            std::optional<std::string> data;
            const std::size_t needed = name == "gnre" ? 2 : 6;
            if (!firstData(stream, item, std::nullopt, data) || (data && data->size() < needed))
                return false;
            if (!data)
                continue;
            const auto at = [&data](std::size_t offset) {
                return static_cast<std::int16_t>(number(*data, offset, 2));
            };
            if (name == "trkn")
                keep(FieldKey::TrackNumber, mp4TrackText(at(2), at(4)));
            else if (at(0) > 0)
                keep(FieldKey::Genre, TagLib::ID3v1::genre(at(0) - 1).to8Bit(true));
        } else if (const auto key = mp4ItemKey(name)) {
            std::optional<std::string> text;
            if (!firstData(stream, item, kUtf8Data, text))
                return false;
            keep(*key, text);
        }
    }
    return true;
}

}  // namespace

std::optional<Mp4Listing> readMp4Listing(BoundedStream& stream) {
    BoxTree tree(stream);
    if (!tree.read())
        return std::nullopt;
    const int moov = tree.child(0, "moov");
    if (moov < 0)
        return std::nullopt;
    const std::optional<Mp4Properties> properties = readProperties(tree, stream, moov);
    Mp4Listing out;
    if (!properties || !readItems(tree, stream, moov, out.tag))
        return std::nullopt;
    out.stream = mp4StreamOf(*properties, mp4SampleEntryOf(readerOf(stream), tree.size()),
                             static_cast<long>(tree.size()));
    return out;
}

std::string_view mp4CoverMime(int format) {
    switch (format) {
        case 13:
            return "image/jpeg";
        case 14:
            return "image/png";
        case 12:
            return "image/gif";
        case 27:
            return "image/bmp";
        default:
            return "";
    }
}

}  // namespace tw::core
