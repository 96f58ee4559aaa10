#include "export/text_sink.h"

#include <gtest/gtest.h>

namespace tw::exports {
namespace {

std::string escaped(std::string_view text, TextEscape escape) {
    std::string out;
    appendEscaped(out, text, escape);
    return out;
}

// The escaping itself is tested with base/markup_escape; here, that each kind reaches its
// escaping and that values' markup stands as it is.
TEST(TextEscapeTest, HtmlAndRtfEscapeOnlyCharactersBeyondAscii) {
    EXPECT_EQ(escaped("Caf\xC3\xA9", TextEscape::Html), "Caf&#233;");
    EXPECT_EQ(escaped("a & <b> \"c\"", TextEscape::Html), "a & <b> \"c\"");
    EXPECT_EQ(escaped("Caf\xC3\xA9", TextEscape::Rtf), "Caf\\u233?");
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
