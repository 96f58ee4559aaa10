#include "cli/record_output.h"

#include <gtest/gtest.h>

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

std::vector<RecordField> sample(std::string title) {
    return {{"", "fileName", std::string("a\tb.mp3")},
            {"", "size", std::int64_t{5'000'000'000}},
            {"id3v1", "present", true},
            {"id3v1", "title", std::move(title)},
            {"lyrics", "text", std::string("l1\nl2")},
            {"", "infoText", std::string("x")}};
}

TEST(RecordWriter, JsonListNestsGroups) {
    std::ostringstream out;
    {
        RecordWriter writer(out, OutputFormat::Json, true);
        writer.write(sample("T"));
        writer.write(sample("U"));
    }
    EXPECT_EQ(out.str(),
              "[\n"
              "{\"fileName\":\"a\\tb.mp3\",\"size\":5000000000,\"id3v1\":{\"present\":true,"
              "\"title\":\"T\"},\"lyrics\":{\"text\":\"l1\\nl2\"},\"infoText\":\"x\"},\n"
              "{\"fileName\":\"a\\tb.mp3\",\"size\":5000000000,\"id3v1\":{\"present\":true,"
              "\"title\":\"U\"},\"lyrics\":{\"text\":\"l1\\nl2\"},\"infoText\":\"x\"}\n"
              "]\n");
}

TEST(RecordWriter, EmptyJsonListIsAnEmptyArray) {
    std::ostringstream out;
    { RecordWriter writer(out, OutputFormat::Json, true); }
    EXPECT_EQ(out.str(), "[]\n");
}

TEST(RecordWriter, TsvHasOneHeaderAndEscapedValues) {
    std::ostringstream out;
    {
        RecordWriter writer(out, OutputFormat::Tsv, true);
        writer.write(sample("back\\slash"));
    }
    EXPECT_EQ(out.str(),
              "fileName\tsize\tid3v1.present\tid3v1.title\tlyrics.text\tinfoText\n"
              "a\\tb.mp3\t5000000000\t1\tback\\\\slash\tl1\\nl2\tx\n");
}

}  // namespace
}  // namespace tw::cli
