// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/mp3_file.h"

namespace tw::test {

FrameSpec defaultFrameSpec() {
    return FrameSpec{};
}

Bytes defaultAudio(int frames) {
    return mpegFrames(defaultFrameSpec(), frames);
}

std::string writeMp3(const TempDir& dir, const std::string& name, const Mp3Parts& parts) {
    const std::filesystem::path path = dir / name;
    writeBytes(path, parts.bytes());
    return path.string();
}

}  // namespace tw::test
