// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/property_fields.h"

#include <taglib/mp4tag.h>
#include <taglib/tpropertymap.h>

#include <algorithm>
#include <initializer_list>

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
    using enum FieldKey;
    // The atoms of TagLib's key names, as its MP4 tag names them; MP4 has no atom for the
    // other keys.
    struct Atom {
        TagLib::String name;
        FieldKey key;
    };
    static const Atom kAtoms[] = {
        {TagLib::String("\251nam", TagLib::String::Latin1), Title},
        {TagLib::String("\251ART", TagLib::String::Latin1), Artist},
        {TagLib::String("aART"), AlbumArtist},
        {TagLib::String("----:com.apple.iTunes:CONDUCTOR"), Conductor},
        {TagLib::String("\251wrt", TagLib::String::Latin1), Composer},
        {TagLib::String("\251alb", TagLib::String::Latin1), Album},
        {TagLib::String("\251cmt", TagLib::String::Latin1), Comment},
        {TagLib::String("\251day", TagLib::String::Latin1), Date},
        {TagLib::String("\251gen", TagLib::String::Latin1), Genre},
        {TagLib::String("trkn"), TrackNumber},
        {TagLib::String("cprt"), Copyright},
        {TagLib::String("\251too", TagLib::String::Latin1), EncodedBy},
        {TagLib::String("----:com.apple.iTunes:LABEL"), Label},
        {TagLib::String("\251lyr", TagLib::String::Latin1), Lyrics},
    };
    FieldValues values;
    const TagLib::MP4::ItemMap& items = tag.itemMap();
    for (const Atom& atom : kAtoms) {
        const auto found = items.find(atom.name);
        if (found == items.end())
            continue;
        if (atom.key == TrackNumber) {
            // As TagLib's map gives it: "n", or "n/N" with a total.
            const TagLib::MP4::Item::IntPair pair = found->second.toIntPair();
            values.offer(atom.key, std::to_string(pair.first) +
                                       (pair.second != 0 ? "/" + std::to_string(pair.second) : ""));
        } else if (const TagLib::StringList list = found->second.toStringList(); !list.isEmpty()) {
            values.offer(atom.key, list.front().to8Bit(true));
        }
    }
    return values;
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
