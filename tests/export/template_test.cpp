// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "base/app_paths.h"
#include "document_text.h"
#include "export/template_export.h"
#include "export/template_files.h"
#include "export/template_parts.h"
#include "export/template_tokens.h"
#include "export/text_sink.h"
#include "export_fixture.h"
#include "support/fake_user_port.h"
#include "support/temp_dir.h"

namespace tw::exports {
namespace {

namespace fs = std::filesystem;

const std::string kStart(kRecordStart);
const std::string kEnd(kRecordEnd);
const std::string kStart2(kRecord2Start);

TEST(SplitTemplateTest, HeadRecordsAndTail) {
    // The parts are views into the text, so each text outlives them.
    const std::string one = "H" + kStart + "R" + kEnd + "T";
    auto parts = SplitTemplate(one);
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->head, "H");
    EXPECT_EQ(parts->record1, "R");
    EXPECT_EQ(parts->record2, "");
    EXPECT_EQ(parts->tail, "T");
    // A second record drops the text before its marker; without its end it stays in the tail.
    const std::string two = "H" + kStart + "R1" + kEnd + "dropped" + kStart2 + "R2" + kEnd + "T";
    parts = SplitTemplate(two);
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->record1, "R1");
    EXPECT_EQ(parts->record2, "R2");
    EXPECT_EQ(parts->tail, "T");
    const std::string unended = "H" + kStart + "R1" + kEnd + "x" + kStart2 + "R2";
    parts = SplitTemplate(unended);
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->record2, "");
    EXPECT_EQ(parts->tail, "x" + kStart2 + "R2");
}

TEST(SplitTemplateTest, MissingMarkersAreRefused) {
    EXPECT_FALSE(SplitTemplate(""));
    EXPECT_FALSE(SplitTemplate("<html>no markers</html>"));
    EXPECT_FALSE(SplitTemplate("H" + kStart + "R only a start"));
    EXPECT_FALSE(SplitTemplate("H" + kEnd + "T" + kStart + "R"));  // the end must follow
    EXPECT_FALSE(SplitTemplate("<!--<TUNEWRIGHT_RECORD>-->R" + kEnd));
    EXPECT_TRUE(SplitTemplate(kStart + kEnd));
}

TEST(TemplateRecordTest, TokensAreReplacedInOrderAndValuesCanHoldLaterTokens) {
    core::FileList list;
    test::addSampleRecords(list, "/music/");
    core::AudioFile& file = list.at(0);
    EXPECT_EQ(FillTemplateRecord("<number>|<title>|<artist>|<genre>|<felename>|<size>|<url>|"
                                 "<encoded_by>|<modified>|<channel_mode>|<filename>",
                                 file, TextEscape::None),
              "01|Intro & <Overture>|The Band|Rock|01 Intro.mp3|1.50 KB|"
              "http://example.org/a?b=1&c=2|Encoder|02/03/2004, 05:06.07|Joint Stereo|"
              "<filename>");
    // A title that names a later token gets it replaced; an earlier one stays as text.
    file.id3v2.title = "<artist> <number>";
    EXPECT_EQ(FillTemplateRecord("<title>", file, TextEscape::None), "The Band <number>");
}

TEST(TemplateRecordTest, ValuesThatFeedEachOtherStopGrowingAtTheBound) {
    core::FileList list;
    core::AudioFile& file = test::addRecord(list, "/", "x.mp3");
    std::string many;
    for (int i = 0; i < 4096; ++i)
        many += "<album>";
    file.id3v2.title = many;
    file.id3v2.artist = many;
    file.id3v2.album = many + many;  // each <album> becomes 8192 more
    const std::string filled = FillTemplateRecord("<title><artist>", file, TextEscape::None);
    EXPECT_LE(filled.size(), 15 + kMaxRecordGrowth);
}

class TemplateFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = base::appPaths();
        base::setAppPaths({dir_ / "bin", dir_ / "install", dir_ / "user", dir_ / "config"});
    }
    void TearDown() override { base::setAppPaths(saved_); }

    fs::path templates(bool user) const { return dir_ / (user ? "user" : "install") / "templates"; }

    tw::test::TempDir dir_;
    base::AppPaths saved_;
};

TEST_F(TemplateFilesTest, ListsBothFoldersSortedWithTheUsersFilesWinning) {
    test::writeFile(templates(false) / "zebra.html", "installed");
    test::writeFile(templates(false) / "Basic.html", "installed");
    test::writeFile(templates(false) / "basic.rtf", "installed rtf");
    test::writeFile(templates(true) / "basic.html", "user");
    test::writeFile(templates(true) / "Basic.html", "user's own");
    test::writeFile(templates(true) / "notes.txt", "");
    fs::create_directories(templates(true) / "folder.html");
    EXPECT_EQ(templateList(DocumentKind::Html),
              (std::vector<std::string>{"Basic.html", "basic.html", "zebra.html"}));
    EXPECT_EQ(templateList(DocumentKind::Rtf), std::vector<std::string>{"basic.rtf"});
    EXPECT_EQ(test::fileText(templateFilePath("Basic.html")), "user's own");
    EXPECT_EQ(test::fileText(templateFilePath("zebra.html")), "installed");
}

TEST_F(TemplateFilesTest, NamesThatAreNotPlainFileNamesAreNeverLookedUp) {
    test::writeFile(dir_ / "install" / "secret.html", "outside");
    for (const char* name : {"", ".", "..", "../secret.html", "/etc/passwd", "a/b.html"})
        EXPECT_TRUE(templateFilePath(name).empty()) << name;
    EXPECT_TRUE(templateFilePath(std::string("a.html\0.x", 9)).empty());
}

TEST_F(TemplateFilesTest, ReadingStopsAtTheFirstNulAndRefusesWhatIsNoFile) {
    test::writeFile(dir_ / "t.html", std::string("before\0after", 12));
    EXPECT_EQ(readTemplate(dir_ / "t.html"), "before");
    EXPECT_FALSE(readTemplate(dir_ / "missing.html"));
    EXPECT_FALSE(readTemplate(dir_.path()));
    EXPECT_FALSE(readTemplate({}));
    const fs::path fifo = dir_ / "fifo.html";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(readTemplate(fifo));  // refused at once, not waited on
}

class TemplateExportTest : public ::testing::Test {
protected:
    TemplateExportRequest request(const std::string& templateText, const std::string& name) {
        test::writeFile(dir / name, templateText);
        return {name, dir / name, dir.folder(), "Export"};
    }

    tw::test::TempDir dir;
    core::FileList list;
    tw::test::FakeUserPort port;
};

TEST_F(TemplateExportTest, TwoRecordBlocksAlternateStartingWithTheFirst) {
    const std::string text = "H" + kStart + "odd " + kEnd + "\n" + kStart2 + "even " + kEnd + "T";
    const auto parts = SplitTemplate(text);
    ASSERT_TRUE(parts);
    StringSink one;
    test::addRecord(list, "/", "a.mp3");
    WriteTemplateList(one, list, *parts, DocumentKind::Html);
    EXPECT_EQ(one.text(), "Hodd T");
    StringSink three;
    test::addRecord(list, "/", "b.mp3");
    test::addRecord(list, "/", "c.mp3");
    WriteTemplateList(three, list, *parts, DocumentKind::Html);
    EXPECT_EQ(three.text(), "Hodd even odd T");
    StringSink none;
    WriteTemplateList(none, core::FileList(), *parts, DocumentKind::Html);
    EXPECT_EQ(none.text(), "HT");
}

