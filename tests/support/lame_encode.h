// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace tw::test {

// Whether /usr/bin/lame is there to make real MP3 files.
bool lameAvailable();

// Encodes `seconds` of a 44.1 kHz stereo tone (its pitch rising, so a VBR encoder has something
// to vary) with lame and `options` (for example "-b 128" or "-V 2") into `path`. Throws when
// lame fails.
void encodeWithLame(const std::filesystem::path& path, double seconds, const std::string& options);

}  // namespace tw::test
