// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/tag_fields.h"

namespace tw::core {

// The genres of the program: 128 names with their ID3v1 numbers, in the program's own
// alphabetical order (the order the genre selector lists them in), and the conversions
// between number, name and the ID3v2 genre text "(number)name".
//
// Numbers 0..125 are the ID3v1 genres, 254 is "Data" and 255 "Not Set"; 126 and 127 lie in
// the ID3v1 range but have no name here.
struct GenreEntry {
    std::uint8_t number;
    std::string_view name;
};

class GenreTable {
public:
    static constexpr std::size_t kSize = 128;

    static std::span<const GenreEntry> entries();
    // Position of `number`'s entry in entries(), for 0..127; none for 126, 127 and others.
    static std::optional<std::size_t> positionOf(std::int32_t number);
};

// The name of a genre number of 0..127; empty otherwise and for 126 and 127.
std::string genreName(std::int32_t number);
// The genre of `fields` as lists show it: its free genre, else the table's name of its
// number (also "Data" and "Not Set"); empty for none. A view into the fields or the table.
std::string_view genreNameOf(const TagFields& fields);
// "(17)Rock" for a named number of 0..127; empty otherwise.
std::string genreText(std::int32_t number);
// The genre an ID3v2 genre text names: "(17)Rock", "(17)" and "(17)Anything" give 17
// (negative numbers other than -1 give -1); otherwise a name of the table, compared
// case-sensitively. Nothing when the text names no genre.
std::optional<std::int32_t> genreFromText(std::string_view text);
// genreFromText, or `current` when the text names no genre.
std::int32_t parseGenre(std::string_view text, std::int32_t current);
// Sets fields.genre to the number of the first genre 0..127 whose name equals `name`
// without regard to case, or -1, in place of a free genre; no state flag changes.
void genreByName(TagFields& fields, std::string_view name);
// "5/12" with a total, "5" without, empty for no track.
std::string composeTrackText(const TagFields& fields);

}  // namespace tw::core
