// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/property_fields.h"

#include <taglib/mp4tag.h>
#include <taglib/tpropertymap.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "core/text_genre.h"

namespace tw::core {

namespace {

// TagLib's names of the keys, in the order of FieldKey.
constexpr std::array<std::string_view, kFieldKeyCount> kKeyNames = {
    "TITLE",          "ARTIST",     "ALBUMARTIST",  "CONDUCTOR", "COMPOSER",
    "ALBUM",          "COMMENT",    "DESCRIPTION",  "DATE",      "GENRE",
    "TRACKNUMBER",    "TRACKTOTAL", "TOTALTRACKS",  "COPYRIGHT", "ENCODEDBY",
    "ORIGINALARTIST", "LABEL",      "ORGANIZATION", "LYRICS"};

// The first value of the first of `keys` there is.
const std::optional<std::string>& firstValue(const FieldValues& values,
                                             std::initializer_list<FieldKey> keys) {
    for (const FieldKey key : keys)
        if (values.has(key))
            return values[key];
    static const std::optional<std::string> none;
    return none;
}

void readText(const FieldValues& values, std::initializer_list<FieldKey> keys, std::string& field) {
    if (const auto& text = firstValue(values, keys))
        field = *text;
}

}  // namespace

void FieldValues::offer(FieldKey key, std::string_view text) {
    auto& value = values_[static_cast<std::size_t>(key)];
    if (!value)
        value.emplace(text.substr(0, text.find('\0')));
}

bool isNamed(std::string_view name, std::string_view upperName) {
    return std::equal(name.begin(), name.end(), upperName.begin(), upperName.end(),
                      [](char a, char b) {
                          return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
                      });
}

std::optional<FieldKey> fieldKeyNamed(std::string_view name) {
    for (std::size_t i = 0; i < kKeyNames.size(); ++i)
        if (isNamed(name, kKeyNames[i]))
            return static_cast<FieldKey>(i);
    return std::nullopt;
}

FieldValues fieldValuesOf(const TagLib::PropertyMap& map) {
    // One pass over the map's few keys costs less than a search for each of ours.
    FieldValues values;
    for (const auto& [key, list] : map)
        if (!list.isEmpty())
            if (const auto field = fieldKeyNamed(key.to8Bit(true)))
                values.offer(*field, list.front().to8Bit(true));
    return values;
}

FieldValues fieldValuesOf(const TagLib::MP4::Tag& tag) {
    // Built once: a TagLib string for each name costs more than the look-ups.
    static const std::vector<TagLib::String> kNames = [] {
        std::vector<TagLib::String> names;
        for (const Mp4ItemKey& item : kMp4ItemKeys)
            names.emplace_back(std::string(item.name), TagLib::String::Latin1);
        return names;
    }();
    FieldValues values;
    const TagLib::MP4::ItemMap& items = tag.itemMap();
    for (std::size_t i = 0; i < kMp4ItemKeys.size(); ++i) {
        const auto found = items.find(kNames[i]);
        if (found == items.end())
            continue;
        const FieldKey key = kMp4ItemKeys[i].key;
        if (key == FieldKey::TrackNumber) {
            const TagLib::MP4::Item::IntPair pair = found->second.toIntPair();
            values.offer(key, mp4TrackText(pair.first, pair.second));
        } else if (const TagLib::StringList list = found->second.toStringList(); !list.isEmpty()) {
            values.offer(key, list.front().to8Bit(true));
        }
    }
    return values;
}

std::optional<FieldKey> mp4ItemKey(std::string_view name) {
    for (const Mp4ItemKey& item : kMp4ItemKeys)
        if (item.name == name)
            return item.key;
    return std::nullopt;
}

std::string mp4TrackText(int number, int total) {
    return std::to_string(number) + (total != 0 ? "/" + std::to_string(total) : "");
}

void readFieldValues(const FieldValues& values, TagV2Fields& fields, LyricsTag& lyrics) {
    using enum FieldKey;
    fields = TagV2Fields{};
    fields.inFile = fields.present = true;

    readText(values, {Title}, fields.title);
    readText(values, {Artist, AlbumArtist, Conductor, Composer}, fields.artist);
    readText(values, {Album}, fields.album);
    readText(values, {Comment, Description}, fields.comment);
    if (const auto& date = values[Date])
        fields.setYear(leadingNumber(*date), false);
    if (const auto& genre = values[Genre])
        assignTextGenre(fields, *genre);
    if (const auto& track = values[TrackNumber])
        fields.assignTrackText(*track, false);
    if (fields.trackTotal == 0)
        if (const auto& total = firstValue(values, {TrackTotal, TotalTracks}))
            fields.setTrackTotal(std::max(0, leadingNumber(*total)), false);
    readText(values, {Composer}, fields.composer);
    readText(values, {Copyright}, fields.copyright);
    readText(values, {EncodedBy}, fields.encodedBy);
    readText(values, {OriginalArtist}, fields.origArtist);
    readText(values, {Label, Organization}, fields.publisher);

    lyrics = LyricsTag{};
    if (const auto& text = values[Lyrics]) {
        lyrics.text = *text;
        lyrics.inFile = lyrics.present = true;
    }
}

void readPropertyFields(const TagLib::PropertyMap& map, TagV2Fields& fields, LyricsTag& lyrics) {
    readFieldValues(fieldValuesOf(map), fields, lyrics);
}

}  // namespace tw::core
