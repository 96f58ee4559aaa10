// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "base/language_file.h"

namespace tw::base {
namespace {

std::string valueOr(const LanguageFile& f, std::string_view section, std::string_view key) {
    auto v = f.value(section, key);
    return v ? std::string(*v) : std::string("<none>");
}

TEST(LanguageFile, ReadsLikeAProfileReader) {
    LanguageFile f = LanguageFile::parse(
        "ignored=before any section\r\n"
        "[MenuItems]\r\n"
        "  57601 =  &Datei oeffnen  \r\n"
        "57601=second one loses\r\n"
        "no equals sign\n"
        "; 1=comment lines without a section key are harmless\n"
        "[menuitems]\n"
        "32772=merged into the first section\n"
        "[TabNames]\n"
        "57679=Standard=with equals\n");
    EXPECT_EQ(valueOr(f, "MENUITEMS", "57601"), "&Datei oeffnen");
    EXPECT_EQ(valueOr(f, "MenuItems", "32772"), "merged into the first section");
    EXPECT_EQ(valueOr(f, "tabnames", "57679"), "Standard=with equals");
    EXPECT_EQ(valueOr(f, "MenuItems", "ignored"), "<none>");
    EXPECT_EQ(valueOr(f, "TabNames", "57601"), "<none>");
}

TEST(LanguageFile, ValuesKeepAtMost299Characters) {
    std::string longAscii(400, 'x');
    std::string longEuro;
    for (int i = 0; i < 400; ++i)
        longEuro += "\xE2\x82\xAC";
    LanguageFile f = LanguageFile::parse("[S]\n1=" + longAscii + "\n2=" + longEuro + "\n");
    EXPECT_EQ(valueOr(f, "S", "1"), std::string(299, 'x'));
    EXPECT_EQ(valueOr(f, "S", "2").size(), 299u * 3);
}

TEST(LanguageFile, EachLineIsUtf8OrWindows1252) {
    LanguageFile f = LanguageFile::parse("[S]\n1=caf\xC3\xA9\n2=caf\xE9\n");
    EXPECT_EQ(valueOr(f, "S", "1"), "caf\xC3\xA9");
    EXPECT_EQ(valueOr(f, "S", "2"), "caf\xC3\xA9");
}

TEST(LanguageFile, ByteOrderMarksAndNulBytes) {
    EXPECT_EQ(valueOr(LanguageFile::parse("\xEF\xBB\xBF[S]\n1=ok\n"), "S", "1"), "ok");
    std::string utf16("\xFF\xFE", 2);
    for (char c : std::string("[S]\r\n1=\xE9t\xE9\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    EXPECT_EQ(valueOr(LanguageFile::parse(utf16), "S", "1"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(valueOr(LanguageFile::parse(std::string("[S]\n1=a\0b\n", 10)), "S", "1"), "ab");
}

TEST(LanguageFile, HugeInputIsReadOnlyUpToTheCap) {
    std::string text = "[S]\n1=first\n";
    std::string filler = "2=" + std::string(200, 'y') + "\n";
    while (text.size() < LanguageFile::kMaxFileBytes + 1000)
        text += filler;
    text += "3=beyond the cap\n";
    LanguageFile f = LanguageFile::parse(text);
    EXPECT_EQ(valueOr(f, "S", "1"), "first");
    EXPECT_EQ(valueOr(f, "S", "3"), "<none>");
}

TEST(LanguageFile, GarbageYieldsNoEntriesAndNoFailure) {
    EXPECT_EQ(LanguageFile::parse("").size(), 0u);
    EXPECT_EQ(LanguageFile::parse("[").size(), 0u);
    EXPECT_EQ(LanguageFile::parse("[]\n1=x\n=\n[S\n=value\n2=v\n").size(), 1u);  // "[S" opens "S"
    EXPECT_FALSE(LanguageFile::load("/nonexistent/x.lng"));
    EXPECT_FALSE(LanguageFile::load("/"));
}

}  // namespace
}  // namespace tw::base
