// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace tw::freedb {

class AlbumInfo;
class AlbumLog;

// Splits every track title at its first `delimiter` into the track artist (before) and the
// title (after), both trimmed, and marks the album a compilation. When some title lacks the
// delimiter nothing changes and the result is false. An album without tracks succeeds.
bool ParseCompilation(AlbumInfo& album, std::string_view delimiter);

// The delimiters tried, in order, after an xmcd record was read.
inline constexpr std::array<std::string_view, 6> kXmcdCompilationDelimiters = {" / ", "/", "--",
                                                                               "-",   "=", "_"};
// The delimiters tried, in order, after a CD-player INI section was read.
inline constexpr std::array<std::string_view, 5> kIniCompilationDelimiters = {" / ", "/", "-", "=",
                                                                              "_"};

// Tries ParseCompilation with each delimiter in turn until one succeeds. When one other than
// the first succeeds and `log` is given, the log gets a line naming the album and the
// delimiter. True when the album was recognised as a compilation.
bool DetectCompilation(AlbumInfo& album, std::span<const std::string_view> delimiters,
                       AlbumLog* log);

}  // namespace tw::freedb
