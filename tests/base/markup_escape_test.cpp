// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/markup_escape.h"

#include <gtest/gtest.h>

namespace tw::base {
namespace {

std::string htmlNonAscii(std::string_view text) {
    std::string out;
    appendHtmlNonAscii(out, text);
    return out;
}

std::string rtfNonAscii(std::string_view text) {
    std::string out;
    appendRtfNonAscii(out, text);
    return out;
}

TEST(MarkupEscape, HtmlWritesCharactersBeyondAsciiAsReferences) {
    EXPECT_EQ(htmlNonAscii("Caf\xC3\xA9"), "Caf&#233;");
    EXPECT_EQ(htmlNonAscii("\xE2\x98\x95"), "&#9749;");
    EXPECT_EQ(htmlNonAscii("\xF0\x9F\x98\x80"), "&#128512;");
    // Markup stands as it is.
    EXPECT_EQ(htmlNonAscii("a & <b> \"c\""), "a & <b> \"c\"");
    EXPECT_EQ(htmlNonAscii("x\xE9y"), "x\xE9y");
    // Appends: what the string held stays.
    std::string out = "<p>";
    appendHtmlNonAscii(out, "\xC3\xA9");
    EXPECT_EQ(out, "<p>&#233;");
}

TEST(MarkupEscape, RtfWritesSignedUtf16Units) {
    EXPECT_EQ(rtfNonAscii("Caf\xC3\xA9"), "Caf\\u233?");
    EXPECT_EQ(rtfNonAscii("\xD0\x96"), "\\u1046?");      // Cyrillic Zhe
    EXPECT_EQ(rtfNonAscii("\xEF\xBF\xBD"), "\\u-3?");    // U+FFFD
    EXPECT_EQ(rtfNonAscii("\xE2\x82\xAC"), "\\u8364?");  // euro sign
    // Beyond the BMP: the two surrogates, each as a signed number.
    EXPECT_EQ(rtfNonAscii("\xF0\x9F\x98\x80"), "\\u-10179?\\u-8704?");
    EXPECT_EQ(rtfNonAscii("a\\b{c}"), "a\\b{c}");
    EXPECT_EQ(rtfNonAscii("x\xE9y"), "x\xE9y");
}

TEST(MarkupEscape, HtmlTextCannotAddMarkup) {
    EXPECT_EQ(escapeHtmlText("<script>\"R&B\"</script> caf\xC3\xA9 \xF0\x9F\x8E\xB5"),
              "&lt;script&gt;&quot;R&amp;B&quot;&lt;/script&gt; caf&#233; &#127925;");
    // An apostrophe too, so a value may stand in an attribute quoted either way.
    EXPECT_EQ(escapeHtmlText("it's\n\ta\\b{c}"), "it&#39;s\n\ta\\b{c}");
    EXPECT_EQ(escapeHtmlText(std::string_view("a\0b", 3)), std::string("a\0b", 3));
    // An ill-formed byte is taken as U+FFFD, so the page stays ASCII.
    EXPECT_EQ(escapeHtmlText("x\xE9y\xC3"), "x&#65533;y&#65533;");
}

TEST(MarkupEscape, RtfTextCannotAddControlWords) {
    EXPECT_EQ(escapeRtfText("{\\b} caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x8E\xB5"),
              "\\{\\\\b\\} caf\\u233? \\u20013? \\u-10180?\\u-8267?");
    // Every way of ending a line is one line break: lyrics keep their lines.
    EXPECT_EQ(escapeRtfText("one\r\ntwo\tthree\rfour\nfive\n\r\n"),
              "one\\line two\\tab three\\line four\\line five\\line \\line ");
    EXPECT_EQ(escapeRtfText("<a & \"b\">"), "<a & \"b\">");
    EXPECT_EQ(escapeRtfText("x\xE9y"), "x\\u-3?y");
}

TEST(MarkupEscape, UrlsCannotLeaveTheirAttribute) {
    const struct {
        const char* url;
        const char* expected;
    } cases[] = {
        {"http://example.org/a?b=1&c=2#x", "http://example.org/a?b=1&amp;c=2#x"},
        {"http://x/\" onclick=\"y", "http://x/%22%20onclick=%22y"},
        {"http://x/a'b<c>d\\e", "http://x/a%27b%3Cc%3Ed%5Ce"},
        {"http://x/caf\xC3\xA9\t%41", "http://x/caf%C3%A9%09%41"},  // its own %XX stays
    };
    for (const auto& c : cases)
        EXPECT_EQ(escapeHtmlUrl(c.url), c.expected) << c.url;
}

}  // namespace
}  // namespace tw::base
