// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tw::core {

class MpegInfo;

// A file as a save has just left it, told by the save itself: what the record read from
// it needs without reading the file again (AudioFile::readSaved). A save that inserted
// blocks at the file's start has dropped all of its pages from the cache, so a second read
// would go to the disk.
struct SavedFile {
    int fd = -1;  // the file as it now is, open for reading
    // The stream as the save found it before writing, and how far the save moved it (a tag
    // in front of it that grew or shrank). Null for a file the save does not know the
    // layout of (not MPEG audio): the record is read from `fd` whole.
    const MpegInfo* stream = nullptr;
    std::int64_t moved = 0;
    // The save added or removed a tag at the file's end, where the audio stops.
    bool endChanged = false;
    // The bytes of a tag the save wrote (an empty ID3v2 tag: none is left); nothing for a
    // tag it left as it was.
    std::optional<std::span<const std::uint8_t>> id3v2;
    std::optional<std::span<const std::uint8_t>> id3v1;
};

}  // namespace tw::core
