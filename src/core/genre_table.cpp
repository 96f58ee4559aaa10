// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/genre_table.h"

#include <array>

#include "base/ascii.h"

namespace tw::core {

namespace {

constexpr std::array<GenreEntry, GenreTable::kSize> kEntries = {{
    {123, "Acapella"},
    {34, "Acid"},
    {74, "Acid Jazz"},
    {73, "Acid Punk"},
    {99, "Acoustic"},
    {20, "Alternative"},
    {40, "Alternative Rock"},
    {26, "Ambient"},
    {90, "Avantgarde"},
    {116, "Ballad"},
    {41, "Bass"},
    {85, "Bebob"},
    {96, "Big Band"},
    {89, "Bluegrass"},
    {0, "Blues"},
    {107, "Booty Bass"},
    {65, "Cabaret"},
    {88, "Celtic"},
    {104, "Chamber Music"},
    {102, "Chanson"},
    {97, "Chorus"},
    {61, "Christian Rap"},
    {1, "Classic Rock"},
    {32, "Classical"},
    {112, "Club"},
    {57, "Comedy"},
    {2, "Country"},
    {58, "Cult"},
    {3, "Dance"},
    {125, "Dance Hall"},
    {50, "Darkwave"},
    {254, "Data"},
    {22, "Death Metal"},
    {4, "Disco"},
    {55, "Dream"},
    {122, "Drum Solo"},
    {120, "Duet"},
    {98, "Easy Listening"},
    {52, "Electronic"},
    {48, "Ethnic"},
    {124, "Euro-House"},
    {25, "Euro-Techno"},
    {54, "Eurodance"},
    {84, "Fast Fusion"},
    {80, "Folk"},
    {81, "Folk-Rock"},
    {115, "Folklore"},
    {119, "Freestyle"},
    {5, "Funk"},
    {30, "Fusion"},
    {36, "Game"},
    {59, "Gangsta"},
    {38, "Gospel"},
    {49, "Gothic"},
    {91, "Gothic Rock"},
    {6, "Grunge"},
    {79, "Hard Rock"},
    {7, "Hip-Hop"},
    {35, "House"},
    {100, "Humour"},
    {19, "Industrial"},
    {33, "Instrumental"},
    {46, "Instrumental Pop"},
    {47, "Instrumental Rock"},
    {8, "Jazz"},
    {29, "Jazz+Funk"},
    {63, "Jungle"},
    {86, "Latin"},
    {71, "Lo-Fi"},
    {45, "Meditative"},
    {9, "Metal"},
    {77, "Musical"},
    {82, "National Folk"},
    {64, "Native American"},
    {10, "New Age"},
    {66, "New Wave"},
    {39, "Noise"},
    {255, "Not Set"},
    {11, "Oldies"},
    {103, "Opera"},
    {12, "Other"},
    {75, "Polka"},
    {13, "Pop"},
    {62, "Pop/Funk"},
    {53, "Pop-Folk"},
    {109, "Porn Groove"},
    {117, "Power Ballad"},
    {23, "Pranks"},
    {108, "Primus"},
    {92, "Progressive Rock"},
    {67, "Psychadelic"},
    {93, "Psychedelic Rock"},
    {43, "Punk"},
    {121, "Punk Rock"},
    {14, "R&B"},
    {15, "Rap"},
    {68, "Rave"},
    {16, "Reggae"},
    {76, "Retro"},
    {87, "Revival"},
    {118, "Rhythmic Soul"},
    {17, "Rock"},
    {78, "Rock & Roll"},
    {114, "Samba"},
    {110, "Satire"},
    {69, "Showtunes"},
    {21, "Ska"},
    {111, "Slow Jam"},
    {95, "Slow Rock"},
    {105, "Sonata"},
    {42, "Soul"},
    {37, "Sound Clip"},
    {24, "Soundtrack"},
    {56, "Southern Rock"},
    {44, "Space"},
    {101, "Speech"},
    {83, "Swing"},
    {94, "Symphonic Rock"},
    {106, "Symphony"},
    {113, "Tango"},
    {18, "Techno"},
    {51, "Techno-Industrial"},
    {60, "Top 40"},
    {70, "Trailer"},
    {31, "Trance"},
    {72, "Tribal"},
    {27, "Trip-Hop"},
    {28, "Vocal"},
}};

// Position of each number's entry, by number 0..127; -1 for the two without one.
constexpr std::array<std::int16_t, 128> kPositionByNumber = [] {
    std::array<std::int16_t, 128> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < kEntries.size(); ++i)
        if (kEntries[i].number < 128)
            index[kEntries[i].number] = static_cast<std::int16_t>(i);
    return index;
}();

}  // namespace

std::span<const GenreEntry> GenreTable::entries() {
    return kEntries;
}

std::optional<std::size_t> GenreTable::positionOf(std::int32_t number) {
    if (number < 0 || number > 127 || kPositionByNumber[static_cast<std::size_t>(number)] < 0)
        return std::nullopt;
    return static_cast<std::size_t>(kPositionByNumber[static_cast<std::size_t>(number)]);
}

std::string genreName(std::int32_t number) {
    const auto position = GenreTable::positionOf(number);
    return position ? std::string(kEntries[*position].name) : std::string();
}

std::string genreText(std::int32_t number) {
    const auto position = GenreTable::positionOf(number);
    if (!position)
        return {};
    return "(" + std::to_string(number) + ")" + std::string(kEntries[*position].name);
}

std::string_view genreNameOf(const TagFields& fields) {
    if (!fields.freeGenre.empty())
        return fields.freeGenre;
    const auto position = GenreTable::positionOf(fields.genre);
    return position ? kEntries[*position].name : std::string_view();
}

std::optional<std::int32_t> genreFromText(std::string_view text) {
    if (!text.empty() && text.front() == '(') {
        // "(%d" as scanf reads it: blanks, an optional sign, at least one digit.
        std::string_view rest = text.substr(1);
        while (!rest.empty() &&
               (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\n' ||
                rest.front() == '\r' || rest.front() == '\v' || rest.front() == '\f'))
            rest.remove_prefix(1);
        std::size_t digits =
            (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) ? 1 : 0;
        if (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
            const std::int32_t number = leadingNumber(rest);
            return number < 0 ? -1 : number;
        }
    }
    for (const GenreEntry& entry : kEntries)
        if (entry.name == text)
            return entry.number;
    return std::nullopt;
}

std::int32_t parseGenre(std::string_view text, std::int32_t current) {
    return genreFromText(text).value_or(current);
}

void genreByName(TagFields& fields, std::string_view name) {
    for (std::int32_t number = 0; number < 128; ++number) {
        const auto position = GenreTable::positionOf(number);
        if (position && base::equalsNoCase(kEntries[*position].name, name)) {
            fields.genre = number;
            fields.freeGenre.clear();
            return;
        }
    }
    fields.genre = -1;
    fields.freeGenre.clear();
}

std::string composeTrackText(const TagFields& fields) {
    if (fields.trackTotal >= 1)
        return std::to_string(fields.track) + "/" + std::to_string(fields.trackTotal);
    if (fields.track != 0)
        return std::to_string(fields.track);
    return {};
}

}  // namespace tw::core
