// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/ini_document.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "support/file_text.h"
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

TEST(IniDocument, NewKeysGoBelowTheHeaderAndExistingOnesChangeInPlace) {
    IniDocument ini;
    ini.loadText("[keep]\nx=1\n[disc]\nB=old\n");
    ASSERT_TRUE(ini.setString("disc", "a", "1"));
    ASSERT_TRUE(ini.setString("disc", "b", "2"));
    ASSERT_TRUE(ini.setString("new", "first", "f"));
    ASSERT_TRUE(ini.setInt("new", "second", -5));
    EXPECT_EQ(ini.text(), "[keep]\nx=1\n[disc]\na=1\nb=2\n[new]\nsecond=-5\nfirst=f\n");
}

TEST(IniDocument, AValueWithLineBreaksStaysOnItsLine) {
    IniDocument ini;
    ini.setString("disc", "title", "one\r\n[evil]\nnumTracks=9");
    EXPECT_EQ(ini.lineCount(), 2u);
    EXPECT_EQ(ini.findSection("evil"), -1);
    EXPECT_EQ(ini.getString("disc", "title", ""), "one  [evil] numTracks=9");
}

TEST(IniDocument, RemovesASectionUpToTheNextHeader) {
    IniDocument ini;
    ini.loadText("[a]\n1=x\n[b]\n1=y\n2=z\n[c]\n1=w\n");
    ini.removeSection(static_cast<std::size_t>(ini.findSection("b")));
    EXPECT_EQ(ini.text(), "[a]\n1=x\n[c]\n1=w\n");
}

TEST(IniDocument, SavesThroughATemporaryFileAndRefusesHugeFiles) {
    tw::test::TempDir dir;
    const auto path = dir / "CDPLAYER.INI";
    IniDocument ini;
    EXPECT_FALSE(ini.load(path));
    ini.setString("disc", "title", "T");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(tw::test::fileText(path), "[disc]\ntitle=T\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

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
