// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/mpeg_info.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <limits>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/audio_end.h"
#include "core/byte_order.h"
#include "core/byte_window.h"
#include "core/id3v2_header.h"
#include "core/vbr_header.h"

namespace tw::core {

namespace {

std::uint32_t wordAt(ByteWindow& input, std::uint64_t offset) {
    std::array<std::uint8_t, 4> bytes{};
    input.copyAt(offset, bytes);
    return bigEndian32(bytes.data());
}

// Reads behind the first window start at a page and grow while the search finds no sync
// byte, so that a long stretch of silence or junk costs few reads.
constexpr std::size_t kLargestSearchRead = 64 * 1024;

// The word at `at`, fetched together with the bytes from `from` on: a search standing at
// `from` goes on from there, so the window keeps holding what it reads next.
std::uint32_t wordFrom(ByteWindow& input, std::uint64_t from, std::uint64_t at) {
    const auto span = static_cast<std::size_t>(at - from) + 4;
    const auto bytes = input.bytesAt(from, span);
    if (bytes.size() == span)
        return bigEndian32(bytes.data() + (at - from));
    return wordAt(input, at);  // at the end of the input: zero-filled
}

std::string yesNo(bool yes) {
    return base::tr(yes ? base::ids::kWordYes : base::ids::kWordNo);
}

std::int32_t clampToInt32(std::uint64_t value) {
    return static_cast<std::int32_t>(
        std::min<std::uint64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void MpegInfo::open(const std::string& path) {
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);  // a FIFO must not block
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        struct stat byPath {};
        setUnreadable(path, ::stat(path.c_str(), &byPath) == 0
                                ? static_cast<std::uint64_t>(byPath.st_size)
                                : 0);
        return;
    }
    ByteWindow window;
    window.reset(fd, static_cast<std::uint64_t>(st.st_size));
    examine(window, path);
    ::close(fd);
}

void MpegInfo::setUnreadable(std::string path, std::uint64_t fileLength) {
    *this = MpegInfo{};
    path_ = std::move(path);
    fileLength_ = fileLength;
}

void MpegInfo::examine(ByteWindow& input, std::string path) {
    setUnreadable(std::move(path), input.size());

    std::uint64_t tagEnd = 0;
    if (auto tag = Id3v2Header::parse(input.bytesAt(0, Id3v2Header::kSize)))
        tagEnd = tag->tagSize();

    const auto searchFrom = [&](std::uint64_t from, std::uint64_t until) {
        return findMpegFrame(input, from, std::min({until, from + kSearchSpan, fileLength_}),
                             header_);
    };
    std::int64_t position = -1;
    if (tagEnd > 0)
        position = searchFrom(tagEnd, fileLength_);
    // Searching from the start up to the tag's declared end gives what a search from the
    // start would give: behind that point it has already been shown to find nothing.
    if (position < 0)
        position = searchFrom(0, tagEnd > 0 ? tagEnd : fileLength_);
    if (position < 0)
        return;
    const auto start = static_cast<std::uint64_t>(position);
    const auto vbrHeader = readVbrHeader(input, start, header_);
    const std::uint64_t end = audioEnd(input, start);
    if (input.failed())
        return;
    headerPosition_ = position;
    audioEnd_ = end;
    if (vbrHeader) {
        vbrFrames_ = vbrHeader->frames;
        vbrBytes_ = vbrHeader->bytes;
    }
}

void MpegInfo::moveBy(std::int64_t by, ByteWindow& input, bool endChanged) {
    fileLength_ = input.size();
    if (!found())
        return;
    headerPosition_ += by;
    const auto start = static_cast<std::uint64_t>(headerPosition_);
    audioEnd_ = endChanged ? audioEnd(input, start) : audioEnd_ + static_cast<std::uint64_t>(by);
}

std::int64_t findMpegFrame(ByteWindow& input, std::uint64_t from, std::uint64_t until,
                           MpegHeader& header) {
    const std::uint64_t fileLength = input.size();
    // Behind the first window (a large tag), a page at first: the first frame is usually
    // at the tag's end.
    std::size_t farRead = ByteWindow::kFarChunk;
    std::uint64_t pos = from;
    while (pos < until) {
        const auto chunk =
            input.someBytesAt(pos, pos < ByteWindow::kChunk ? ByteWindow::kChunk : farRead);
        if (chunk.empty())
            return -1;  // a failed read ends the search
        const std::size_t limit =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), until - pos));
        const void* sync = std::memchr(chunk.data(), 0xFF, limit);
        if (!sync) {
            pos += limit;
            farRead = std::min(farRead * 2, kLargestSearchRead);
            continue;
        }
        pos += static_cast<std::uint64_t>(static_cast<const std::uint8_t*>(sync) - chunk.data());

        const MpegHeader candidate(wordFrom(input, pos, pos));
        header = candidate;
        if (candidate.valid()) {
            const std::uint64_t next = pos + candidate.frameLength();
            if (next >= fileLength)
                return -1;
            if (MpegHeader(wordFrom(input, pos, next)).valid())
                return input.failed() ? -1 : static_cast<std::int64_t>(pos);
        }
        if (input.failed())
            return -1;
        ++pos;
    }
    return -1;
}

std::uint64_t MpegInfo::audioBytes() const {
    return found() ? audioEnd_ - static_cast<std::uint64_t>(headerPosition_) : 0;
}

