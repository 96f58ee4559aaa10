// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace tw::test {

// Raw file contents as the fixture builders produce them.
using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text);
void append(Bytes& out, const Bytes& more);
void append(Bytes& out, std::string_view more);
void appendBigEndian(Bytes& out, std::uint32_t value, int byteCount);

// Concatenation of several parts, in order.
Bytes join(std::initializer_list<Bytes> parts);

// Writes `data` to `path`, replacing what was there; throws on failure.
void writeBytes(const std::filesystem::path& path, const Bytes& data);
// The whole file; throws when it cannot be read.
Bytes readBytes(const std::filesystem::path& path);

}  // namespace tw::test
