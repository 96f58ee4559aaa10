// SPDX-License-Identifier: GPL-2.0-or-later
// A FLAC, Ogg Vorbis, Opus or MP4 file from any bytes, read as the list reads it: the format
// by its content, then TagLib's class for it on the bounded stream, the fields, pictures and
// stream texts. The seeds are tagged files of a twentieth of a second made by
// tests/support/make_format_file.py KIND fuzz/corpus/fuzz_format_reader/KIND 0.05 --tags.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "core/audio_file.h"
#include "core/byte_window.h"
#include "core/formats/audio_format.h"
#include "core/formats/format_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int fd = ::memfd_create("fuzz_format_reader", MFD_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return 0;
    tw::core::ByteWindow window;
    window.reset(fd, size);
    const tw::core::AudioFormat format = tw::core::audioFormatOf(window);
    if (format == tw::core::AudioFormat::Mpeg)
        return 0;
    tw::core::AudioFile record;
    (void)tw::core::readFormatRecord(record, format, fd, size);
    return 0;
}
