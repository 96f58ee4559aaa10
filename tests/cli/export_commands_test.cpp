// SPDX-License-Identifier: GPL-2.0-or-later
// The playlist and export commands of the command line, run in this process on generated
// MP3 files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/app_paths.h"
#include "cli/commands.h"
#include "cli/usage.h"
#include "cli_harness.h"
#include "support/file_text.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

class ExportCommandsTest : public ::testing::Test {
protected:
    // A fresh settings folder, so the user's stored tables and columns play no part, and
    // data folders of the test's own for the templates.
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);
        saved = base::appPaths();
        base::setAppPaths({home / "bin", home / "install", home / "user", home / "config"});
        song("a.mp3", "First", "Album");
        song("b.mp3", "Second", "Album");
    }
    void TearDown() override { base::setAppPaths(saved); }

    test::CliOutcome run(const Command& command, const std::vector<std::string>& extra,
                         bool yes = false) {
        return test::runCommand(command, music.path(), extra, yes);
    }

    void song(const std::string& name, const std::string& title, const std::string& album) {
        test::Id3v2Builder tag(3);
        tag.text("TIT2", title).text("TALB", album).text("TPE1", "Caf\xC3\xA9");
        test::writeMp3(music, name, {.id3v2 = tag.build(), .audio = test::defaultAudio()});
    }

    test::TempDir home;
    test::TempDir music;
    test::TempDir target;
    base::AppPaths saved;
};

TEST_F(ExportCommandsTest, PlaylistOfTheFolderOrOfChosenFilesIsNamedByTheMask) {
    const test::CliOutcome result = run(kPlaylistCommand, {"--type", "m3u-ext"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, music.folder() + "Album.m3u\n");
    EXPECT_EQ(test::fileText(music / "Album.m3u"),
              "#EXTM3U\r\n#EXTINF:0,Caf\xC3\xA9 - First\r\na.mp3\r\n"
              "#EXTINF:0,Caf\xC3\xA9 - Second\r\nb.mp3\r\n");

    const test::CliOutcome chosen =
        run(kPlaylistCommand, {"--type", "pls", "--out", target.path().string(), "--mask",
                               "<number_of_tracks> of <album>", "--files", "b.mp3"});
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_TRUE(test::fileText(target / "1 of Album.pls")
                    .starts_with("[Playlist]\r\nNumberOfEntries=1\r\nVersion=2\r\nFile1=../" +
                                 music.path().filename().string() + "/b.mp3\r\n"));
}

TEST_F(ExportCommandsTest, AnExistingPlaylistIsKeptUnlessOverwriteIsGiven) {
    std::ofstream(music / "Album.m3u") << "old";
    const test::CliOutcome asked = run(kPlaylistCommand, {"--type", "m3u"});
    EXPECT_EQ(asked.status, 1);
    EXPECT_NE(asked.err.find("Would you like overwrite?\n(--overwrite replaces it; --skip keeps "
                             "it and succeeds)\n"),
              std::string::npos)
        << asked.err;
    EXPECT_EQ(run(kPlaylistCommand, {"--type", "m3u", "--skip"}).status, 0);
    EXPECT_EQ(test::fileText(music / "Album.m3u"), "old");
    const test::CliOutcome replaced = run(kPlaylistCommand, {"--type", "m3u", "--overwrite"});
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(test::fileText(music / "Album.m3u"), "a.mp3\r\nb.mp3\r\n");
}

TEST_F(ExportCommandsTest, AMissingOutputFolderIsCreatedOnlyWithYes) {
    const std::string folder = (target / "new").string();
    const test::CliOutcome refused = run(kPlaylistCommand, {"--type", "m3u", "--out", folder});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("error: Unable to create [" + folder + "/Album.m3u] playlist"),
              std::string::npos)
        << refused.err;
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(run(kPlaylistCommand, {"--type", "m3u", "--out", folder}, true).status, 0);
    EXPECT_TRUE(fs::is_regular_file(folder + "/Album.m3u"));
}

