// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tw::core {

// The name of the audio container that starts at the front of `head` when it is one that
// is not MPEG audio and must never get ID3 tags written into it: "WAV" (and other RIFF
// forms as "RIFF"), "AIFF", "DSF", "FLAC", "Ogg", "MP4", "WavPack", "Monkey's Audio", "TTA"
// or "Musepack". Empty otherwise. Recognised by the magic bytes, whatever the file's
// extension.
std::string_view otherAudioFormat(std::span<const std::uint8_t> head);

// Whether `magic` stands in `bytes` at `offset`.
bool hasMagicAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view magic);

}  // namespace tw::core
