// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>

namespace tw::freedb {

class AlbumInfo;
class AlbumLog;
class LineSource;

// Text a record may hold before the reader gives up on it: real records are a few kilobytes,
// and a source that never ends must not make the album grow without bound.
inline constexpr std::size_t kMaxXmcdBytes = 4 * 1024 * 1024;

// Reads one xmcd record from `source` into `album`, pulling lines until the source fails, a
// line "." arrives, or a line beginning with "#FILENAME=" (the next record of a range file)
// arrives. The revision, track offsets, disc length, DYEAR, DTITLE, DGENRE, EXTD, TTITLEn
// and EXTTn are read (continuation lines append, keeping every blank: lines come without
// their line ends only); DISCID and PLAYORDER are not, since the disc id and category come
// from where the record was found.
//
// Afterwards the album is tried as a compilation (see compilation.h; `log`, when given, gets
// the line for a fallback delimiter) and DTITLE is split into artist and title.
//
// True when a "# xmcd" line was seen. A DYEAR, TTITLEn or EXTTn line without "=", or a record
// beyond kMaxXmcdBytes, stops reading with false and leaves the album part-filled.
[[nodiscard]] bool ReadXmcd(AlbumInfo& album, LineSource& source, AlbumLog* log);

}  // namespace tw::freedb
