// SPDX-License-Identifier: GPL-2.0-or-later
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
// own escaping.
TEST(TextEscapeTest, EachKindReachesItsEscaping) {
    const struct {
        TextEscape escape;
        const char* expected;
    } cases[] = {
        {TextEscape::None, "Caf\xC3\xA9 <b>{c}\r\n"},
        {TextEscape::HtmlMarkup, "Caf&#233; <b>{c}\r\n"},
        {TextEscape::RtfMarkup, "Caf\\u233? <b>{c}\r\n"},
        {TextEscape::HtmlText, "Caf&#233; &lt;b&gt;{c}\r\n"},
        {TextEscape::RtfText, "Caf\\u233? <b>\\{c\\}\\line "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(escaped("Caf\xC3\xA9 <b>{c}\r\n", c.escape), c.expected);
}

TEST(TextEscapeTest, LongTextsAreWrittenInSlicesWithoutCuttingCharactersOrLineBreaks) {
    // Two-byte characters and CR LF pairs at every offset, so some straddle every slice
    // boundary.
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += i % 3 == 0 ? "\xC3\xA9" : i % 5 == 0 ? "\r\n" : "a";
    for (const TextEscape escape : {TextEscape::RtfMarkup, TextEscape::RtfText}) {
        StringSink sink;
        sink.writeEscaped(text, escape);
        EXPECT_EQ(sink.text(), escaped(text, escape));
    }
}

}  // namespace
}  // namespace tw::exports
