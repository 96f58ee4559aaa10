// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/mp3_file.h"

namespace tw::test {

FrameSpec defaultFrameSpec() {
    return FrameSpec{};
}

Bytes defaultAudio(int frames) {
    return mpegFrames(defaultFrameSpec(), frames);
}

Bytes shortestAudio() {
    return mpegFrames(
        {.version = MpegVersion::Mpeg25, .layer = 3, .bitrateKbps = 8, .sampleRate = 12000}, 2);
}

std::string writeMp3(const TempDir& dir, const std::string& name, const Mp3Parts& parts) {
    const std::filesystem::path path = dir / name;
    writeBytes(path, parts.bytes());
    return path.string();
}

}  // namespace tw::test
