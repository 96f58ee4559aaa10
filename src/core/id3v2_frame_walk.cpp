// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v2_frame_walk.h"

#include <taglib/id3v2synchdata.h>

#include <algorithm>
#include <array>
#include <optional>
#include <type_traits>

#include "core/byte_order.h"

namespace tw::core {

namespace {

bool isIdChar(std::uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::uint64_t synchsafe(const std::uint8_t* p) {
    return (std::uint64_t{p[0]} << 21) | (std::uint64_t{p[1]} << 14) | (std::uint64_t{p[2]} << 7) |
           p[3];
}

// The frame area of a tag (the body behind the extended header) and the frame layout of
// its version. Every position handed in lies within the area. The bytes come through a
// window, so that a walk over a file reads the frame headers and the wanted frames only,
// never the bodies of frames it steps over (a large picture costs one header read).
class FrameArea {
public:
    // The area of `length` bytes that starts at `start` in `window`.
    FrameArea(int version, ByteWindow& window, std::uint64_t start, std::size_t length)
        : version_(version),
          window_(window),
          start_(start),
          end_(length),
          idLength_(version == 2 ? 3 : 4),
          headerLength_(version == 2 ? 6 : 10) {}

    std::size_t end() const { return end_; }
    std::size_t headerLength() const { return headerLength_; }
    bool headerFits(std::size_t pos) const { return pos <= end_ && end_ - pos >= headerLength_; }

    bool validId(std::size_t pos) const {
        const std::uint8_t* id = at(pos, idLength_);
        return std::all_of(id, id + idLength_, isIdChar);
    }

    // Zero bytes where an id would be (as far as the area reaches): the padding.
    bool paddingAt(std::size_t pos) const {
        const std::size_t count = std::min(end_, pos + idLength_) - pos;
        const std::uint8_t* bytes = at(pos, count);
        return std::all_of(bytes, bytes + count, [](std::uint8_t c) { return c == 0; });
    }

    std::uint16_t flags(std::size_t pos) const {
        return version_ == 2 ? 0 : static_cast<std::uint16_t>(bigEndian({at(pos + 8, 2), 2}));
    }

    // The frame size as the version stores it. A v2.4 size with a high bit set cannot be
    // synchsafe and is read plainly, as TagLib reads it too.
    std::uint64_t storedSize(std::size_t pos) const {
        const std::uint8_t* size = at(pos + idLength_, 4);
        if (version_ == 2)
            return bigEndian({size, 3});
        if (version_ == 3 || ((size[0] | size[1] | size[2] | size[3]) & 0x80))
            return bigEndian({size, 4});
        return synchsafe(size);
    }

    bool fits(std::size_t pos, std::uint64_t size) const {
        return size <= end_ - pos - headerLength_;
    }

    // Flag bits the version leaves unused are clear.
    bool saneFlags(std::size_t pos) const {
        if (version_ == 2)
            return true;
        const std::uint8_t* flagBytes = at(pos + 8, 2);
        const std::uint8_t status = flagBytes[0];
        const std::uint8_t format = flagBytes[1];
        if (version_ == 3)
            return (status & 0x1F) == 0 && (format & 0x1F) == 0;
        return (status & 0x8F) == 0 && (format & 0xB0) == 0;
    }

    // A frame plausibly starts here: an id that starts with a letter, sane flags, and a size
    // that is not zero and stays within the area.
    bool plausibleFrame(std::size_t pos) const {
        if (!headerFits(pos))
            return false;
        const std::uint8_t first = *at(pos, 1);
        if (first < 'A' || first > 'Z' || !validId(pos) || !saneFlags(pos))
            return false;
        const std::uint64_t size = storedSize(pos);
        return size > 0 && fits(pos, size);
    }

    // The walk can go on at `pos`: the area ends, the padding starts, or a frame does.
    bool goesOnAt(std::size_t pos) const {
        return pos == end_ || (pos < end_ && paddingAt(pos)) || plausibleFrame(pos);
    }

    // The size of the frame at `pos`. A v2.4 writer known in the wild stores sizes plainly:
    // when the synchsafe reading leads nowhere and the plain one to the next frame, the
    // plain one holds.
    std::uint64_t frameSize(std::size_t pos) const {
        const std::uint64_t size = storedSize(pos);
        if (version_ != 4)
            return size;
        const std::uint64_t plain = bigEndian({at(pos + 4, 4), 4});
        if (plain == size || !fits(pos, plain))
            return size;
        if (fits(pos, size) && goesOnAt(pos + headerLength_ + size))
            return size;
        return goesOnAt(pos + headerLength_ + plain) ? plain : size;
    }

    // The first position from `from` where a frame plausibly starts; none when the padding
    // or the end of the area comes first.
    std::optional<std::size_t> nextFrame(std::size_t from) const {
        for (std::size_t pos = from; headerFits(pos); ++pos) {
            if (paddingAt(pos))
                return std::nullopt;
            if (plausibleFrame(pos))
                return pos;
        }
        return std::nullopt;
    }

    std::string printableId(std::size_t pos) const {
        const std::size_t count = std::min(end_, pos + idLength_) - pos;
        const std::uint8_t* bytes = at(pos, count);
        std::string id;
        for (std::size_t i = 0; i < count; ++i)
            id += bytes[i] >= 0x20 && bytes[i] < 0x7F ? static_cast<char>(bytes[i]) : '?';
        return id;
    }

    std::string id(std::size_t pos) const {
        return {reinterpret_cast<const char*>(at(pos, idLength_)), idLength_};
    }

    TagLib::ByteVector bytes(std::size_t pos, std::size_t length) const {
        const auto got = window_.bytesAt(start_ + pos, length);
        return {reinterpret_cast<const char*>(got.data()), static_cast<unsigned int>(got.size())};
    }

private:
    // `count` (at most kScratch) bytes at `pos`, valid until the next access; zeros for what
    // a failed read of the file did not give.
    const std::uint8_t* at(std::size_t pos, std::size_t count) const {
        const auto got = window_.bytesAt(start_ + pos, count);
        if (got.size() >= count)
            return got.data();
        scratch_.fill(0);
        std::copy(got.begin(), got.end(), scratch_.begin());
        return scratch_.data();
    }

    static constexpr std::size_t kScratch = 16;
    int version_;
    ByteWindow& window_;
    std::uint64_t start_;
    std::size_t end_;
    std::size_t idLength_;
    std::size_t headerLength_;
    mutable std::array<std::uint8_t, kScratch> scratch_{};
};

// Where the frames start behind the extended header. Its size counts the bytes behind the
// size field in v2.3 and the whole header in v2.4; writers that mixed the two up are
// forgiven when only the other reading leads to a frame.
std::size_t framesStart(const Id3v2Header& header, const FrameArea& area,
                        const std::array<std::uint8_t, 4>& first) {
    if (!header.hasExtendedHeader() || area.end() < 4)
        return 0;
    const bool v3 = header.majorVersion == 3;
    const std::uint64_t declared = v3 ? 4 + bigEndian({first.data(), 4}) : synchsafe(first.data());
    const std::uint64_t other = v3 ? declared - 4 : declared + 4;
    for (std::uint64_t start : {declared, other})
        if (start <= area.end() && area.goesOnAt(static_cast<std::size_t>(start)))
            return static_cast<std::size_t>(start);
    return declared <= area.end() ? static_cast<std::size_t>(declared) : 0;
}

// Frames of the kind Id3v2RawFrame get the bytes `wanted` asks for, places get none.
template <typename Frame>
void walkInto(const Id3v2Header& header, ByteWindow& file, std::uint64_t tagLength,
              const FrameWanted& wanted, Id3v2Frames<Frame>& walk) {
    walk.version = header.majorVersion;
    walk.unsynchronised = header.majorVersion == 4 && header.unsynchronised();
    walk.frames.clear();
    walk.damage.clear();
    walk.framesEnd = Id3v2Header::kSize;
    const std::uint64_t bodyEnd =
        std::min({tagLength, file.size(), Id3v2Header::kSize + std::uint64_t{header.bodySize}});
    if (bodyEnd <= Id3v2Header::kSize)
        return;

    ByteWindow* window = &file;
    std::uint64_t bodyStart = Id3v2Header::kSize;
    auto bodyLength = static_cast<std::size_t>(bodyEnd - Id3v2Header::kSize);
    const bool wholeTagUnsynchronised = header.unsynchronised() && header.majorVersion < 4;
    std::optional<TagLib::ByteVector> decoded;  // made only when needed: it allocates
    ByteWindow decodedWindow;
    if (wholeTagUnsynchronised) {
        const auto body = file.bytesAt(Id3v2Header::kSize, bodyLength);
        decoded = TagLib::ID3v2::SynchData::decode(TagLib::ByteVector(
            reinterpret_cast<const char*>(body.data()), static_cast<unsigned int>(body.size())));
        decodedWindow.reset(
            {reinterpret_cast<const std::uint8_t*>(decoded->data()), decoded->size()});
        window = &decodedWindow;
        bodyStart = 0;
        bodyLength = decoded->size();
    }

    const FrameArea area(header.majorVersion, *window, bodyStart, bodyLength);
    std::array<std::uint8_t, 4> first{};
    window->copyAt(bodyStart, first);
    const std::size_t start = framesStart(header, area, first);
    const std::size_t headerLength = area.headerLength();
    auto note = [&](Id3v2Damage::Kind kind, std::size_t pos) {
        walk.damage.push_back({kind, Id3v2Header::kSize + pos, area.printableId(pos)});
    };

    std::size_t pos = start;
    std::size_t lastEnd = start;
    while (area.headerFits(pos) && !area.paddingAt(pos)) {
        const std::uint64_t size = area.frameSize(pos);
        const bool validId = area.validId(pos);
        const bool fits = area.fits(pos, size);
        if (validId && size == 0) {
            note(Id3v2Damage::Kind::EmptyFrame, pos);
            lastEnd = pos += headerLength;
            continue;
        }
        const std::size_t next = pos + headerLength + static_cast<std::size_t>(fits ? size : 0);
        if (fits && size > 0 && (validId || area.goesOnAt(next))) {
            if (!validId)
                note(Id3v2Damage::Kind::InvalidId, pos);
            Id3v2FramePlace place{area.id(pos), area.flags(pos), Id3v2Header::kSize + pos, validId,
                                  next - pos};
            if constexpr (std::is_same_v<Frame, Id3v2RawFrame>) {
                Id3v2RawFrame& frame =
                    walk.frames.emplace_back(Id3v2RawFrame{std::move(place), {}, {}});
                if (!wanted || wanted(frame.id))
                    frame.bytes = area.bytes(pos, next - pos);
                else
                    frame.head = area.bytes(
                        pos, std::min(next - pos, headerLength + Id3v2RawFrame::kHeadBytes));
            } else {
                walk.frames.push_back(std::move(place));
            }
            lastEnd = pos = next;
            continue;
        }
        // No frame to take here: go on where the next one starts.
        const auto resume = area.nextFrame(pos + (validId ? headerLength : 1));
        if (!resume) {
            // Bytes behind the last frame that lead to none are stale padding; a frame that
            // the end of the tag cuts off is damage.
            if (validId)
                note(Id3v2Damage::Kind::OversizedFrame, pos);
            break;
        }
        note(validId ? Id3v2Damage::Kind::OversizedFrame : Id3v2Damage::Kind::Junk, pos);
        pos = *resume;
    }
    walk.framesEnd = Id3v2Header::kSize + (wholeTagUnsynchronised ? start : lastEnd);
}

}  // namespace

Id3v2FrameWalk walkId3v2Frames(const Id3v2Header& header, std::span<const std::uint8_t> tag,
                               const FrameWanted& wanted) {
    ByteWindow window;
    window.reset(tag);
    return walkId3v2Frames(header, window, tag.size(), wanted);
}

Id3v2FrameWalk walkId3v2Frames(const Id3v2Header& header, ByteWindow& file, std::uint64_t tagLength,
                               const FrameWanted& wanted) {
    Id3v2FrameWalk found;
    walkInto(header, file, tagLength, wanted, found);
    return found;
}

void listId3v2Frames(const Id3v2Header& header, ByteWindow& file, std::uint64_t tagLength,
                     Id3v2FramePlaces& places) {
    walkInto(header, file, tagLength, {}, places);
}

}  // namespace tw::core
