// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/ini_document.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "support/temp_dir.h"

namespace tw::freedb {
namespace {

TEST(IniDocument, KeepsNonEmptyLinesWholeAndDecodesOlderFilesLineByLine) {
    IniDocument ini;
    const std::string longValue(3000, 'v');
    ini.loadText("\r\n[Disc]\r\n\r\nkey=" + longValue + "\nold=caf\xE9\nnew=caf\xC3\xA9");
    EXPECT_EQ(ini.lineCount(), 4u);
    EXPECT_EQ(ini.getString("disc", "key", ""), longValue);
    EXPECT_EQ(ini.getString("disc", "old", ""), "caf\xC3\xA9");
    EXPECT_EQ(ini.getString("disc", "new", ""), "caf\xC3\xA9");
    EXPECT_EQ(ini.text(), "[Disc]\nkey=" + longValue + "\nold=caf\xC3\xA9\nnew=caf\xC3\xA9\n");
}

TEST(IniDocument, RecognisesHeadersByTheirTrimmedBrackets) {
    IniDocument ini;
    ini.loadText("  [ab]  \n[]\n[a\nx[a]\n[c]\n");
    for (std::size_t line : {1, 2, 3, 99})
        EXPECT_FALSE(ini.isSectionHeader(line)) << line;
    EXPECT_EQ(ini.sectionName(0), "ab");
    EXPECT_EQ(ini.findSection(" AB "), 0);
    EXPECT_EQ(ini.findSection("c"), 4);
    EXPECT_EQ(ini.findSection("missing"), -1);
}

TEST(IniDocument, FindsKeysAtTheStartOfLinesOfTheirOwnSection) {
    IniDocument ini;
    ini.loadText("[one]\nTitle=a=b\n artist=indented\nnum=12abc\nbad=x\n[two]\nartist=other\n");
    EXPECT_EQ(ini.getString("ONE", "title", "-"), "a=b");
    EXPECT_EQ(ini.getString("one", "artist", "-"), "-");
    EXPECT_EQ(ini.getString("two", "artist", "-"), "other");
    EXPECT_EQ(ini.getInt("one", "num", 7), 12);
    EXPECT_EQ(ini.getInt("one", "bad", 7), 0);
    EXPECT_EQ(ini.getInt("one", "missing", 7), 7);
}

// Saving is the CD-player store's tests' business.
TEST(IniDocument, RefusesMissingAndHugeFiles) {
    tw::test::TempDir dir;
    const auto path = dir / "CDPLAYER.INI";
    IniDocument ini;
    EXPECT_FALSE(ini.load(path));
    ini.setString("disc", "title", "T");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << std::string(IniDocument::kMaxFileSize + 1, 'x');
    EXPECT_FALSE(ini.load(path));
    EXPECT_EQ(ini.lineCount(), 0u);
}

TEST(IniDocument, ConcurrentEditsAllArrive) {
    IniDocument ini;
    auto writer = [&ini](const char* section) {
        for (int i = 0; i < 200; ++i)
            ini.setInt(section, std::to_string(i), i);
    };
    std::thread first(writer, "first");
    std::thread second(writer, "second");
    first.join();
    second.join();
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(ini.getInt("first", std::to_string(i), -1), i);
        EXPECT_EQ(ini.getInt("second", std::to_string(i), -1), i);
    }
}

}  // namespace
}  // namespace tw::freedb