TEST_F(TemplateExportTest, ValuesAreEscapedTheTemplatesOwnTextStandsAsWritten) {
    core::AudioFile& file = test::addRecord(list, "/", "a.mp3");
    file.id3v2.title = "Caf\xC3\xA9 & {co}";
    const std::string text =
        "<p>\xC3\xA9 {" + kStart + "<title> \xC3\xA9 &amp;" + kEnd + "} \xC3\xA9";
    const auto parts = SplitTemplate(text);
    ASSERT_TRUE(parts);
    StringSink html;
    WriteTemplateList(html, list, *parts, DocumentKind::Html);
    EXPECT_EQ(html.text(), "<p>\xC3\xA9 {Caf&#233; &amp; {co} \xC3\xA9 &amp;} \xC3\xA9");
    StringSink rtf;
    WriteTemplateList(rtf, list, *parts, DocumentKind::Rtf);
    EXPECT_EQ(rtf.text(), "<p>\\u233? {Caf\\u233? & \\{co\\} \\u233? &amp;} \\u233?");

    // A template in an 8-bit code page keeps its bytes: the reader's code page decides.
    const std::string latin = "\xE9" + kStart + "<title>" + kEnd;
    StringSink kept;
    WriteTemplateList(kept, list, *SplitTemplate(latin), DocumentKind::Rtf);
    EXPECT_EQ(kept.text(),
              "\xE9"
              "Caf\\u233? & \\{co\\}");
}

TEST_F(TemplateExportTest, HostileTagsReadBackAsTheirTextInBothKinds) {
    test::addHostileRecords(list);
    const auto html = ExportTemplateHtml(
        list,
        request("<html><body><table>\n" + kStart +
                    "<tr><td><title></td><td><a href=\"<url>\"><url></a></td><td><lyric></td>"
                    "</tr>\n" +
                    kEnd + "</table></body></html>\n",
                "t.html"),
        port);
    ASSERT_TRUE(html);
    const auto rows = test::htmlCells(*html);
    ASSERT_TRUE(rows) << test::fileText(*html);
    ASSERT_EQ(rows->size(), std::size(test::kHostileTags));
    for (std::size_t i = 0; i < rows->size(); ++i) {
        const test::HostileTag& tag = test::kHostileTags[i];
        const std::string url = tag.url;
        EXPECT_EQ((*rows)[i], (std::vector<std::string>{
                                  tag.title, "[a href=" + url + "]" + url + "[/a]", tag.lyrics}));
    }

    const auto rtf = ExportTemplateRtf(
        list,
        request("{\\rtf1\\ansi " + kStart + "<title>\\tab <lyric>\\par " + kEnd + "}", "t.rtf"),
        port);
    ASSERT_TRUE(rtf);
    std::string expected;
    for (const test::HostileTag& tag : test::kHostileTags)
        expected += std::string(tag.title) + "\t" + tag.lyricsShown + "\r";
    EXPECT_EQ(test::rtfPlainText(test::fileText(*rtf)), expected);
}

TEST_F(TemplateExportTest, UnreadableAndMalformedTemplatesAreReportedAndNothingIsWritten) {
    test::addRecord(list, "/", "a.mp3");
    EXPECT_FALSE(ExportTemplateRtf(list, {"gone.rtf", dir / "gone.rtf", dir.folder(), "E"}, port));
    EXPECT_FALSE(ExportTemplateRtf(list, {"", {}, dir.folder(), "E"}, port));
    EXPECT_FALSE(ExportTemplateHtml(list, request("H" + kStart + "R", "start.html"), port));
    EXPECT_FALSE(ExportTemplateHtml(
        list, request(std::string("H\0", 2) + kStart + "R" + kEnd, "nul.html"), port));
    ASSERT_EQ(port.messages.size(), 4u);
    EXPECT_EQ(port.messages[0],
              "Unable to read content of the specified template file:\n\ngone.rtf");
    EXPECT_EQ(port.messages[2],
              "Wrong format of the specified template file:\n\nstart.html\n\nThis file should "
              "contains the following keywords:\n\t<!--<tunewright_record>-->\n\t"
              "<!--</tunewright_record>-->");
    EXPECT_FALSE(fs::exists(dir / "E.rtf"));
    EXPECT_FALSE(fs::exists(dir / "Export.html"));
    EXPECT_TRUE(port.opened.empty());
}

