#pragma once

#include <string>
#include <string_view>

namespace tw::freedb {

class AlbumInfo;

// The xmcd record of `album`: the comment header with the track frame offsets and the disc
// length, then DISCID, DTITLE, DYEAR, DGENRE, TTITLEn, EXTD, EXTTn and PLAYORDER, each line
// ended by "\n". The disc id is computed when none is stored.
std::string WriteXmcd(const AlbumInfo& album);

// Appends the pair `key`=`value` to `out`: the value with line feeds, tabs and backslashes
// escaped (carriage returns dropped), split over several lines of the same key so that no
// line exceeds 250 characters before its line feed. An empty value gives one line "key=".
void WriteXmcdLine(std::string& out, std::string_view key, std::string_view value);

}  // namespace tw::freedb
