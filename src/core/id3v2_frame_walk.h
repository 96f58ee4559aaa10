// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <taglib/tbytevector.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_window.h"
#include "core/id3v2_header.h"

namespace tw::core {

// The frames of an ID3v2 tag, found by the program's own walk over the frame stream.
//
// Tags from the wild hold frames no reader expects: empty frames (a common Windows player
// writes an empty text frame first), ids that are not four upper-case letters or digits,
// frames whose size runs past the tag, junk between frames. The walk reads past all of
// them, the way tolerant readers do, so that every frame before and after the damage is
// found:
//   - an empty frame is stepped over;
//   - a frame with a bad id is taken by its size when that size leads to the next frame
//     (or to the padding or the end of the tag), and kept as it is;
//   - otherwise, and for a frame that runs past the tag, the walk looks for the next
//     position where a frame plausibly starts and goes on there;
//   - four zero bytes where an id should be are padding and end the frames, as they do for
//     every reader.
// What it stepped over is listed as damage, so that a save can refuse to drop it.
//
// The walk works on the stored bytes; only a v2.2/v2.3 tag that is unsynchronised as a
// whole is decoded first (its offsets are then those of the decoded body). It never reads
// outside the bytes it is given, and it is linear in their length.

// Where one frame stands in the tag.
struct Id3v2FramePlace {
    std::string id;            // 3 characters in v2.2, else 4, as stored
    std::uint16_t flags = 0;   // the two flag bytes (always 0 in v2.2)
    std::uint64_t offset = 0;  // of its header, from the tag start
    bool validId = true;       // the id is upper-case letters and digits
    std::uint64_t length = 0;  // header and body as stored

    std::size_t headerSize() const { return id.size() == 3 ? 6 : 10; }
};

// One frame as it stands in the tag, with its bytes.
struct Id3v2RawFrame : Id3v2FramePlace {
    TagLib::ByteVector bytes;  // header and body, exactly as stored; empty if not wanted
    // Of a frame not wanted: its header and the first bytes of its body (up to kHeadBytes),
    // enough to tell what a large frame holds without copying it.
    TagLib::ByteVector head;

    static constexpr std::size_t kHeadBytes = 512;

    TagLib::ByteVector body() const { return bytes.mid(static_cast<unsigned int>(headerSize())); }
};

// Something the walk stepped over.
struct Id3v2Damage {
    enum class Kind {
        EmptyFrame,      // a frame of size 0: holds nothing, may be dropped
        InvalidId,       // a frame with a bad id, taken by its size: kept as it is
        OversizedFrame,  // a frame whose size runs past the tag: its end is unknown
        Junk,            // bytes that are no frame, with frames behind them
    };
    Kind kind = Kind::Junk;
    std::uint64_t offset = 0;  // from the tag start
    std::string name;          // the id bytes at that place, printable ('?' for others)

    // Whether a save could not write the tag without losing what lies here.
    bool blocksSave() const { return kind == Kind::OversizedFrame || kind == Kind::Junk; }
};

template <typename Frame>
struct Id3v2Frames {
    int version = 3;              // the tag's major version
    bool unsynchronised = false;  // v2.4: the tag says every frame is unsynchronised
    std::vector<Frame> frames;
    std::vector<Id3v2Damage> damage;
    // Where the frames end in the file, from the tag start (for a tag unsynchronised as a
    // whole: where its extended header ends, as its stored layout cannot be mapped).
    std::uint64_t framesEnd = Id3v2Header::kSize;
};
using Id3v2FrameWalk = Id3v2Frames<Id3v2RawFrame>;
// The frames without their bytes.
using Id3v2FramePlaces = Id3v2Frames<Id3v2FramePlace>;

// Which frames, by their id as stored, a walk copies the bytes of; the others are listed
// without them. Empty: every frame.
using FrameWanted = std::function<bool(std::string_view id)>;

// Walks the frames of the tag whose header is `header`; `tag` holds the whole tag from its
// header on, or as much of it as the file has.
Id3v2FrameWalk walkId3v2Frames(const Id3v2Header& header, std::span<const std::uint8_t> tag,
                               const FrameWanted& wanted = {});
// The same over a file (or buffer) whose first `tagLength` bytes hold the tag: only the
// frame headers and the wanted frames are read (and the first bytes of the others).
Id3v2FrameWalk walkId3v2Frames(const Id3v2Header& header, ByteWindow& file, std::uint64_t tagLength,
                               const FrameWanted& wanted = {});
// Where the frames stand, without their bytes, into `places`, whose storage is reused: a
// reader that takes the frames from `file` itself walks many tags with no allocation per
// frame.
void listId3v2Frames(const Id3v2Header& header, ByteWindow& file, std::uint64_t tagLength,
                     Id3v2FramePlaces& places);

}  // namespace tw::core
