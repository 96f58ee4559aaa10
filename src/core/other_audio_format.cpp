// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/other_audio_format.h"

namespace tw::core {

namespace {

bool hasAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view magic) {
    if (bytes.size() < offset + magic.size())
        return false;
    for (std::size_t i = 0; i < magic.size(); ++i)
        if (bytes[offset + i] != static_cast<std::uint8_t>(magic[i]))
            return false;
    return true;
}

}  // namespace

std::string_view otherAudioFormat(std::span<const std::uint8_t> head) {
    if (hasAt(head, 0, "RIFF"))
        return hasAt(head, 8, "WAVE") ? "WAV" : "RIFF";
    if (hasAt(head, 0, "FORM") && (hasAt(head, 8, "AIFF") || hasAt(head, 8, "AIFC")))
        return "AIFF";
    if (hasAt(head, 0, "DSD "))
        return "DSF";
    if (hasAt(head, 0, "fLaC"))
        return "FLAC";
    if (hasAt(head, 0, "OggS"))
        return "Ogg";
    if (hasAt(head, 4, "ftyp"))
        return "MP4";
    if (hasAt(head, 0, "wvpk"))
        return "WavPack";
    if (hasAt(head, 0, "MAC "))
        return "Monkey's Audio";
    if (hasAt(head, 0, "TTA1") || hasAt(head, 0, "TTA2"))
        return "TTA";
    if (hasAt(head, 0, "MPCK") || hasAt(head, 0, "MP+"))
        return "Musepack";
    return {};
}

}  // namespace tw::core
