// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>

#include "core/formats/format_stream.h"

namespace TagLib {
class File;
}

namespace tw::core {

// The stream facts of an ALAC track of the MP4 file `file`, from the ALAC configuration in
// its sample description. TagLib 1.13 reads that configuration only from a description of
// exactly the size one encoder writes; others (ffmpeg's, with a bitrate box) leave TagLib
// without codec, sample rate or channels. Nothing when the file has no ALAC track or its
// description is too short. The length and
// the bitrate are left to the caller, which has the length from TagLib.
std::optional<FormatStream> alacStreamOf(TagLib::File& file);

}  // namespace tw::core
