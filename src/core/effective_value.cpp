// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/effective_value.h"

#include "core/genre_table.h"

namespace tw::core {

namespace {

const std::string& textOf(const TagFields& tag, EffectiveField field) {
    switch (field) {
        case EffectiveField::Artist:
            return tag.artist;
        case EffectiveField::Album:
            return tag.album;
        case EffectiveField::Comment:
            return tag.comment;
        case EffectiveField::Year:
            return tag.yearText;
        case EffectiveField::Title:
        case EffectiveField::Genre:  // a number, read by EffectiveValue itself
            break;
    }
    return tag.title;
}

}  // namespace

std::string EffectiveValue(const AudioFile& file, EffectiveField field) {
    if (field == EffectiveField::Genre) {
        if (!file.id3v2.freeGenre.empty())
            return file.id3v2.freeGenre;
        std::string name = genreName(file.id3v2.genre);
        return name.empty() ? genreName(file.id3v1.genre) : name;
    }
    return std::string(preferV2(textOf(file.id3v2, field), textOf(file.id3v1, field)));
}

}  // namespace tw::core
