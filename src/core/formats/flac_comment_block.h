// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <taglib/tbytevector.h>

#include <optional>

#include "core/formats/overlay_stream.h"

namespace tw::core {

// The data of the first VORBIS_COMMENT block of the FLAC file under `stream` (the one
// TagLib reads); empty when it has none, none when its blocks cannot be read.
std::optional<TagLib::ByteVector> fileFlacComment(OverlayStream& stream);

// Puts `comment` into the VORBIS_COMMENT block of the FLAC file `stream` now holds (TagLib's
// save renders that block itself), the padding block behind it taking the difference in
// length where it can, so that the audio stays where TagLib's save left it. False when the
// file has no such block or `comment` is too long for one.
[[nodiscard]] bool putFlacComment(OverlayStream& stream, const TagLib::ByteVector& comment);

}  // namespace tw::core
