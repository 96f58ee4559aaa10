// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/format_tag_edit.h"

#include <taglib/mp4tag.h>
#include <taglib/tpropertymap.h>
#include <taglib/xiphcomment.h>

#include <array>
#include <utility>

#include "core/formats/property_fields.h"
#include "core/genre_table.h"

namespace tw::core {

namespace {

TagLib::String fromUtf8(std::string_view text) {
    return TagLib::String(std::string(text), TagLib::String::UTF8);
}

void setIfChanged(FormatTag& tag, std::string_view key, const std::string& now,
                  const std::string& was) {
    if (now != was)
        tag.set(key, now);
}

// The MP4 atom of each key the fields write.
constexpr std::array<std::pair<std::string_view, const char*>, 12> kMp4Atoms{{
    {"TITLE", "\251nam"},
    {"ARTIST", "\251ART"},
    {"ALBUM", "\251alb"},
    {"DATE", "\251day"},
    {"GENRE", "\251gen"},
    {"COMMENT", "\251cmt"},
    {"COMPOSER", "\251wrt"},
    {"LYRICS", "\251lyr"},
    {"COPYRIGHT", "cprt"},
    {"ENCODEDBY", "\251too"},
    {"LABEL", "----:com.apple.iTunes:LABEL"},
    {"ORIGINALARTIST", "----:com.apple.iTunes:ORIGINALARTIST"},
}};

TagLib::String mp4AtomOf(std::string_view key) {
    for (const auto& [name, atom] : kMp4Atoms)
        if (name == key)
            return TagLib::String(atom, TagLib::String::Latin1);
    return {};
}

}  // namespace

void writeFormatFields(FormatTag& tag, const TagV2Fields& fields) {
    TagV2Fields was;
    LyricsTag lyrics;
    readPropertyFields(tag.properties(), was, lyrics);
    setIfChanged(tag, "TITLE", fields.title, was.title);
    setIfChanged(tag, "ARTIST", fields.artist, was.artist);
    setIfChanged(tag, "ALBUM", fields.album, was.album);
    setIfChanged(tag, "COMMENT", fields.comment, was.comment);
    setIfChanged(tag, "DATE", fields.yearText, was.yearText);
    if (fields.genre != was.genre || fields.freeGenre != was.freeGenre)
        tag.set("GENRE", fields.freeGenre.empty() ? genreName(fields.genre) : fields.freeGenre);
    if (fields.track != was.track || fields.trackTotal != was.trackTotal)
        tag.setTrack(fields);
    setIfChanged(tag, "COMPOSER", fields.composer, was.composer);
    setIfChanged(tag, "COPYRIGHT", fields.copyright, was.copyright);
    setIfChanged(tag, "ENCODEDBY", fields.encodedBy, was.encodedBy);
    setIfChanged(tag, "ORIGINALARTIST", fields.origArtist, was.origArtist);
    setIfChanged(tag, "LABEL", fields.publisher, was.publisher);
}

void writeFormatLyrics(FormatTag& tag, std::string_view text) {
    TagV2Fields fields;
    LyricsTag was;
    readPropertyFields(tag.properties(), fields, was);
    setIfChanged(tag, "LYRICS", std::string(text), was.text);
}

TagLib::PropertyMap XiphTag::properties() const {
    return comment_.properties();
}

void XiphTag::set(std::string_view key, const std::string& text) {
    if (text.empty())
        comment_.removeFields(fromUtf8(key));
    else
        comment_.addField(fromUtf8(key), fromUtf8(text), true);
}

void XiphTag::setTrack(const TagFields& fields) {
    // "n/N" in TRACKNUMBER stays that way where the file had it so.
    const auto& map = comment_.fieldListMap();
    const auto number = map.find("TRACKNUMBER");
    const bool combined =
        number != map.end() && !number->second.isEmpty() && number->second.front().find("/") >= 0;
    comment_.removeFields("TOTALTRACKS");
    if (combined) {
        comment_.removeFields("TRACKTOTAL");
        set("TRACKNUMBER", composeTrackText(fields));
        return;
    }
    set("TRACKNUMBER", fields.track > 0 ? std::to_string(fields.track) : std::string());
    set("TRACKTOTAL", fields.trackTotal > 0 ? std::to_string(fields.trackTotal) : std::string());
}

void XiphTag::clear() {
    comment_.removeAllFields();
    comment_.removeAllPictures();
}

TagLib::PropertyMap Mp4Tag::properties() const {
    return tag_.properties();
}

void Mp4Tag::set(std::string_view key, const std::string& text) {
    const TagLib::String atom = mp4AtomOf(key);
    if (key == "GENRE")
        tag_.removeItem("gnre");  // a number of the old genre list, overruled by the name
    if (text.empty())
        tag_.removeItem(atom);
    else
        tag_.setItem(atom, TagLib::StringList(fromUtf8(text)));
}

void Mp4Tag::setTrack(const TagFields& fields) {
    if (fields.track == 0 && fields.trackTotal == 0)
        tag_.removeItem("trkn");
    else
        tag_.setItem("trkn", TagLib::MP4::Item(fields.track, fields.trackTotal));
}

void Mp4Tag::clear() {
    const TagLib::MP4::ItemMap items = tag_.itemMap();
    for (const auto& item : items)
        tag_.removeItem(item.first);
}

}  // namespace tw::core