TEST_F(TemplateExportTest, ALargeTemplateIsExportedWhole) {
    test::addRecord(list, "/", "a.mp3");
    test::addRecord(list, "/", "b.mp3");
    const std::string head(20 * 1024 * 1024, 'h');
    const std::string record(1024 * 1024, 'r');
    const auto path =
        ExportTemplateHtml(list, request(head + kStart + record + kEnd + "T", "big.html"), port);
    ASSERT_TRUE(path);
    EXPECT_EQ(fs::file_size(*path), head.size() + 2 * record.size() + 1);
}

// The templates the program ships, exported over the sample records.
class ShippedTemplatesTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = base::appPaths();
        const char* source = std::getenv("TW_SOURCE_DIR");
        base::setAppPaths(
            {dir / "bin", fs::path(source ? source : ".") / "data", dir / "user", dir / "config"});
        test::addSampleRecords(list, "/music/");
        list.at(0).lyrics.text = "line one\nline two";
    }
    void TearDown() override { base::setAppPaths(saved_); }

    std::string exported(const std::string& name, DocumentKind kind) {
        const TemplateExportRequest request{name, templateFilePath(name), dir.folder(), name};
        const auto path = kind == DocumentKind::Html ? ExportTemplateHtml(list, request, port)
                                                     : ExportTemplateRtf(list, request, port);
        EXPECT_TRUE(path) << name;
        return path ? *path : std::string();
    }

    tw::test::TempDir dir;
    core::FileList list;
    tw::test::FakeUserPort port;
    base::AppPaths saved_;
};

TEST_F(ShippedTemplatesTest, HtmlTemplatesGiveAsciiThatParsesAndOneOfThemStripes) {
    const std::vector<std::string> names = templateList(DocumentKind::Html);
    ASSERT_GE(names.size(), 2u);
    bool striped = false;
    for (const std::string& name : names) {
        const std::optional<std::string> text = readTemplate(templateFilePath(name));
        ASSERT_TRUE(text && SplitTemplate(*text)) << name;
        striped = striped || !SplitTemplate(*text)->record2.empty();
        const std::string path = exported(name, DocumentKind::Html);
        test::writeFile(dir / "check.py",
                        "import sys, html.parser\n"
                        "data = open(sys.argv[1], 'rb').read()\n"
                        "assert all(b < 128 for b in data), 'not ASCII'\n"
                        "p = html.parser.HTMLParser()\n"
                        "p.feed(data.decode('ascii'))\n"
                        "p.close()\n"
                        "assert b'Caf&#233;' in data and b'<tunewright' not in data\n");
        const std::string command =
            "/usr/bin/python3 '" + (dir / "check.py").string() + "' '" + path + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << name;
    }
    EXPECT_TRUE(striped);
}

TEST_F(ShippedTemplatesTest, RtfTemplatesGiveAsciiWithBalancedGroups) {
    const std::vector<std::string> names = templateList(DocumentKind::Rtf);
    ASSERT_GE(names.size(), 2u);
    for (const std::string& name : names) {
        const std::string text = test::fileText(exported(name, DocumentKind::Rtf));
        EXPECT_TRUE(text.starts_with("{\\rtf1")) << name;
        EXPECT_NE(text.find("Caf\\u233?"), std::string::npos) << name;
        int depth = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            ASSERT_LT(static_cast<unsigned char>(text[i]), 128) << name;
            if (text[i] == '\\') {
                ++i;  // a control word or an escaped character
            } else if (text[i] == '{') {
                ++depth;
            } else if (text[i] == '}' && --depth == 0) {
                EXPECT_EQ(text.find_first_not_of("\r\n", i + 1), std::string::npos) << name;
            }
        }
        EXPECT_EQ(depth, 0) << name;
    }
}

}  // namespace
}  // namespace tw::exports