TEST_F(ExportCommandsTest, APlaylistOfNoFilesIsRefusedWithTheReason) {
    const test::CliOutcome none =
        test::runCommand(kPlaylistCommand, target.path(), {"--type", "m3u"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("was not written: it would name no file."), std::string::npos)
        << none.err;
    EXPECT_TRUE(fs::is_empty(target.path()));
}

TEST_F(ExportCommandsTest, ExportWritesTheChosenColumnsOrTheStoredOnes) {
    const test::CliOutcome rtf =
        run(kExportCommand, {"--rtf", "--out", (target / "list").string(), "--columns", "3,2"});
    ASSERT_EQ(rtf.status, 0) << rtf.err;
    EXPECT_EQ(rtf.out, (target / "list.rtf").string() + "\n");
    EXPECT_TRUE(test::fileText(target / "list.rtf")
                    .ends_with("\\b\\tab Title\\tab Artist\\par \\i0\\b0\\tab First\\tab "
                               "Caf\\u233?\\par\\tab Second\\tab Caf\\u233?\\par\\par }"));

    const test::CliOutcome html =
        run(kExportCommand, {"--html", "--out", (target / "all.htm").string()});
    ASSERT_EQ(html.status, 0) << html.err;
    const std::string text = test::fileText(target / "all.htm");
    EXPECT_NE(text.find("<td><b>Channels</b></td>"), std::string::npos);
    EXPECT_NE(text.find("<td>Caf&#233;</td>"), std::string::npos);
}

TEST_F(ExportCommandsTest, ExportTemplateByNameOrPath) {
    const std::string templateText =
        "<ul>\n<!--<tunewright_record>--><li><number><title></li>\n"
        "<!--</tunewright_record>--></ul>\n";
    fs::create_directories(home / "install" / "templates");
    std::ofstream(home / "install" / "templates" / "simple.html") << templateText;
    const test::CliOutcome byName = run(
        kExportTemplateCommand, {"--template", "simple.html", "--out", (target / "list").string()});
    ASSERT_EQ(byName.status, 0) << byName.err;
    EXPECT_EQ(test::fileText(target / "list.html"),
              "<ul>\n<li>First</li>\n<li>Second</li>\n</ul>\n");

    std::ofstream(home / "mine.txt") << templateText;
    const test::CliOutcome byPath = run(
        kExportTemplateCommand,
        {"--template", (home / "mine.txt").string(), "--rtf", "--out", (target / "x").string()});
    ASSERT_EQ(byPath.status, 0) << byPath.err;
    EXPECT_TRUE(fs::exists(target / "x.rtf"));
}

// The names "export-template --list" and "help" print are the names --template takes, with
// or without their extension.
TEST_F(ExportCommandsTest, TemplatesAreTakenByTheNamesTheListGives) {
    const fs::path folder = home / "install" / "templates";
    fs::create_directories(folder);
    std::ofstream(folder / "Plain list.html")
        << "<!--<tunewright_record>--><title>;<!--</tunewright_record>-->";
    std::ofstream(folder / "both.html") << "<!--<tunewright_record>-->h<!--</tunewright_record>-->";
    std::ofstream(folder / "both.rtf") << "<!--<tunewright_record>-->r<!--</tunewright_record>-->";

    const test::CliOutcome listed = run(kExportTemplateCommand, {"--list"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "both.html\nPlain list.html\nboth.rtf\n");
    std::ostringstream help;
    printUsage(help);
    EXPECT_NE(help.str().find("(export-template --template NAME):\n  both.html\n  Plain list.html\n"
                              "  both.rtf\n"),
              std::string::npos)
        << help.str();

    const struct {
        std::vector<std::string> words;
        const char* written;  // nullptr: refused as wrong usage
        const char* text;
    } cases[] = {
        {{"--template", "Plain list"}, "out.html", "First;Second;"},
        {{"--template", "Plain list.html"}, "out.html", "First;Second;"},
        {{"--template", "both", "--rtf"}, "out.rtf", "rr"},
        {{"--template", "both", "--html"}, "out.html", "hh"},
        {{"--template", "both.rtf"}, "out.rtf", "rr"},
        {{"--template", "both"}, nullptr, ""},
    };
    for (const auto& c : cases) {
        fs::remove_all(target.path() / "out.html");
        fs::remove_all(target.path() / "out.rtf");
        std::vector<std::string> words = c.words;
        words.insert(words.end(), {"--out", (target / "out").string()});
        const test::CliOutcome result = run(kExportTemplateCommand, words);
        if (!c.written) {
            EXPECT_EQ(result.status, kExitUsage) << c.words[1];
            continue;
        }
        EXPECT_EQ(result.status, 0) << c.words[1] << result.err;
        EXPECT_EQ(test::fileText(target / c.written), c.text) << c.words[1];
    }
}

TEST_F(ExportCommandsTest, FailuresAndWrongUsageGiveTheirStatus) {
    std::ofstream(home / "bad.html") << "no markers";
    const test::CliOutcome bad =
        run(kExportTemplateCommand,
            {"--template", (home / "bad.html").string(), "--out", (target / "x").string()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("Wrong format of the specified template file:"), std::string::npos);
    EXPECT_EQ(run(kExportTemplateCommand, {"--template", "none.html", "--out", "x"}).status, 1);
    EXPECT_EQ(run(kExportCommand, {"--html", "--out", (target / "no" / "x").string()}).status, 1);

    EXPECT_EQ(run(kPlaylistCommand, {}).status, kExitUsage);
    EXPECT_EQ(run(kPlaylistCommand, {"--type", "wpl"}).status, kExitUsage);
    EXPECT_EQ(run(kPlaylistCommand, {"--type", "m3u", "--skip", "--overwrite"}).status, kExitUsage);
    EXPECT_EQ(run(kExportCommand, {"--html", "--rtf", "--out", "x"}).status, kExitUsage);
    EXPECT_EQ(run(kExportCommand, {"--html"}).status, kExitUsage);
    for (const char* columns : {"14", "0", "22", "1,,2", "x", ""})
        EXPECT_EQ(run(kExportCommand, {"--html", "--out", "x", "--columns", columns}).status,
                  kExitUsage)
            << columns;
    EXPECT_EQ(run(kExportTemplateCommand, {"--template", "t.txt", "--out", "x"}).status,
              kExitUsage);
    EXPECT_FALSE(fs::exists("x.html"));
}

}  // namespace
}  // namespace tw::cli
