// SPDX-License-Identifier: GPL-2.0-or-later
// A FLAC, Ogg Vorbis, Opus or MP4 file from any bytes, read as the list reads it: the format
// by its content, then its reader on the bounded stream (TagLib's class, the FLAC or the Ogg
// listing), the fields, pictures and stream texts. The seeds are tagged files of a twentieth
// of a second made by
// tests/support/make_format_file.py KIND fuzz/corpus/fuzz_format_reader/KIND 0.05 --tags.

#include <cstddef>
#include <cstdint>

#include "core/audio_file.h"
#include "core/formats/format_reader.h"
#include "format_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = tw::fuzz::formatInput(data, size);
    if (!input)
        return 0;
    const auto [fd, format] = *input;
    tw::core::AudioFile record;
    (void)tw::core::readFormatRecord(record, format, fd, size);
    return 0;
}
