// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

namespace tw::core {

class ByteWindow;

// Where the audio of a stream that starts at `audioStart` ends: in front of the tags that
// players append (an ID3v1 tag, and an APEv2 tag at the end or in front of the ID3v1 tag).
// Reads the last 160 bytes of the input, once.
std::uint64_t audioEnd(ByteWindow& input, std::uint64_t audioStart);

}  // namespace tw::core
