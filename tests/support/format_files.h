// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tw::test {

// FLAC, Ogg Vorbis, Opus and MP4 files made as users get them, by
// tests/support/make_format_file.py (sox, flac, ffmpeg, opusenc; mutagen writes the tags
// described there). `kind` is "flac", "vorbis", "opus", "aac" or "alac", or
// "aac-moov-first" for an AAC file whose "moov" box comes before its audio; the audio lasts
// 3.7 seconds.
//
// Copies the file of `kind`, with the script's tags when `tagged`, to `target`; each file
// is made once per test program and copied from then on. False when the tools are not
// installed (tests then skip).
bool copyFormatFile(const std::string& kind, bool tagged, const std::filesystem::path& target);

}  // namespace tw::test
