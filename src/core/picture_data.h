// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "core/audio_file.h"

namespace tw::core {

using PictureBytes = std::shared_ptr<const std::string>;

// The image bytes of the pictures of the file at `path`, one entry per picture frame (per
// picture of a FLAC, Ogg or MP4 file) in the order of AudioFile::pictures as read from the
// file; an entry is null for a picture whose
// frame cannot be parsed (compressed beyond repair, encrypted) or whose image is larger than
// `limit` bytes. Nothing, with `why` (when given), when the file cannot be read. Safe to
// call from any thread.
[[nodiscard]] base::Result<std::vector<PictureBytes>> readPictureData(const std::string& path,
                                                                      std::uint64_t limit);

// The bytes of picture `index` of `record`: its own for a picture added in memory, else
// those of `loaded` (what readPictureData gave for the file); null when there are none.
PictureBytes pictureBytes(const AudioFile& record, std::size_t index,
                          const std::vector<PictureBytes>& loaded);

// Images larger than this are listed but neither read whole nor decoded.
inline constexpr std::uint64_t kPictureReadLimit = 16ull * 1024 * 1024;

}  // namespace tw::core
