// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/text_genre.h"

#include <utility>

#include "core/genre_table.h"
#include "core/id3v2_fields.h"

namespace tw::core {

void assignTextGenre(TagFields& fields, std::string_view text) {
    // TagLib knows names past the table's ("Shoegaze" is its 178): they stay texts too.
    const auto number = genreOfTconValue(text);
    const bool named = number && GenreTable::positionOf(*number);
    fields.genre = named ? *number : -1;
    fields.freeGenre.assign(named ? std::string_view() : text);
}

void setTextGenre(TagFields& fields, std::string_view text) {
    if (!fields.present)
        return;
    TagFields wanted;
    assignTextGenre(wanted, text);
    if (wanted.genre == fields.genre && wanted.freeGenre == fields.freeGenre)
        return;
    fields.genre = wanted.genre;
    fields.freeGenre = std::move(wanted.freeGenre);
    fields.changed = true;
}

}  // namespace tw::core
