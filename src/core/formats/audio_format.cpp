// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/audio_format.h"

#include <array>
#include <cstdint>
#include <span>

#include "base/ascii.h"
#include "core/byte_window.h"
#include "core/id3v2_header.h"
#include "core/other_audio_format.h"

namespace tw::core {

namespace {

// The first packet of an Ogg stream starts behind the page header (27 bytes) and its
// segment table; it names the codec.
AudioFormat oggFormatOf(std::span<const std::uint8_t> head) {
    constexpr std::size_t kPageHeader = 27;
    if (head.size() <= kPageHeader)
        return AudioFormat::Mpeg;
    const std::size_t packet = kPageHeader + head[kPageHeader - 1];
    if (hasMagicAt(head, packet, "\x01vorbis"))
        return AudioFormat::OggVorbis;
    if (hasMagicAt(head, packet, "OpusHead"))
        return AudioFormat::Opus;
    return AudioFormat::Mpeg;
}

constexpr std::array<std::string_view, 6> kOtherExtensions = {".flac", ".ogg", ".oga",
                                                              ".opus", ".m4a", ".mp4"};

}  // namespace

AudioFormat audioFormatOf(ByteWindow& window) {
    // An Ogg page header with the longest segment table and the codec's name.
    constexpr std::size_t kHeadBytes = 27 + 255 + 8;
    const auto head = window.bytesAt(0, kHeadBytes);
    if (hasMagicAt(head, 0, "fLaC"))
        return AudioFormat::Flac;
    if (hasMagicAt(head, 0, "OggS"))
        return oggFormatOf(head);
    if (hasMagicAt(head, 4, "ftyp"))
        return AudioFormat::Mp4;
    if (const auto header = Id3v2Header::parse(head))
        if (hasMagicAt(window.bytesAt(header->tagSize(), 4), 0, "fLaC"))
            return AudioFormat::Flac;
    return AudioFormat::Mpeg;
}

std::string_view formatName(AudioFormat format) {
    switch (format) {
        case AudioFormat::Flac:
            return "FLAC";
        case AudioFormat::OggVorbis:
            return "Ogg Vorbis";
        case AudioFormat::Opus:
            return "Opus";
        case AudioFormat::Mp4:
            return "MP4";
        case AudioFormat::Mpeg:
            break;
    }
    return "MPEG";
}

bool isListedAudioName(std::string_view fileName, bool mp3Only) {
    if (base::endsWithNoCase(fileName, ".mp3"))
        return true;
    return !mp3Only && keptExtension(fileName) != ".mp3";
}

std::string_view keptExtension(std::string_view fileName) {
    for (std::string_view extension : kOtherExtensions)
        if (base::endsWithNoCase(fileName, extension))
            return fileName.substr(fileName.size() - extension.size());
    return ".mp3";
}

}  // namespace tw::core
