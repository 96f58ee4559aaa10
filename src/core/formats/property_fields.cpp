// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/property_fields.h"

#include <taglib/tpropertymap.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>

#include "core/text_genre.h"

namespace tw::core {

namespace {

// The first value of the first of `keys` the map holds.
std::optional<std::string> firstValue(const TagLib::PropertyMap& map,
                                      std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        const auto found = map.find(key);
        if (found == map.end() || found->second.isEmpty())
            continue;
        std::string text = found->second.front().to8Bit(true);
        text.resize(std::min(text.size(), text.find('\0')));
        return text;
    }
    return std::nullopt;
}

void readText(const TagLib::PropertyMap& map, std::initializer_list<const char*> keys,
              std::string& field) {
    if (auto text = firstValue(map, keys))
        field = std::move(*text);
}

}  // namespace

void readPropertyFields(const TagLib::PropertyMap& map, TagV2Fields& fields, LyricsTag& lyrics) {
    fields = TagV2Fields{};
    fields.inFile = fields.present = true;

    readText(map, {"TITLE"}, fields.title);
    readText(map, {"ARTIST", "ALBUMARTIST", "CONDUCTOR", "COMPOSER"}, fields.artist);
    readText(map, {"ALBUM"}, fields.album);
    readText(map, {"COMMENT", "DESCRIPTION"}, fields.comment);
    if (auto date = firstValue(map, {"DATE"}))
        fields.setYear(leadingNumber(*date), false);
    if (auto genre = firstValue(map, {"GENRE"}))
        assignTextGenre(fields, *genre);
    if (auto track = firstValue(map, {"TRACKNUMBER"}))
        fields.assignTrackText(*track, false);
    if (fields.trackTotal == 0)
        if (auto total = firstValue(map, {"TRACKTOTAL", "TOTALTRACKS"}))
            fields.setTrackTotal(std::max(0, leadingNumber(*total)), false);
    readText(map, {"COMPOSER"}, fields.composer);
    readText(map, {"COPYRIGHT"}, fields.copyright);
    readText(map, {"ENCODEDBY"}, fields.encodedBy);
    readText(map, {"ORIGINALARTIST"}, fields.origArtist);
    readText(map, {"LABEL", "ORGANIZATION"}, fields.publisher);

    lyrics = LyricsTag{};
    if (auto text = firstValue(map, {"LYRICS"})) {
        lyrics.text = std::move(*text);
        lyrics.inFile = lyrics.present = true;
    }
}

}  // namespace tw::core
