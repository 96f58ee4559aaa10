// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/record_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/json_text.h"

namespace tw::cli {
namespace {

// Each ill-formed piece of UTF-8 becomes one U+FFFD, as strict decoders (Python's among
// them) replace them: a piece is the longest start of a sequence that could still have
// become well-formed.
TEST(JsonString, EscapesControlsAndReplacesIllFormedUtf8) {
    const std::string r = "\xEF\xBF\xBD";
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"a\"b\\c\n\r\t\x01\x1F", "a\\\"b\\\\c\\n\\r\\t\\u0001\\u001f"},
        {std::string("a\0b", 3), "a\\u0000b"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5 \xEF\xBF\xBF",
         "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5 \xEF\xBF\xBF"},
        {"caf\xE9", "caf" + r},  // a Latin-1 byte
        {"\xE2\x82", r},         // cut off
        {"\xF0\x9F\x8E"
         "A",
         r + "A"},                            // cut off before more text
        {"\xED\xA0\x80", r + r + r},          // a surrogate
        {"\xC0\xAF", r + r},                  // overlong
        {"\xE0\x80\x80", r + r + r},          // overlong
        {"\xF4\x90\x80\x80", r + r + r + r},  // above U+10FFFF
        {"\xFF\xFE", r + r},
    };
    for (const auto& c : cases) {
        std::string out = "x";
        appendJsonString(out, c.in);
        EXPECT_EQ(out, "x\"" + c.out + "\"") << c.in;
    }
}

core::AudioFile sample(const std::string& title) {
    core::AudioFile file;
    file.fileName = "a\tb.mp3";
    file.size = 5'000'000'000u;
    file.streamText[0] = "5 bytes";
    file.id3v1.present = true;
    file.id3v1.title = title;
    file.id3v2.encodedBy = "enc";
    file.lyrics.text = "l1\nl2";
    file.infoText = "Size:\t\t5 bytes";
    return file;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// Whether the records parse as JSON is checked on the program's real output.
TEST(RecordWriter, ListsStayWellFormedWithOneRecordALine) {
    std::ostringstream json;
    { RecordWriter writer(json, OutputFormat::Json, {}); }
    EXPECT_EQ(json.str(), "[]\n");
    std::ostringstream two;
    {
        RecordWriter writer(two, OutputFormat::Json, {.asList = true, .withInfoText = false});
        writer.write(sample("T"));
        writer.write(sample("U"));
    }
    const std::string text = two.str();
    EXPECT_TRUE(text.starts_with("[\n{\"fileName\":\"a\\tb.mp3\",")) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_EQ(text.find("infoText"), std::string::npos);

    std::ostringstream tsv;
    { RecordWriter writer(tsv, OutputFormat::Tsv, {}); }
    const std::string header = tsv.str();
    EXPECT_EQ(std::count(header.begin(), header.end(), '\n'), 1);
}

TEST(RecordWriter, TsvRowsMatchTheHeaderAndEscapeSeparators) {
    std::ostringstream out;
    {
        RecordWriter writer(out, OutputFormat::Tsv, {.asList = false, .withInfoText = true});
        writer.write(sample("x\\y"));
    }
    const std::vector<std::string> lines = split(out.str(), '\n');
    ASSERT_EQ(lines.size(), 3u);  // header, row, and the empty rest after the last newline
    const auto header = split(lines[0], '\t');
    const auto row = split(lines[1], '\t');
    ASSERT_EQ(header.size(), row.size());
    auto column = [&](const std::string& name) {
        return row[std::find(header.begin(), header.end(), name) - header.begin()];
    };
    EXPECT_EQ(header.back(), "infoText");
    EXPECT_EQ(column("fileName"), "a\\tb.mp3");
    EXPECT_EQ(column("size"), "5000000000");
    EXPECT_EQ(column("stream.Size"), "5 bytes");
    EXPECT_EQ(column("id3v1.present"), "1");
    EXPECT_EQ(column("id3v1.title"), "x\\\\y");
    EXPECT_EQ(column("lyrics.text"), "l1\\nl2");
    EXPECT_EQ(column("infoText"), "Size:\\t\\t5 bytes");
}

}  // namespace
}  // namespace tw::cli
