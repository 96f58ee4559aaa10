// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "support/bytes.h"
#include "support/mpeg_frames.h"
#include "support/temp_dir.h"

namespace tw::test {

// A whole MP3 file in its usual layout: an ID3v2 tag at the start, the audio frames, any
// trailing bytes (another tag kind, junk), and an ID3v1 tag in the last 128 bytes.
struct Mp3Parts {
    Bytes id3v2{};
    Bytes audio{};
    Bytes trailer{};
    Bytes id3v1{};

    Bytes bytes() const { return join({id3v2, audio, trailer, id3v1}); }
};

// Ten frames of 44.1 kHz MPEG 1 Layer III at 128 kbps, joint stereo.
Bytes defaultAudio(int frames = 10);
// Two frames of the shortest kind (MPEG 2.5 layer III, 8 kbps at 12 kHz): 96 bytes of MPEG
// audio, too few for an ID3v1 tag.
Bytes shortestAudio();
FrameSpec defaultFrameSpec();

// Writes the parts as `name` in `dir` and returns the full path.
std::string writeMp3(const TempDir& dir, const std::string& name, const Mp3Parts& parts);

}  // namespace tw::test
