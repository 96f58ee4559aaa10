// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/record_output.h"

#include <charconv>
#include <type_traits>

#include "cli/json_text.h"
#include "cli/record_fields.h"
#include "cli/tsv_text.h"

namespace tw::cli {

namespace {

// The buffer goes out once it holds this much.
constexpr std::size_t kFlushAt = 64 * 1024;

// A field's value: a flag as `yes` or `no`, a number in decimal, a text through `text`.
template <typename Value, typename Text>
void appendValue(std::string& out, const Value& value, std::string_view yes, std::string_view no,
                 Text text) {
    if constexpr (std::is_same_v<Value, bool>) {
        out += value ? yes : no;
    } else if constexpr (std::is_same_v<Value, std::int64_t>) {
        char digits[24];
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    } else {
        text(out, value);
    }
}

}  // namespace

RecordWriter::RecordWriter(std::ostream& out, OutputFormat format, Layout layout)
    : out_(out), format_(format), layout_(layout) {
    if (format_ != OutputFormat::Tsv)
        return;
    bool first = true;
    forEachField(core::AudioFile{}, layout_.withInfoText,
                 [&](std::string_view group, std::string_view name, const auto&) {
                     if (!first)
                         buffer_ += '\t';
                     first = false;
                     if (!group.empty()) {
                         buffer_ += group;
                         buffer_ += '.';
                     }
                     buffer_ += name;
                 });
    buffer_ += '\n';
}

RecordWriter::~RecordWriter() {
    if (format_ == OutputFormat::Json && layout_.asList)
        buffer_ += written_ == 0 ? "[]\n" : "\n]\n";
    flush();
    out_.flush();
}

void RecordWriter::flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

void RecordWriter::write(const core::AudioFile& file) {
    if (format_ == OutputFormat::Json)
        writeJson(file);
    else
        writeTsv(file);
    ++written_;
    if (buffer_.size() >= kFlushAt)
        flush();
}

void RecordWriter::writeTsv(const core::AudioFile& file) {
    bool first = true;
    forEachField(file, layout_.withInfoText,
                 [&](std::string_view, std::string_view, const auto& value) {
                     if (!first)
                         buffer_ += '\t';
                     first = false;
                     appendValue(buffer_, value, "1", "0", appendTsvField);
                 });
    buffer_ += '\n';
}

// The pictures as their frames' heads tell: the images are never read for a list.
void RecordWriter::writeJsonPictures(const core::PictureList& pictures) {
    buffer_ += R"(,"pictures":{"count":)";
    appendValue(buffer_, static_cast<std::int64_t>(pictures.items.size()), "", "",
                appendJsonString);
    buffer_ += R"(,"items":[)";
    bool first = true;
    for (const core::Picture& picture : pictures.items) {
        if (!first)
            buffer_ += ',';
        first = false;
        buffer_ += R"({"type":)";
        appendValue(buffer_, std::int64_t{picture.info.type}, "", "", appendJsonString);
        buffer_ += R"(,"mime":)";
        appendJsonString(buffer_, picture.info.mime);
        buffer_ += R"(,"description":)";
        appendJsonString(buffer_, picture.info.description);
        buffer_ += R"(,"bytes":)";
        appendValue(buffer_, static_cast<std::int64_t>(picture.info.byteSize), "", "",
                    appendJsonString);
        buffer_ += '}';
    }
    buffer_ += "]}";
}

void RecordWriter::writeJson(const core::AudioFile& file) {
    if (layout_.asList)
        buffer_ += written_ == 0 ? "[\n" : ",\n";
    buffer_ += '{';
    std::string_view openGroup;
    bool firstOuter = true;
    bool firstInner = true;
    forEachField(file, layout_.withInfoText,
                 [&](std::string_view group, std::string_view name, const auto& value) {
                     if (group != openGroup) {
                         if (!openGroup.empty())
                             buffer_ += '}';
                         if (!group.empty()) {
                             if (!firstOuter)
                                 buffer_ += ',';
                             appendJsonString(buffer_, group);
                             buffer_ += ":{";
                             firstOuter = false;
                             firstInner = true;
                         }
                         openGroup = group;
                     }
                     bool& first = openGroup.empty() ? firstOuter : firstInner;
                     if (!first)
                         buffer_ += ',';
                     first = false;
                     appendJsonString(buffer_, name);
                     buffer_ += ':';
                     appendValue(buffer_, value, "true", "false", appendJsonString);
                 });
    if (!openGroup.empty())
        buffer_ += '}';
    writeJsonPictures(file.pictures);
    buffer_ += '}';
    if (!layout_.asList)
        buffer_ += '\n';
}

}  // namespace tw::cli
