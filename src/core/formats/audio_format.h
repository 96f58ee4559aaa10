// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

namespace tw::core {

class ByteWindow;

// The kinds of audio file the list holds. MPEG audio is read and written by the program's
// own code; the others are read and written through TagLib's classes for their format
// (format_reader.h, format_save.h).
enum class AudioFormat { Mpeg, Flac, OggVorbis, Opus, Mp4 };

// The format of the file `window` reads, by its content whatever its name: "fLaC" (also
// behind an ID3v2 tag, as some programs leave one there), an Ogg stream whose first packet
// is a Vorbis or an Opus header, or an MP4 "ftyp" box. Mpeg for anything else, which the
// MPEG reading then examines (and which includes the containers no tag is written into).
AudioFormat audioFormatOf(ByteWindow& window);

// "FLAC", "Ogg Vorbis", "Opus", "MP4", "MPEG": the name messages give the format.
std::string_view formatName(AudioFormat format);

// The names the folder listing takes: "*.mp3" always, and unless `mp3Only` the extensions of
// the other formats (".flac", ".ogg", ".oga", ".opus", ".m4a", ".mp4"), in any case.
bool isListedAudioName(std::string_view fileName, bool mp3Only);

// The extension of `fileName` that renaming keeps ("." included, in its own case): one of
// the other formats' extensions, else ".mp3", which names are given as they always were.
std::string_view keptExtension(std::string_view fileName);

}  // namespace tw::core
