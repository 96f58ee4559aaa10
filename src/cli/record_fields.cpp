#include "cli/record_fields.h"

#include <array>

namespace tw::cli {

namespace {

constexpr std::array<std::string_view, core::kStreamFieldCount> kStreamNames = {
    "Size", "HeaderPosition", "Length",   "Version",  "Bitrate",  "Frames", "Frequency", "Mode",
    "Crc",  "Copyright",      "Original", "Emphasis", "NoHeader",
};

void addTag(std::vector<RecordField>& out, std::string_view group, const core::TagFields& tag) {
    auto add = [&](std::string_view name, FieldValue value) {
        out.push_back({group, name, std::move(value)});
    };
    add("inFile", tag.inFile);
    add("changed", tag.changed);
    add("present", tag.present);
    add("genre", std::int64_t{tag.genre});
    add("track", std::int64_t{tag.track});
    add("trackTotal", std::int64_t{tag.trackTotal});
    add("trackText", tag.trackText);
    add("year", std::int64_t{tag.year});
    add("yearText", tag.yearText);
    add("title", tag.title);
    add("artist", tag.artist);
    add("album", tag.album);
    add("comment", tag.comment);
}

}  // namespace

std::vector<RecordField> describeRecord(const core::AudioFile& file, bool withInfoText) {
    std::vector<RecordField> out;
    auto add = [&](std::string_view group, std::string_view name, FieldValue value) {
        out.push_back({group, name, std::move(value)});
    };
    add("", "fileName", file.fileName);
    add("", "path", file.path);
    add("", "createdText", file.createdText);
    add("", "changedText", file.changedText);
    add("", "size", static_cast<std::int64_t>(file.size));
    add("", "playSeconds", std::int64_t{file.playSeconds});
    for (std::size_t i = 0; i < kStreamNames.size(); ++i)
        add("stream", kStreamNames[i], file.streamText[i]);

    addTag(out, "id3v1", file.id3v1);
    addTag(out, "id3v2", file.id3v2);
    const core::TagV2Fields& v2 = file.id3v2;
    add("id3v2", "url", v2.url);
    add("id3v2", "publisher", v2.publisher);
    add("id3v2", "origArtist", v2.origArtist);
    add("id3v2", "copyright", v2.copyright);
    add("id3v2", "composer", v2.composer);
    add("id3v2", "encodedBy", v2.encodedBy);

    add("lyrics", "inFile", file.lyrics.inFile);
    add("lyrics", "changed", file.lyrics.changed);
    add("lyrics", "present", file.lyrics.present);
    add("lyrics", "text", file.lyrics.text);
    if (withInfoText)
        add("", "infoText", file.infoText);
    return out;
}

}  // namespace tw::cli
