// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "base/string_ids.h"
#include "base/string_table.h"
#include "language_fixture.h"

namespace tw::base {
namespace {

TEST_F(LanguageTest, SetLanguageActivatesAFileOnce) {
    EXPECT_EQ(tr(ids::kMsgConfirmClearV1), builtinText(ids::kMsgConfirmClearV1));
    auto path = writeLanguage("Deutsch.lng", "[TabNames]\n57679=Standard (de)\n");
    EXPECT_TRUE(SetLanguage("Deutsch"));
    EXPECT_EQ(LanguageName(), "Deutsch");
    EXPECT_EQ(LanguagePath(), path);
    EXPECT_EQ(tr(ids::kTabStandard), "Standard (de)");
    EXPECT_FALSE(SetLanguage("Deutsch"));
    EXPECT_TRUE(SetLanguage(""));
    EXPECT_EQ(LanguagePath(), "");
    EXPECT_EQ(tr(ids::kTabStandard), "Standard");
}

TEST_F(LanguageTest, AMissingOrUnsafeFileSelectsTheBuiltInTexts) {
    EXPECT_TRUE(SetLanguage("Klingon"));
    EXPECT_EQ(LanguageName(), "");
    EXPECT_EQ(LanguagePath(), "");
    writeLanguage("x.lng", "[TabNames]\n57679=escaped\n");
    EXPECT_TRUE(languageFilePath("../install/Lng/x").empty());
    EXPECT_FALSE(languageFilePath("x").empty());
}

TEST_F(LanguageTest, UserFilesWinAndLetterCaseOfTheFileNameIsForgiven) {
    writeLanguage("fr.lng", "[TabNames]\n57679=installed\n");
    writeLanguage("fr.lng", "[TabNames]\n57679=the user's own\n", true);
    SetLanguage("fr");
    EXPECT_EQ(tr(ids::kTabStandard), "the user's own");
    writeLanguage("Polski.LNG", "[TabNames]\n57679=Standardowy\n");
    SetLanguage("Polski");
    EXPECT_EQ(tr(ids::kTabStandard), "Standardowy");
}

TEST_F(LanguageTest, ValuesAreUnescapedAndShortOrMissingOnesKeepTheBuiltInText) {
    writeLanguage("t.lng",
                  "[DlgMessage]\n61221=Zeile eins\\nZeile \\\"zwei\\\"\n"
                  "[TabNames]\n57680=x\n57681=\n");
    SetLanguage("t");
    EXPECT_EQ(tr(ids::kMsgConfirmClearV1), "Zeile eins\nZeile \"zwei\"");
    EXPECT_EQ(tr(ids::kTabExtended), "Extended");
    EXPECT_EQ(tr(ids::kTabLyrics), "Lyrics");
    // Multi-line messages and log lines stay whole under a partial translation.
    EXPECT_EQ(tr(ids::kMsgFileAlreadyExists), builtinText(ids::kMsgFileAlreadyExists));
    EXPECT_EQ(tr(ids::kLogDone), "done.\r\n");
}

TEST_F(LanguageTest, LoadFromFallsBackToTheFirstLineOfTheBuiltInText) {
    LangString s;
    EXPECT_EQ(s.LoadFrom(ids::kMsgConfirmClearV1, "ToolTips"),
              "Are you sure to delete all information in ID3v1 tag");
    EXPECT_EQ(s.LoadToolTip(ids::kMsgFileAlreadyExists), "");
    writeLanguage("t.lng", "[StatusBarMessages]\n32772=Ordner oeffnen\n[ToolTips]\n32772=Ordner\n");
    SetLanguage("t");
    EXPECT_EQ(s.LoadStatusMessage(ids::kCmdOpenFolder), "Ordner oeffnen");
    EXPECT_EQ(s.LoadToolTip(ids::kCmdOpenFolder), "Ordner");
    EXPECT_EQ(s.text(), "Ordner");
}

// Buttons share ids with menu items, so they read a section of their own.
TEST_F(LanguageTest, CommonButtonsReadTheirOwnSection) {
    writeLanguage("t.lng", "[CommonButtons]\n24763=&Abbrechen\n[MenuItems]\n24763=wrong\n");
    SetLanguage("t");
    EXPECT_EQ(CommonButtonString().Load(ids::kButtonCancel), "&Abbrechen");
    EXPECT_EQ(tr(ids::kButtonCancel), "wrong");
}

TEST_F(LanguageTest, TranslatedFormatsAreUsedOnlyWhenTheirConversionsMatch) {
    writeLanguage("t.lng",
                  "[StatusBarIndicators]\n"
                  "57348=%d markiert\n"
                  "57349=%s%s%s%n\n"
                  "57350=%s Dateien\n"
                  "[MenuItems]\n"
                  "30009=[ERR]Fehler %.03u: %s\\r\\n\n"
                  "30045=%u gefunden\n");
    SetLanguage("t");
    EXPECT_EQ(trf(ids::kStatusSelectedCount, 3), "3 markiert");
    EXPECT_EQ(trf(ids::kStatusChangedCount, 2), "2 changed");
    EXPECT_EQ(trf(ids::kStatusFileCount, 7), "7 files");
    EXPECT_EQ(trf(ids::kLogError, 131u, "Receiving timeout."),
              "[ERR]Fehler 131: Receiving timeout.\r\n");
    EXPECT_EQ(trf(ids::kStatusAlbumsFound, 4u, 2u), "Done. 4 album(s) found, 2 retrieved.");
}

TEST_F(LanguageTest, AuthorComesFromTheDescription) {
    writeLanguage("a.lng", "[Description]\nauthor=Jan \\\"JD\\\" Doe\n");
    writeLanguage("b.lng", "[Description]\nauthor=\n");
    SetLanguage("a");
    EXPECT_EQ(LanguageAuthor(), "Jan \"JD\" Doe");
    SetLanguage("b");
    EXPECT_EQ(LanguageAuthor(), "Brindlewood");
}

TEST(Unescape, KnownEscapesOnly) {
    EXPECT_EQ(Unescape("a\\nb\\tc\\rd\\be\\vf\\'g\\\"h"), "a\nb\tc\rd\be\vf'g\"h");
    EXPECT_EQ(Unescape("C:\\Music\\x \\\\n end\\"), "C:\\Music\\x \\\n end\\");
}

TEST_F(LanguageTest, LookupsFromManyThreadsWhileTheLanguageChanges) {
    writeLanguage("t.lng", "[TabNames]\n57679=Standardowy\n");
    std::vector<std::jthread> readers;
    for (int i = 0; i < 4; ++i)
        readers.emplace_back([] {
            for (int n = 0; n < 2000; ++n) {
                std::string s = tr(ids::kTabStandard);
                ASSERT_TRUE(s == "Standard" || s == "Standardowy") << s;
            }
        });
    for (int n = 0; n < 50; ++n)
        SetLanguage(n % 2 ? "t" : "");
}

}  // namespace
}  // namespace tw::base
