// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "core/byte_window.h"
#include "core/id3v2_fields.h"
#include "core/id3v2_header.h"
#include "core/picture_info.h"

namespace tw::core {

// The texts of the fields and the pictures of the tag whose header is `header`, read from
// the first `tagLength` bytes of `file` straight from the bytes of the frames (the frame
// walk finds them; id3v2_frame_texts.h reads them), with nothing allocated per frame beyond
// the texts themselves: what TagLib's parse of the same tag gives (fieldFrameTexts and
// Id3v2Tag::pictures), at a fraction of its cost.
//
// False, with `texts` and `pictures` left in no particular state, for a tag whose fields
// TagLib has to read: a v2.2 tag (its frames are carried over to v2.3 first), a tag
// unsynchronised as a whole, a field's frame with format flags (compressed, encrypted,
// grouped, unsynchronised, with a data length), and texts these readers do not copy.
[[nodiscard]] bool readFieldTexts(const Id3v2Header& header, ByteWindow& file,
                                  std::uint64_t tagLength, FieldFrameTexts& texts,
                                  std::vector<PictureInfo>& pictures);

}  // namespace tw::core
