// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "base/language_menu.h"
#include "base/string_ids.h"
#include "language_fixture.h"

namespace tw::base {
namespace {

using LanguageMenuTest = LanguageTest;

TEST_F(LanguageMenuTest, EntriesAreNamedUpToTheFirstDot) {
    writeLanguage("de.x.lng", "");
    writeLanguage("README.txt", "");
    std::filesystem::create_directories(dir_.path() / "install" / "Lng" / "folder.lng");
    auto entries = languageMenuEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "de");
}

TEST_F(LanguageMenuTest, AtMost39EntriesOfWhichTheFirst20AreEnabled) {
    for (int i = 0; i < 45; ++i)
        writeLanguage("lang" + std::to_string(i) + ".lng", "");
    auto entries = languageMenuEntries();
    ASSERT_EQ(entries.size(), 39u);
    std::set<std::string> names;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].enabled, i < 20) << i;
        EXPECT_EQ(entries[i].commandId, 61001 + static_cast<int>(i));
        names.insert(entries[i].name);
    }
    EXPECT_EQ(names.size(), 39u);
    EXPECT_EQ(languageOfCommand(61001), entries[0].name);
    EXPECT_EQ(languageOfCommand(61020), entries[19].name);
    EXPECT_FALSE(languageOfCommand(61021));
    EXPECT_FALSE(languageOfCommand(ids::kCmdLanguageDefault));
}

TEST_F(LanguageMenuTest, TheUsersFilesComeFirstAndNamesAppearOnce) {
    writeLanguage("it.lng", "[TabNames]\n57679=Normale\n");
    writeLanguage("it.lng", "", true);
    writeLanguage("es.lng", "", true);
    SetLanguage("it");
    auto entries = languageMenuEntries();
    ASSERT_EQ(entries.size(), 2u);
    std::set<std::string> userNames{entries[0].name, entries[1].name};
    EXPECT_EQ(userNames, (std::set<std::string>{"it", "es"}));
    for (const auto& e : entries)
        EXPECT_EQ(e.checked, e.name == "it");
}

TEST_F(LanguageMenuTest, MenuTextsKeepTheirLabelsWhereTheLanguageIsSilent) {
    EXPECT_EQ(menuItemText(ids::kCmdOpenFile, ids::kMenuOpenFile), "&Open File...\tCtrl+O");
    EXPECT_EQ(menuHeadText(8, ids::kMenuHeadLanguage), "Interface &Language");
    writeLanguage("t.lng",
                  "[MenuItems]\n57601=&Oeffnen...\\tStrg+O\n"
                  "[MenusHeads]\n57671=&Ordner\n57679=&Sprache\n");
    SetLanguage("t");
    EXPECT_EQ(menuItemText(ids::kCmdOpenFile, ids::kMenuOpenFile), "&Oeffnen...\tStrg+O");
    EXPECT_EQ(menuItemText(ids::kCmdOpenFolder, ids::kMenuOpenFolder), "Open Fol&der...\tCtrl+D");
    EXPECT_EQ(menuHeadText(0, ids::kMenuHeadFolder), "&Ordner");
    EXPECT_EQ(menuHeadText(1, ids::kMenuHeadFile), "&File");
    EXPECT_EQ(menuHeadText(8, ids::kMenuHeadLanguage), "&Sprache");
    EXPECT_EQ(menuHeadText(9, ids::kMenuHeadHelp), "&Help");  // not the tab name of 57680
}

}  // namespace
}  // namespace tw::base
