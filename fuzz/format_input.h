// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/byte_window.h"
#include "core/formats/audio_format.h"

namespace tw::fuzz {

// The fuzz input as an open file the program takes for FLAC, Ogg or MP4 by its content, as
// the folder listing does; nothing for MPEG audio, which other targets cover. The file is
// one memory file per process, overwritten for each input.
struct FormatInput {
    int fd;
    core::AudioFormat format;
};

inline std::optional<FormatInput> formatInput(const std::uint8_t* data, std::size_t size) {
    static const int fd = ::memfd_create("format_input", MFD_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return std::nullopt;
    core::ByteWindow window;
    window.reset(fd, size);
    const core::AudioFormat format = core::audioFormatOf(window);
    if (format == core::AudioFormat::Mpeg)
        return std::nullopt;
    return FormatInput{fd, format};
}

}  // namespace tw::fuzz
