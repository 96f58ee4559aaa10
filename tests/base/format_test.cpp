// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "base/format.h"

namespace tw::base {
namespace {

TEST(Format, ThePrintfFormsTheProgramUses) {
    EXPECT_EQ(formatText("%d selected", 3), "3 selected");
    EXPECT_EQ(formatText("%02d:%02d:%02d", 1, 0, 5), "01:00:05");
    EXPECT_EQ(formatText("[ERR]Error %.03u: %s", 105u, "User break."),
              "[ERR]Error 105: User break.");
    EXPECT_EQ(formatText("%.02u - %s:%s", 7, std::string("host"), std::string_view("8880")),
              "07 - host:8880");
    EXPECT_EQ(formatText("%4.2f MB", 3.0), "3.00 MB");
    EXPECT_EQ(formatText("MPEG %.1f Layer %d", 2.5, 3), "MPEG 2.5 Layer 3");
    EXPECT_EQ(formatText("%ld Bytes", 1000L), "1000 Bytes");
    EXPECT_EQ(formatText("character '%c'", '|'), "character '|'");
    EXPECT_EQ(formatText("%08x", 0x1f2eu), "00001f2e");
    EXPECT_EQ(formatText("100%% %-4s|%4s|", "ab", "cd"), "100% ab  |  cd|");
    EXPECT_EQ(formatText("%u", -1), "4294967295");
}

TEST(Format, HostileFormatsNeverReadWhatWasNotPassed) {
    EXPECT_EQ(formatText("%s%s%n", "a"), "a%s%n");
    EXPECT_EQ(formatText("%d", "text"), "%d");
    EXPECT_EQ(formatText("%s", 42), "%s");
    EXPECT_EQ(formatText("%s %s %s %s", "only"), "only %s %s %s");
    EXPECT_EQ(formatText("%*d", 5, 3), "%*d");
    EXPECT_EQ(formatText("%.*s", 2, "abc"), "%.*s");
    EXPECT_EQ(formatText("%p", 1), "%p");
    EXPECT_EQ(formatText("%99999999d", 1), "%99999999d");
    EXPECT_EQ(formatText("%", 1), "%");
    EXPECT_EQ(formatText("%l", 1), "%l");
    EXPECT_EQ(formatText("%1024d", 1).size(), 1024u);
}

TEST(Format, PrecisionOfAStringNeverSplitsACharacter) {
    EXPECT_EQ(formatText("%.2s|", "a\xC3\xA9"), "a|");
    EXPECT_EQ(formatText("%.3s|", "a\xC3\xA9"), "a\xC3\xA9|");
}

TEST(Format, SignaturesCompareConversionKindsInOrder) {
    EXPECT_EQ(conversionSignature("%d of %u: %s%%").kinds, "iis");
    EXPECT_TRUE(conversionSignature("%d of %u: %s").usable);
    EXPECT_EQ(conversionSignature("%ld %x %c %4.2f"), conversionSignature("%d %u %c %g"));
    EXPECT_NE(conversionSignature("%s %d"), conversionSignature("%d %s"));
    EXPECT_FALSE(conversionSignature("%s%n").usable);
    EXPECT_FALSE(conversionSignature("%*d").usable);
    EXPECT_FALSE(conversionSignature("100%").usable);
}

}  // namespace
}  // namespace tw::base
