#include "cli/record_output.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sstream>

#include "cli/json_text.h"

namespace tw::cli {
namespace {

TEST(JsonQuote, EscapesControlsAndReplacesInvalidUtf8) {
    EXPECT_EQ(jsonQuote("a\"b\\c\n\t\x01"), "\"a\\\"b\\\\c\\n\\t\\u0001\"");
    EXPECT_EQ(jsonQuote("caf\xC3\xA9"), "\"caf\xC3\xA9\"");
    // A lone Latin-1 byte becomes U+FFFD.
    EXPECT_EQ(jsonQuote("caf\xE9"), "\"caf\xEF\xBF\xBD\"");
    EXPECT_EQ(jsonQuote(std::string("a\0b", 3)), "\"a\\u0000b\"");
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

TEST(RecordWriter, JsonListHasOneRecordPerLineWithNestedGroups) {
    std::ostringstream out;
    {
        RecordWriter writer(out, OutputFormat::Json, {.asList = true, .withInfoText = false});
        writer.write(sample("T"));
        writer.write(sample("back\\slash \"q\""));
    }
    const std::string json = out.str();
    EXPECT_TRUE(json.starts_with("[\n{\"fileName\":\"a\\tb.mp3\",")) << json;
    EXPECT_EQ(std::count(json.begin(), json.end(), '\n'), 4);

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json;
    const QJsonArray records = document.array();
    ASSERT_EQ(records.size(), 2);
    const QJsonObject second = records[1].toObject();
    EXPECT_EQ(second[QLatin1String("size")].toInteger(), 5'000'000'000);
    EXPECT_FALSE(second.contains(QLatin1String("infoText")));
    EXPECT_EQ(second[QLatin1String("stream")].toObject()[QLatin1String("Size")].toString(),
              QLatin1String("5 bytes"));
    const QJsonObject v1 = second[QLatin1String("id3v1")].toObject();
    EXPECT_TRUE(v1[QLatin1String("present")].toBool());
    EXPECT_EQ(v1[QLatin1String("genre")].toInt(), -1);
    EXPECT_EQ(v1[QLatin1String("title")].toString(), QLatin1String("back\\slash \"q\""));
    EXPECT_EQ(second[QLatin1String("id3v2")].toObject()[QLatin1String("encodedBy")].toString(),
              QLatin1String("enc"));
    EXPECT_EQ(second[QLatin1String("lyrics")].toObject()[QLatin1String("text")].toString(),
              QLatin1String("l1\nl2"));
}

TEST(RecordWriter, EmptyListsStayWellFormed) {
    std::ostringstream json;
    { RecordWriter writer(json, OutputFormat::Json, {}); }
    EXPECT_EQ(json.str(), "[]\n");

    std::ostringstream tsv;
    { RecordWriter writer(tsv, OutputFormat::Tsv, {}); }
    const std::string header = tsv.str();
    EXPECT_TRUE(header.starts_with("fileName\tpath\t"));
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
    EXPECT_EQ(column("stream.Size"), "5 bytes");
    EXPECT_EQ(column("id3v1.present"), "1");
    EXPECT_EQ(column("id3v1.title"), "x\\\\y");
    EXPECT_EQ(column("lyrics.text"), "l1\\nl2");
    EXPECT_EQ(column("infoText"), "Size:\\t\\t5 bytes");
}

}  // namespace
}  // namespace tw::cli
