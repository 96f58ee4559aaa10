// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/other_audio_format.h"

namespace tw::core {

bool hasMagicAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view magic) {
    if (bytes.size() < offset + magic.size())
        return false;
    for (std::size_t i = 0; i < magic.size(); ++i)
        if (bytes[offset + i] != static_cast<std::uint8_t>(magic[i]))
            return false;
    return true;
}

std::string_view otherAudioFormat(std::span<const std::uint8_t> head) {
    if (hasMagicAt(head, 0, "RIFF"))
        return hasMagicAt(head, 8, "WAVE") ? "WAV" : "RIFF";
    if (hasMagicAt(head, 0, "FORM") && (hasMagicAt(head, 8, "AIFF") || hasMagicAt(head, 8, "AIFC")))
        return "AIFF";
    if (hasMagicAt(head, 0, "DSD "))
        return "DSF";
    if (hasMagicAt(head, 0, "fLaC"))
        return "FLAC";
    if (hasMagicAt(head, 0, "OggS"))
        return "Ogg";
    if (hasMagicAt(head, 4, "ftyp"))
        return "MP4";
    if (hasMagicAt(head, 0, "wvpk"))
        return "WavPack";
    if (hasMagicAt(head, 0, "MAC "))
        return "Monkey's Audio";
    if (hasMagicAt(head, 0, "TTA1") || hasMagicAt(head, 0, "TTA2"))
        return "TTA";
    if (hasMagicAt(head, 0, "MPCK") || hasMagicAt(head, 0, "MP+"))
        return "Musepack";
    return {};
}

}  // namespace tw::core
