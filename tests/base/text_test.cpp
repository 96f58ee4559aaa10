// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "base/code_page.h"
#include "base/text.h"

namespace tw::base {
namespace {

TEST(Utf8, ValidityFollowsUnicodeNotJustTheBitPatterns) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("caf\xC3"));           // cut in the middle
    EXPECT_FALSE(isValidUtf8("caf\xE9"));           // windows-1252 text
}

TEST(Utf8, CaseMappingKeepsIllFormedBytesAndWholeCharacters) {
    EXPECT_EQ(toUpper("\xC3\xA9lan"), "\xC3\x89LAN");
    EXPECT_EQ(toLower("\xC3\x89LAN \xFF\xC3"), "\xC3\xA9lan \xFF\xC3");
    EXPECT_EQ(toUpper("gro\xC3\x9F"), "GRO\xC3\x9F");  // simple mapping: no "SS"
    EXPECT_EQ(toTitle(U'\u01C6'), U'\u01C5');  // dz with caron: title case is not upper case
    EXPECT_EQ(codePointCount("a\xC3\xA9\xFF"), 3u);
}

TEST(Utf8, PrefixesNeverEndInsideACharacter) {
    EXPECT_EQ(prefixByBytes("a\xC3\xA9z", 2), "a");
    EXPECT_EQ(prefixByBytes("a\xC3\xA9z", 3), "a\xC3\xA9");
    EXPECT_EQ(prefixByCodePoints("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", 2),
              "\xE2\x82\xAC\xE2\x82\xAC");
    EXPECT_EQ(prefixByCodePoints("ab", 5), "ab");
}

TEST(CodePage, Windows1252RoundTripsAndSubstitutesWhatItLacks) {
    CodePage page;
    ASSERT_TRUE(page.ok());
    EXPECT_EQ(page.decode("\x80 caf\xE9"), "\xE2\x82\xAC caf\xC3\xA9");
    EXPECT_EQ(page.encode("\xE2\x82\xAC caf\xC3\xA9"), "\x80 caf\xE9");
    EXPECT_EQ(page.encode("\xE6\x97\xA5\xE6\x9C\xAC x"), "?? x");
    EXPECT_EQ(page.encode("bad \xFF end"), "bad ? end");
}

TEST(CodePage, AnUnknownPageKeepsTheBytes) {
    CodePage unknown("no-such-page");
    EXPECT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.decode("abc\xE9"), "abc\xE9");
}

TEST(CodePage, LongTextsConvertWhole) {
    std::string bytes(100000, '\xE9');
    std::string utf8 = decodeCodePage(bytes);
    EXPECT_EQ(utf8.size(), 200000u);
    EXPECT_EQ(encodeCodePage(utf8), bytes);
}

TEST(CodePage, MixedFilesAreDecodedLineByLine) {
    EXPECT_EQ(decodeLinesUnlessUtf8("caf\xC3\xA9\r\ncaf\xE9\nend"),
              "caf\xC3\xA9\r\ncaf\xC3\xA9\nend");
}

}  // namespace
}  // namespace tw::base
