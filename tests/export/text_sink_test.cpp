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
    EXPECT_EQ(escaped("Caf\xC3\xA9 <b>", TextEscape::Html), "Caf&#233; <b>");
    EXPECT_EQ(escaped("Caf\xC3\xA9 {c}", TextEscape::Rtf), "Caf\\u233? {c}");
    EXPECT_EQ(escaped("Caf\xC3\xA9 x\xE9y", TextEscape::None), "Caf\xC3\xA9 x\xE9y");
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
