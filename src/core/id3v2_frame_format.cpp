// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/id3v2_frame_format.h"

#include <taglib/id3v2synchdata.h>

#include <cstdint>

namespace tw::core {

namespace {

constexpr unsigned int kHeaderSize = 10;
constexpr unsigned int kDataLengthSize = 4;

// Format flags (the second flag byte).
constexpr std::uint8_t kV23Compressed = 0x80;
constexpr std::uint8_t kV23Encrypted = 0x40;
constexpr std::uint8_t kV23Grouped = 0x20;
constexpr std::uint8_t kV24Grouped = 0x40;
constexpr std::uint8_t kV24Compressed = 0x08;
constexpr std::uint8_t kV24Encrypted = 0x04;
constexpr std::uint8_t kV24Unsynchronised = 0x02;
constexpr std::uint8_t kV24DataLength = 0x01;

TagLib::ByteVector withBody(const TagLib::ByteVector& frame, std::uint8_t format,
                            const TagLib::ByteVector& body, int version) {
    TagLib::ByteVector out = frame.mid(0, 4);
    out.append(version == 4 ? TagLib::ID3v2::SynchData::fromUInt(body.size())
                            : TagLib::ByteVector::fromUInt(body.size()));
    out.append(frame[8]);
    out.append(static_cast<char>(format));
    out.append(body);
    return out;
}

// v2.3 puts the data length of a compressed frame first, then the encryption method byte,
// then the group byte.
TagLib::ByteVector v23ForTagLib(const TagLib::ByteVector& frame) {
    const auto format = static_cast<std::uint8_t>(frame[9]);
    if (!(format & kV23Grouped) || (format & kV23Encrypted))
        return frame;
    const unsigned int groupAt = kHeaderSize + ((format & kV23Compressed) ? kDataLengthSize : 0);
    if (frame.size() <= groupAt)
        return frame;
    TagLib::ByteVector body = frame.mid(kHeaderSize, groupAt - kHeaderSize);
    body.append(frame.mid(groupAt + 1));
    return withBody(frame, format & ~kV23Grouped, body, 3);
}

// v2.4 puts the group byte first, then the encryption method byte, then the data length;
// unsynchronisation covers the data behind them.
TagLib::ByteVector v24ForTagLib(const TagLib::ByteVector& frame) {
    auto format = static_cast<std::uint8_t>(frame[9]);
    constexpr std::uint8_t kUndone = kV24Grouped | kV24Unsynchronised | kV24DataLength;
    if (!(format & kUndone) || (format & kV24Encrypted))
        return frame;
    const bool grouped = format & kV24Grouped;
    const bool dataLength = format & kV24DataLength;
    const unsigned int dataAt =
        kHeaderSize + (grouped ? 1 : 0) + (dataLength ? kDataLengthSize : 0);
    if (frame.size() < dataAt)
        return frame;
    TagLib::ByteVector data = frame.mid(dataAt);
    if (format & kV24Unsynchronised)
        data = TagLib::ID3v2::SynchData::decode(data);
    TagLib::ByteVector body;
    format &= ~(kV24Grouped | kV24Unsynchronised);
    if (dataLength && (format & kV24Compressed))
        body = frame.mid(dataAt - kDataLengthSize, kDataLengthSize);
    else
        format &= ~kV24DataLength;
    body.append(data);
    return withBody(frame, format, body, 4);
}

}  // namespace

TagLib::ByteVector frameForTagLib(const TagLib::ByteVector& frame, int version) {
    if (frame.size() < kHeaderSize)
        return frame;
    if (version == 3)
        return v23ForTagLib(frame);
    if (version == 4)
        return v24ForTagLib(frame);
    return frame;
}

}  // namespace tw::core
