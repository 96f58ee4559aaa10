// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/audio_file.h"
#include "core/genre_table.h"

namespace tw::cli {

// The names of the stream texts, in StreamField order.
inline constexpr std::array<std::string_view, core::kStreamFieldCount> kStreamFieldNames = {
    "Size", "HeaderPosition", "Length",   "Version",  "Bitrate",  "Frames", "Frequency", "Mode",
    "Crc",  "Copyright",      "Original", "Emphasis", "NoHeader",
};

// Every field of `file` as the CLI prints it, in a fixed order: path, names, dates, size,
// play time, the stream texts by index name, both tags with their flags (and the genre's
// name beside its number: a table name or a free genre) and the lyrics; the
// information text last when `withInfoText`. Calls field(group, name, value) for each, with
// the value as a std::string_view into the record, a std::int64_t or a bool. `group` is
// empty for the record's own facts, else "stream", "id3v1", "id3v2" or "lyrics"; the fields
// of a group come one after the other. Nothing is copied.
template <typename Field>
void forEachField(const core::AudioFile& file, bool withInfoText, Field&& field) {
    using Text = std::string_view;
    auto tag = [&](Text group, const core::TagFields& t) {
        field(group, "inFile", t.inFile);
        field(group, "changed", t.changed);
        field(group, "present", t.present);
        field(group, "genre", std::int64_t{t.genre});
        field(group, "genreName", core::genreNameOf(t));
        field(group, "track", std::int64_t{t.track});
        field(group, "trackTotal", std::int64_t{t.trackTotal});
        field(group, "trackText", Text(t.trackText));
        field(group, "year", std::int64_t{t.year});
        field(group, "yearText", Text(t.yearText));
        field(group, "title", Text(t.title));
        field(group, "artist", Text(t.artist));
        field(group, "album", Text(t.album));
        field(group, "comment", Text(t.comment));
    };
    field("", "fileName", Text(file.fileName));
    field("", "path", Text(file.path));
    field("", "createdText", Text(file.createdText));
    field("", "changedText", Text(file.changedText));
    field("", "size", static_cast<std::int64_t>(file.size));
    field("", "playSeconds", std::int64_t{file.playSeconds});
    for (std::size_t i = 0; i < kStreamFieldNames.size(); ++i)
        field("stream", kStreamFieldNames[i], Text(file.streamText[i]));
    tag("id3v1", file.id3v1);
    tag("id3v2", file.id3v2);
    const core::TagV2Fields& v2 = file.id3v2;
    field("id3v2", "url", Text(v2.url));
    field("id3v2", "publisher", Text(v2.publisher));
    field("id3v2", "origArtist", Text(v2.origArtist));
    field("id3v2", "copyright", Text(v2.copyright));
    field("id3v2", "composer", Text(v2.composer));
    field("id3v2", "encodedBy", Text(v2.encodedBy));
    field("lyrics", "inFile", file.lyrics.inFile);
    field("lyrics", "changed", file.lyrics.changed);
    field("lyrics", "present", file.lyrics.present);
    field("lyrics", "text", Text(file.lyrics.text));
    if (withInfoText)
        field("", "infoText", Text(file.infoText));
}

}  // namespace tw::cli
