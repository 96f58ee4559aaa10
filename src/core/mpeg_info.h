// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/audio_file.h"
#include "core/mpeg_header.h"

namespace tw::core {

class ByteWindow;

// The stream facts of one MP3 file: where its first MPEG audio frame is, that frame's
// header, an optional Xing header, and what follows from them (bitrate, frame count, play
// time) and the thirteen display texts.
//
// One object is reused for file after file: open() or examine() replaces everything it
// held. It keeps no file open.
class MpegInfo {
public:
    static constexpr std::uint32_t kNoXingFrames = 0xFFFFFFFFu;

    // Opens `path` and runs the frame search. A file that cannot be opened gets no frame
    // and the length the file system reports (0 when it cannot be asked).
    void open(const std::string& path);
    // The frame search over an input that is already open (the record reader has read the
    // head of the file anyway); `path` is only remembered.
    void examine(ByteWindow& input, std::string path = {});
    // No frame, for a file that cannot be read but whose length is known.
    void setUnreadable(std::string path, std::uint64_t fileLength);

    // The search: an ID3v2 tag at the start is skipped by the size in its header; when
    // nothing is found behind it (its size lied), the bytes before its declared end are
    // searched too. A frame is taken when its header is valid and a valid header follows
    // it at the next frame's position; a frame whose successor would start at or behind
    // the end of the file ends the search with nothing found.
    bool found() const { return headerPosition_ >= 0; }
    std::int64_t headerPosition() const { return headerPosition_; }  // -1: nothing found
    std::uint64_t fileLength() const { return fileLength_; }
    const MpegHeader& header() const { return header_; }
    const std::string& path() const { return path_; }
    bool vbr() const { return vbr_; }
    std::uint32_t xingFrames() const { return frames_; }  // kNoXingFrames without Xing

    // All 0 when no frame was found.
    int bitrate() const;     // kbps; the average over the stream with a Xing header
    int sampleRate() const;  // Hz
    std::uint32_t frameLength() const;
    std::uint64_t frameCount() const;
    std::int32_t playSeconds() const;  // whole seconds, truncated

    double versionNumber() const;
    int protection() const;  // the protection bit: 0 means protected by a CRC
    bool copyrightBit() const;
    bool originalBit() const;
    // Looked up in the active language.
    std::string channelModeText() const;
    std::string emphasisText() const;

    // The thirteen texts, in StreamField order.
    void texts(StreamTexts& out) const;

private:
    void readXing(ByteWindow& input);

    std::uint32_t frames_ = kNoXingFrames;
    bool vbr_ = false;
    std::array<std::uint8_t, 12> xing_{};
    std::int64_t headerPosition_ = -1;
    std::string path_;
    MpegHeader header_;
    std::uint64_t fileLength_ = 0;
};

// The first offset in [from, until) where a valid frame header is followed by a valid
// header at the next frame's position; -1 when there is none, when a frame's successor
// would start at or behind the end of the input, or when a read fails. `header` receives
// the last header tested (the found frame's on success).
std::int64_t findMpegFrame(ByteWindow& input, std::uint64_t from, std::uint64_t until,
                           MpegHeader& header);

// The stream texts laid into the multi-line information text (string 61226 of the active
// language).
std::string infoText(const StreamTexts& texts);

// A count with "," between groups of three digits ("1,234,567").
std::string groupedNumber(std::uint64_t value);
// Seconds as "mm:ss", or "hh:mm:ss" from one hour on.
std::string durationText(std::int64_t seconds);

}  // namespace tw::core