int MpegInfo::bitrate() const {
    if (!found())
        return 0;
    if (!vbr())
        return header_.bitrateKbps();
    const std::uint64_t streamBytes = vbrBytes_ > 0 ? vbrBytes_ : audioBytes();
    const float average = static_cast<float>(streamBytes) / static_cast<float>(vbrFrames_);
    const float bytesPerKbps = static_cast<float>(header_.samplesPerFrame()) / 8.0f * 1000.0f;
    const float kbps = static_cast<float>(sampleRate()) * average / bytesPerKbps;
    if (!(kbps < static_cast<float>(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max();
    return static_cast<int>(kbps);
}

int MpegInfo::sampleRate() const {
    return found() ? header_.sampleRate() : 0;
}

std::uint32_t MpegInfo::frameLength() const {
    return found() ? header_.frameLength() : 0;
}

std::uint64_t MpegInfo::frameCount() const {
    if (!found())
        return 0;
    if (vbr())
        return vbrFrames_;
    const std::uint32_t length = frameLength();
    if (length == 0)
        return 0;
    return audioBytes() / length;
}

std::int32_t MpegInfo::playSeconds() const {
    if (!found())
        return 0;
    if (vbr()) {
        const int rate = sampleRate();
        if (rate == 0)
            return 0;
        return clampToInt32(std::uint64_t{vbrFrames_} *
                            static_cast<std::uint64_t>(header_.samplesPerFrame()) /
                            static_cast<std::uint64_t>(rate));
    }
    const int kbps = bitrate();
    if (kbps == 0)
        return 0;
    // Without a frame count, estimated as the first frame's bitrate lasts.
    const std::uint64_t bits = audioBytes() * 8;
    return clampToInt32(bits / (static_cast<std::uint64_t>(kbps) * 1000));
}

double MpegInfo::versionNumber() const {
    return found() ? header_.versionNumber() : 0.0;
}
int MpegInfo::protection() const {
    return found() && header_.protectedByCrc() ? 0 : 1;
}
bool MpegInfo::copyrightBit() const {
    return found() && header_.copyright();
}
bool MpegInfo::originalBit() const {
    return found() && header_.original();
}

std::string MpegInfo::channelModeText() const {
    static constexpr int kModes[] = {base::ids::kModeStereo, base::ids::kModeJointStereo,
                                     base::ids::kModeDualChannel, base::ids::kModeMono};
    return base::tr(found() ? kModes[header_.channelMode()] : base::ids::kStreamInvalid);
}

std::string MpegInfo::emphasisText() const {
    static constexpr int kEmphasis[] = {base::ids::kEmphasisNone, base::ids::kEmphasis50To15Ms,
                                        base::ids::kEmphasisReserved, base::ids::kEmphasisCcitJ17};
    return base::tr(found() ? kEmphasis[header_.emphasis()] : base::ids::kStreamInvalid);
}

void MpegInfo::texts(StreamTexts& out) const {
    auto set = [&](StreamField field, std::string text) {
        out[static_cast<std::size_t>(field)] = std::move(text);
    };
    set(StreamField::Size, byteCountText(groupedNumber(fileLength_)));
    set(StreamField::Mode, channelModeText());
    set(StreamField::Emphasis, emphasisText());
    if (!found()) {
        set(StreamField::HeaderPosition, byteCountText("0"));
        set(StreamField::Length, byteCountText("0"));
        set(StreamField::Version, "MPEG 0 Layer 0");
        set(StreamField::Bitrate, "0 kbps");
        set(StreamField::Frames, "0");
        set(StreamField::Frequency, "0 Hz");
        set(StreamField::Crc, yesNo(false));
        set(StreamField::Copyright, yesNo(false));
        set(StreamField::Original, yesNo(false));
        set(StreamField::NoHeader, yesNo(true));
        return;
    }
    char version[32];
    std::snprintf(version, sizeof version, "MPEG %.1f Layer %d", versionNumber(),
                  4 - header_.layerBits());
    set(StreamField::HeaderPosition, byteCountText(std::to_string(headerPosition_)));
    set(StreamField::Length, durationText(playSeconds()));
    set(StreamField::Version, version);
    set(StreamField::Bitrate, std::to_string(bitrate()) + (vbr() ? " kbps VBR" : " kbps"));
    set(StreamField::Frames, std::to_string(frameCount()));
    set(StreamField::Frequency, std::to_string(sampleRate()) + " Hz");
    set(StreamField::Crc, yesNo(protection() == 0));
    set(StreamField::Copyright, yesNo(copyrightBit()));
    set(StreamField::Original, yesNo(originalBit()));
    set(StreamField::NoHeader, yesNo(false));
}

std::string infoText(const StreamTexts& t) {
    return base::LangString().LoadFormat(base::ids::kStreamInfoText, t[0], t[1], t[2], t[3], t[4],
                                         t[5], t[6], t[7], t[8], t[9], t[10], t[11], t[12]);
}

std::string groupedNumber(std::uint64_t value) {
    // The separator is the interface language's ("110.301" in German, "110,301" in English).
    std::string separator = base::tr(base::ids::kThousandExample);
    std::erase_if(separator, [](char c) { return c >= '0' && c <= '9'; });
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3;) {
        at -= 3;
        digits.insert(at, separator);
    }
    return digits;
}

std::string byteCountText(const std::string& count) {
    return base::LangString().LoadFormat(base::ids::kByteCount, count);
}

std::string durationText(std::int64_t seconds) {
    seconds = std::max<std::int64_t>(seconds, 0);
    const long long s = seconds % 60;
    const long long m = (seconds / 60) % 60;
    const long long h = seconds / 3600;
    char text[48];
    if (h >= 1)
        std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", h, m, s);
    else
        std::snprintf(text, sizeof text, "%02lld:%02lld", m, s);
    return text;
}

}  // namespace tw::core
