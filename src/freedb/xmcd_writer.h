// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::freedb {

class AlbumInfo;

// The xmcd record of `album`: the comment header with the track frame offsets, the disc
// length and the album's revision (0 when it has none), then DISCID, DTITLE, DYEAR, DGENRE
// (the genre, or the category's name without one), TTITLEn, EXTD, EXTTn and PLAYORDER, each
// line ended by "\n". The disc id is computed when none is stored.
std::string WriteXmcd(const AlbumInfo& album);

// The comment line below "# Revision:" that marks a stored record as holding edits made
// after that revision (AlbumInfo::markEditedAfterRevision). Other readers skip it.
inline constexpr std::string_view kEditedAfterRevisionLine = "# Edited after this revision";

// The record as the local database keeps it: WriteXmcd's, with kEditedAfterRevisionLine
// when the album carries a revision and was edited since it was read, so the copy still
// submits as the correction it is after the program has ended.
std::string WriteStoredXmcd(const AlbumInfo& album);

// Appends the pair `key`=`value` to `out`: the value with line feeds, tabs and backslashes
// escaped (other control characters dropped), split over several lines of the same key so that no
// line exceeds 250 characters before its line feed. An empty value gives one line "key=".
void WriteXmcdLine(std::string& out, std::string_view key, std::string_view value);

}  // namespace tw::freedb
