#include "export/text_sink.h"

#include <gtest/gtest.h>

namespace tw::exports {
namespace {

std::string escaped(std::string_view text, TextEscape escape) {
    std::string out;
    appendEscaped(out, text, escape);
    return out;
}

TEST(TextEscapeTest, HtmlWritesCharactersBeyondAsciiAsReferences) {
    EXPECT_EQ(escaped("Caf\xC3\xA9", TextEscape::Html), "Caf&#233;");
    EXPECT_EQ(escaped("\xE2\x98\x95", TextEscape::Html), "&#9749;");
    EXPECT_EQ(escaped("\xF0\x9F\x98\x80", TextEscape::Html), "&#128512;");
    // Markup in a value stands as it is.
    EXPECT_EQ(escaped("a & <b> \"c\"", TextEscape::Html), "a & <b> \"c\"");
}

TEST(TextEscapeTest, RtfWritesSignedUtf16Units) {
    EXPECT_EQ(escaped("Caf\xC3\xA9", TextEscape::Rtf), "Caf\\u233?");
    EXPECT_EQ(escaped("\xD0\x96", TextEscape::Rtf), "\\u1046?");      // Cyrillic Zhe
    EXPECT_EQ(escaped("\xEF\xBF\xBD", TextEscape::Rtf), "\\u-3?");    // U+FFFD
    EXPECT_EQ(escaped("\xE2\x82\xAC", TextEscape::Rtf), "\\u8364?");  // euro sign
    // Beyond the BMP: the two surrogates, each as a signed number.
    EXPECT_EQ(escaped("\xF0\x9F\x98\x80", TextEscape::Rtf), "\\u-10179?\\u-8704?");
    EXPECT_EQ(escaped("a\\b{c}", TextEscape::Rtf), "a\\b{c}");
}

TEST(TextEscapeTest, IllFormedBytesAndPlainTextPassUnchanged) {
    for (TextEscape escape : {TextEscape::None, TextEscape::Html, TextEscape::Rtf}) {
        EXPECT_EQ(escaped("x\xE9y", escape), "x\xE9y");
        EXPECT_EQ(escaped("", escape), "");
    }
    EXPECT_EQ(escaped("Caf\xC3\xA9", TextEscape::None), "Caf\xC3\xA9");
}

TEST(TextEscapeTest, LongTextsAreWrittenInSlicesWithoutCuttingCharacters) {
    // Two-byte characters at every offset, so some straddle every slice boundary.
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += i % 3 == 0 ? "\xC3\xA9" : "a";
    StringSink sink;
    sink.writeEscaped(text, TextEscape::Rtf);
    EXPECT_EQ(sink.text(), escaped(text, TextEscape::Rtf));
}

}  // namespace
}  // namespace tw::exports
