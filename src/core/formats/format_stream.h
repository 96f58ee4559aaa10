// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/audio_file.h"

namespace tw::core {

// The stream facts of a FLAC, Ogg Vorbis, Opus or MP4 file, as its format's header states
// them (the length is exact: sample counts or granule positions, not an estimate).
struct FormatStream {
    std::string codec;   // "FLAC", "Vorbis", "Opus", "AAC", "ALAC"
    int sampleRate = 0;  // Hz
    int channels = 0;
    int bitsPerSample = 0;  // 0 where the codec has none (lossy codecs)
    int bitrate = 0;        // kbps, the average over the file
    std::int64_t lengthMs = 0;
};

// The stream texts of such a file: size, length, the codec (with its bits per sample) in
// the Version column, bitrate, frequency and channels in the Mode column; the texts that
// only MPEG audio has stay empty.
void formatStreamTexts(const FormatStream& stream, std::uint64_t fileSize, StreamTexts& out);

// The information text of such a file (string 64300 of the active language).
std::string formatInfoText(const FormatStream& stream, const StreamTexts& texts);

}  // namespace tw::core
