// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/list_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/language_fixture.h"
#include "document_text.h"
#include "export/export_columns.h"
#include "export/text_sink.h"
#include "export_fixture.h"
#include "support/fake_user_port.h"
#include "support/temp_dir.h"

namespace tw::exports {
namespace {

namespace fs = std::filesystem;

std::vector<int> allColumns() {
    ExportColumnFlags flags;
    flags.checkAll();
    return flags.columns();
}

std::string html(const core::FileList& list, const std::vector<int>& columns) {
    StringSink sink;
    WriteHtmlList(sink, list, columns);
    return sink.text();
}

std::string rtf(const core::FileList& list, const std::vector<int>& columns) {
    StringSink sink;
    WriteRtfList(sink, list, columns);
    return sink.text();
}

TEST(ListLayoutTest, HtmlAndRtfOfEveryColumnMatchTheirGoldenFiles) {
    core::FileList list;
    test::addSampleRecords(list, "/music/");
    EXPECT_EQ(html(list, allColumns()), test::golden("list.html"));
    EXPECT_EQ(rtf(list, allColumns()), test::golden("list.rtf"));
}

// The head and tail around the rows are pinned by the golden files.
TEST(ListLayoutTest, AnEmptyListWritesOnlyTheHeaderRow) {
    const core::FileList list;
    EXPECT_TRUE(html(list, {2, 11})
                    .ends_with("\t<tr>\r\n\t\t<td><b>Title</b></td>\r\n\t\t<td><b>URL</b>"
                               "</td>\r\n\t</tr>\r\n</table></p>\r\n</body>\r\n</html>\r\n"));
    EXPECT_TRUE(rtf(list, {2, 11})
                    .ends_with("fs22\\par \\par \\b\\tab Title\\tab URL\\par \\i0\\b0\\par }"));
}

TEST(ListLayoutTest, WithoutColumnsEveryRowIsEmptyAndPictureIsNeverWritten) {
    core::FileList list;
    test::addSampleRecords(list, "/music/");
    const std::string none = html(list, {});
    EXPECT_NE(none.find("\t<tr>\r\n\t</tr>\r\n\t<tr>\r\n\t</tr>\r\n\t<tr>\r\n\t</tr>\r\n\t<tr>"
                        "\r\n\t</tr>\r\n</table>"),
              std::string::npos);
    EXPECT_EQ(html(list, {kPictureColumn, 0, 22}), none);
    EXPECT_EQ(rtf(list, {kPictureColumn}), rtf(list, {}));
}

class ColumnHeaderTest : public base::LanguageTest {};

TEST_F(ColumnHeaderTest, LanguageFileMenuItemsWinWhenLongEnough) {
    EXPECT_EQ(exportColumnHeader(2), "Title");
    EXPECT_EQ(exportColumnHeader(1), "#");
    writeLanguage("de.lng",
                  "[MenuItems]\n32835=Titel\n32836=N\n"
                  "[TabFileList]\n57375=Nr.\n57376=Interpret\n");
    base::SetLanguage("de");
    EXPECT_EQ(exportColumnHeader(2), "Titel");
    EXPECT_EQ(exportColumnHeader(1), "Nr.");        // one character is too short: the title
    EXPECT_EQ(exportColumnHeader(3), "Interpret");  // no menu text: the translated title
    EXPECT_EQ(exportColumnHeader(4), "Album");
}

class HostileTagsTest : public ::testing::Test {
protected:
    void SetUp() override { test::addHostileRecords(list); }
    tw::test::TempDir dir;
    core::FileList list;
    tw::test::FakeUserPort port;
};

TEST_F(HostileTagsTest, HtmlReadsBackAsTheTagTextAndOnlyWebAddressesAreLinks) {
    const auto path = ExportHtml(list, {dir.folder(), "list", {2, 11, 13}}, port);
    ASSERT_TRUE(path);
    const auto rows = test::htmlCells(*path);
    ASSERT_TRUE(rows) << test::fileText(*path);
    ASSERT_EQ(rows->size(), std::size(test::kHostileTags) + 1);
    EXPECT_EQ(rows->front(),
              (std::vector<std::string>{"[b]Title[/b]", "[b]URL[/b]", "[b]Lyrics[/b]"}));
    for (std::size_t i = 0; i < std::size(test::kHostileTags); ++i) {
        const test::HostileTag& tag = test::kHostileTags[i];
        const std::string url = tag.url;
        EXPECT_EQ(
            (*rows)[i + 1],
            (std::vector<std::string>{
                tag.title, tag.linked ? "[a href=" + url + "]" + url + "[/a]" : url, tag.lyrics}));
    }
}

TEST_F(HostileTagsTest, RtfReadsBackAsTheTagTextWithTheLyricsLines) {
    const auto path = ExportRtf(list, {dir.folder(), "list", {2, 13}}, port);
    ASSERT_TRUE(path);
    std::string expected = "MP3 Files list\r\r\tTitle\tLyrics\r";
    for (const test::HostileTag& tag : test::kHostileTags)
        expected += std::string("\t") + tag.title + "\t" + tag.lyricsShown + "\r";
    EXPECT_EQ(test::rtfPlainText(test::fileText(*path)), expected + "\r");
}

}  // namespace
}  // namespace tw::exports
