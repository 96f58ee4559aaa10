// SPDX-License-Identifier: GPL-2.0-or-later
// A FLAC, Ogg Vorbis, Opus or MP4 file from any bytes, its tag edited and saved as a save
// stages it: TagLib's class for the format on the overlay (an MP4 file's own items put back
// in the place of what it wrote), the checks of its result (the FLAC metadata blocks and MP4
// boxes walked on both sides), then the plans made of the pieces: the head that changed, its
// padding fitted, the changed ranges. Nothing is written anywhere. The seeds are those of
// fuzz_format_reader and an MP4 file whose "moov" box comes first (make_format_file.py aac
// ... 0.05 --tags --moov-first).

#include <cstddef>
#include <cstdint>

#include "core/audio_file.h"
#include "core/formats/format_result.h"
#include "core/formats/format_save.h"
#include "format_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = tw::fuzz::formatInput(data, size);
    if (!input)
        return 0;
    const auto [fd, format] = *input;
    tw::core::AudioFile record;
    record.id3v2.makePresent();
    record.id3v2.setTitle(std::string(size % 700, 't'));
    record.id3v2.setTrackText("3/9");
    tw::core::FormatSave save(format, fd, size, "fuzz");
    if (!save.writeFields(record.id3v2) || !save.writeLyrics("words"))
        return 0;
    std::unique_ptr<tw::core::OverlayStream> result = save.finish();
    if (!result)
        return 0;
    if (const auto head = tw::core::headChangeOf(*result))
        (void)tw::core::fitHead(format, *result, head->oldLength + 4096);
    (void)tw::core::changedRanges(*result, tw::core::OverlayStream::kMostNewBytes);
    return 0;
}
