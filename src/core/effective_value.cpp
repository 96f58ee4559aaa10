#include "core/effective_value.h"

#include "core/genre_table.h"

namespace tw::core {

namespace {

std::string valueOf(const TagFields& tag, EffectiveField field) {
    switch (field) {
        case EffectiveField::Title:
            return tag.title;
        case EffectiveField::Artist:
            return tag.artist;
        case EffectiveField::Album:
            return tag.album;
        case EffectiveField::Comment:
            return tag.comment;
        case EffectiveField::Year:
            return tag.yearText;
        case EffectiveField::Genre:
            return genreName(tag.genre);
    }
    return {};
}

}  // namespace

std::string EffectiveValue(const AudioFile& file, EffectiveField field) {
    std::string value = valueOf(file.id3v2, field);
    return value.empty() ? valueOf(file.id3v1, field) : value;
}

}  // namespace tw::core
