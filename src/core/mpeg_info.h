// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/audio_file.h"
#include "core/mpeg_header.h"

namespace tw::core {

class ByteWindow;

// The stream facts of one MP3 file: where its first MPEG audio frame is, that frame's
// header, an optional VBR header (Xing or VBRI), where the audio ends in front of the tags
// at the end, and what follows from them (bitrate, frame count, play time) and the
// thirteen display texts.
//
// Whatever the size of the file, this costs a bounded number of reads: the search for the
// first frame covers kSearchSpan bytes, the VBR header lies in that frame, and the tags at
// the end are read once. Without a VBR header the play time is estimated from the audio
// bytes and the first frame's bitrate.
//
// One object is reused for file after file: open() or examine() replaces everything it
// held. It keeps no file open.
class MpegInfo {
public:
    // How far behind its start (the file's, or its ID3v2 tag's end) the first frame is
    // looked for. Ordinary files have it within the first kilobytes.
    static constexpr std::uint64_t kSearchSpan = 1024 * 1024;

    // Opens `path` and runs the frame search. A file that cannot be opened gets no frame
    // and the length the file system reports (0 when it cannot be asked).
    void open(const std::string& path);
    // The frame search over an input that is already open (the record reader has read the
    // head of the file anyway); `path` is only remembered.
    void examine(ByteWindow& input, std::string path = {});
    // The same stream after a save moved it `by` bytes (a tag in front of it grew or
    // shrank) in the file now read through `input`: nothing is searched again, and the end
    // of the audio is read again only when the save added or removed a tag there
    // (`endChanged`), since the search is the same from the new tag's end.
    void moveBy(std::int64_t by, ByteWindow& input, bool endChanged);
    // No frame, for a file that cannot be read but whose length is known.
    void setUnreadable(std::string path, std::uint64_t fileLength);

    // The search: an ID3v2 tag at the start is skipped by the size in its header; when
    // nothing is found behind it (its size lied), the bytes before its declared end are
    // searched too, each within kSearchSpan of where it starts. A frame is taken when its header is
    // valid and a valid header follows it at the next frame's position; a frame whose successor
    // would start at or behind the end of the file ends the search with nothing found.
    bool found() const { return headerPosition_ >= 0; }
    std::int64_t headerPosition() const { return headerPosition_; }  // -1: nothing found
    std::uint64_t fileLength() const { return fileLength_; }
    const MpegHeader& header() const { return header_; }
    const std::string& path() const { return path_; }
    bool vbr() const { return vbrFrames_ > 0; }  // a VBR header that counts the frames
    // Bytes from the first frame to the tags at the end.
    std::uint64_t audioBytes() const;

    // All 0 when no frame was found.
    int bitrate() const;     // kbps; the average over the stream with a VBR header
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
    std::uint32_t vbrFrames_ = 0;  // 0 without a VBR header
    std::uint32_t vbrBytes_ = 0;   // 0 when the VBR header does not say
    std::int64_t headerPosition_ = -1;
    std::string path_;
    MpegHeader header_;
    std::uint64_t fileLength_ = 0;
    std::uint64_t audioEnd_ = 0;
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

// A count with the interface language's separator between groups of three digits
// ("1,234,567" in English, "1.234.567" in German).
std::string groupedNumber(std::uint64_t value);
// "N bytes" in the interface language, for a count already written out.
std::string byteCountText(const std::string& count);
// Seconds as "mm:ss", or "hh:mm:ss" from one hour on.
std::string durationText(std::int64_t seconds);

}  // namespace tw::core
