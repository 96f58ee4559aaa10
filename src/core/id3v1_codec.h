// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tw::core {

// ID3v1 texts are bytes in an 8-bit code page, the one the "ID3v1CodePage" setting names
// (windows-1252 unless the user chose another; an unknown name falls back to it).

// The bytes as UTF-8.
std::string decodeId3v1(std::string_view bytes);
// UTF-8 text in the code page, "?" for what it cannot hold, cut to at most `maxBytes`
// without splitting a character.
std::string encodeId3v1(std::string_view utf8, std::size_t maxBytes);

}  // namespace tw::core
