// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/result.h"
#include "core/audio_file.h"
#include "core/formats/audio_format.h"
#include "core/picture_data.h"

namespace tw::core {

// Reads a FLAC, Ogg Vorbis, Opus or MP4 file, open for reading as `fd` and `size` bytes
// long, into `record` on a BoundedStream, through TagLib's class for `format` (never Mpeg;
// Ogg Vorbis and Opus through ogg_reader.h, plain FLAC files through flac_listing.h, which
// leave the images out):
// the stream facts and their texts, the play time, the fields and lyrics of its tag
// (property_fields.h) and the list of its pictures (FLAC PICTURE blocks, then those of the
// Vorbis comment; MP4 "covr", as front covers). The ID3v1 fields are emptied: these files
// hold none. The images stay in the file.
//
// Fails, naming the record's path, when the file cannot be read (a read failed, TagLib
// found no valid stream, or the file would make it read more than BoundedStream allows);
// the record's fields are then not what the file holds.
base::Outcome readFormatRecord(AudioFile& record, AudioFormat format, int fd, std::uint64_t size);

// The image bytes of the pictures of such a file (at `path`), in the order readFormatRecord
// lists them, as readPictureData gives them (null for an image larger than `limit`), or why
// the file cannot be read.
base::Result<std::vector<PictureBytes>> readFormatPictures(AudioFormat format, int fd,
                                                           std::uint64_t size, std::uint64_t limit,
                                                           const std::string& path);

}  // namespace tw::core
