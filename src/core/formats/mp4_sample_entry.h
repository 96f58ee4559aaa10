// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>

#include "core/formats/format_layout.h"
#include "core/formats/format_stream.h"

namespace TagLib {
class File;
namespace MP4 {
class Properties;
}
}  // namespace TagLib

namespace tw::core {

// What the first audio sample description of an MP4 file's tracks says where TagLib 1.13
// reads it wrong or not at all:
// - ALAC: its configuration gives the sample rate, channels and sample width. TagLib reads
//   it only from a description of exactly the size one encoder writes; others (ffmpeg's,
//   with a bitrate box) leave TagLib without codec, sample rate or channels.
// - AAC: the channels of its decoder configuration ("esds"). TagLib takes the count of the
//   sample entry, which MP4 writers set to 2 whatever the stream holds.
// Nothing when the file has no such track or its description is damaged. The length and the
// bitrate are left to the caller, which has them from TagLib.
struct Mp4SampleEntry {
    std::optional<FormatStream> alac;
    int aacChannels = 0;  // 0: not known
};
Mp4SampleEntry mp4SampleEntryOf(TagLib::File& file);
// The same from the bytes of a file of `size` bytes.
Mp4SampleEntry mp4SampleEntryOf(const ByteReader& read, std::uint64_t size);

// The audio properties TagLib's MP4 class gives a file.
struct Mp4Properties {
    enum class Codec { Unknown, Aac, Alac };
    Codec codec = Codec::Unknown;
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    int bitrate = 0;
    int lengthMs = 0;
};
Mp4Properties mp4PropertiesOf(const TagLib::MP4::Properties& properties);

// The stream facts of an MP4 file of `fileSize` bytes: TagLib's, corrected by what the
// sample entry says.
FormatStream mp4StreamOf(const Mp4Properties& properties, Mp4SampleEntry entry, long fileSize);

}  // namespace tw::core
