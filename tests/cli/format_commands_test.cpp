// SPDX-License-Identifier: GPL-2.0-or-later
// The command line on FLAC, Ogg and MP4 files tagged by mutagen, run as a script runs it:
// reading commands print them, every command that writes tags writes them (those of ID3v1
// skip them), the undo of the last save puts back what was written in place, renaming by a
// mask keeps their extension.

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <fstream>

#include "cli_harness.h"
#include "support/file_text.h"
#include "support/format_files.h"
#include "support/mp3_file.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

class FormatCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // An Ogg Vorbis file named .mp3 is read by its content.
        for (const auto& [kind, name] : {std::pair{"flac", "a.flac"}, std::pair{"alac", "b.m4a"},
                                         std::pair{"vorbis", "c.mp3"}})
            if (!test::copyFormatFile(kind, true, music / name))
                FAIL() << "could not make the test file (flac, ffmpeg, opusenc, sox, mutagen)";
    }

    test::CliOutcome run(const std::vector<std::string>& args) {
        return test::runProgramAtHome(args, home.path());
    }
    std::string file(const std::string& name) const { return (music / name).string(); }
    // The field `key` of the ID3v2 tab of the file `name` in `folder`, as the list prints it.
    std::string v2Field(const std::string& folder, const std::string& name, const char* key) {
        const QJsonArray records =
            QJsonDocument::fromJson(
                QByteArray::fromStdString(run({"list", folder, "--format", "json"}).out))
                .array();
        for (const auto& record : records)
            if (record.toObject().value(QLatin1String("fileName")).toString().toStdString() == name)
                return record.toObject()
                    .value(QLatin1String("id3v2"))
                    .toObject()
                    .value(QLatin1String(key))
                    .toVariant()
                    .toString()
                    .toStdString();
        return std::string("?");
    }

    test::TempDir home;
    test::TempDir music;
};

TEST_F(FormatCommandsTest, ListShowPlaylistAndPictureExportCarryThem) {
    const test::CliOutcome listed = run({"list", music.path().string(), "--format", "json"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    const QJsonArray records =
        QJsonDocument::fromJson(QByteArray::fromStdString(listed.out)).array();
    ASSERT_EQ(records.size(), 3);
    const char* versions[] = {"FLAC, 24 bits", "ALAC, 24 bits", "Vorbis"};
    for (int i = 0; i < 3; ++i) {
        const QJsonObject record = records[i].toObject();
        const QJsonObject stream = record.value(QLatin1String("stream")).toObject();
        EXPECT_EQ(stream.value(QLatin1String("Version")).toString().toStdString(), versions[i]);
        EXPECT_EQ(record.value(QLatin1String("playSeconds")).toInt(), 3);
        const QJsonObject v2 = record.value(QLatin1String("id3v2")).toObject();
        EXPECT_EQ(v2.value(QLatin1String("title")).toString().toStdString(), "Title é");
        EXPECT_EQ(record.value(QLatin1String("pictures"))
                      .toObject()
                      .value(QLatin1String("count"))
                      .toInt(),
                  2);
    }

    const test::CliOutcome shown = run({"show", file("a.flac")});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Bits per sample:\\t24"), std::string::npos) << shown.out;

    ASSERT_EQ(run({"playlist", music.path().string(), "--type", "m3u-ext"}).status, 0);
    EXPECT_EQ(test::fileText(music / "The Album.m3u"),
              "#EXTM3U\r\n#EXTINF:3,Artist One - Title é\r\na.flac\r\n"
              "#EXTINF:3,Artist One - Title é\r\nb.m4a\r\n"
              "#EXTINF:3,Artist One - Title é\r\nc.mp3\r\n");

    const fs::path cover = home / "cover.png";
    ASSERT_EQ(run({"picture", "export", file("b.m4a"), "--out", cover.string()}).status, 0);
    EXPECT_TRUE(test::fileText(cover).starts_with("\x89PNG"));
}

// Each command that writes tags, on the three files in turn, then the undo of the last
// save: the FLAC file's padding took its tag, so its old bytes come back; the Ogg file
// grew into a new file, which the undo says it cannot take back.
TEST_F(FormatCommandsTest, EveryTagWriterWritesThemAndTheLastSaveIsUndone) {
    const std::string folder = music.path().string();
    const std::string image = (home / "x.png").string();
    std::ofstream(image, std::ios::binary) << "\x89PNG\r\n\x1a\n" << std::string(100, 'p');
    const auto field = [&](const std::string& name, const char* key) {
        return v2Field(folder, name, key);
    };
    struct Writer {
        std::vector<std::string> args;
        const char* file;
        const char* key;
        const char* value;
    };
    const Writer writers[] = {
        {{"set", "--title", "New", file("a.flac")}, "a.flac", "title", "New"},
        {{"set", "--artist", "Other", "--track", "4/9", file("c.mp3")}, "c.mp3", "artist", "Other"},
        {{"number", folder, "--total"}, "b.m4a", "track", "2"},
        {{"fill-from-name", folder, "--mask", "<title>", "--overwrite"}, "b.m4a", "title", "b"},
        {{"case", folder, "--field", "title", "--mode", "1"}, "c.mp3", "title", "C"},
        {{"picture", "add", file("b.m4a"), "--image", image}, "b.m4a", "title", "B"},
        {{"clear", "--v2", file("c.mp3")}, "c.mp3", "artist", ""},
        // Any text is a genre here; a name of the table stays one, whatever its case.
        {{"set", "--genre", "Post-Rock", file("a.flac"), file("b.m4a")},
         "b.m4a",
         "genreName",
         "Post-Rock"},
        {{"set", "--genre", "jazz", file("a.flac")}, "a.flac", "genreName", "Jazz"},
    };
    for (const Writer& writer : writers) {
        const test::CliOutcome result = run(writer.args);
        EXPECT_EQ(result.status, 0) << writer.args[0] << ": " << result.err;
        EXPECT_EQ(field(writer.file, writer.key), writer.value) << writer.args[0];
    }
    const std::string ogg = test::fileText(music / "c.mp3");

    // An MP3 file takes only the table's genres, and then none of the files is written.
    const std::string mp3 = test::writeMp3(home, "x.mp3", {.audio = test::defaultAudio()});
    const test::CliOutcome refused = run({"set", "--genre", "Shoegaze", file("b.m4a"), mp3});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("unknown genre Shoegaze"), std::string::npos) << refused.err;
    EXPECT_EQ(field("b.m4a", "genreName"), "Post-Rock");
    const fs::path html = home / "list.html";
    ASSERT_EQ(run({"export", folder, "--html", "--out", html.string(), "--columns", "6"}).status,
              0);
    EXPECT_NE(test::fileText(html).find("<td>Post-Rock</td>"), std::string::npos);

    // The ID3v1 commands skip each file that holds none, with a line each, and fail no run.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"fill", "--v1-from-v2", folder},
          std::vector<std::string>{"clear", "--v1", file("a.flac"), file("b.m4a")}}) {
        const test::CliOutcome result = run(args);
        EXPECT_EQ(result.status, 0) << args[0] << ": " << result.err;
        EXPECT_NE(result.err.find(file("a.flac") + ": skipped, a FLAC file holds no ID3v1 tag"),
                  std::string::npos)
            << result.err;
        EXPECT_NE(result.err.find(file("b.m4a") + ": skipped, a MP4 file holds no ID3v1 tag"),
                  std::string::npos)
            << result.err;
    }

    const std::string flac = test::fileText(music / "a.flac");
    ASSERT_EQ(run({"set", "--album", std::string(3000, 'u'), file("a.flac"), file("c.mp3")}).status,
              0);
    // Both tags grew into inserted blocks, which the journal keeps the way back from.
    const test::CliOutcome undo = run({"undo"});
    EXPECT_EQ(undo.status, 0) << undo.out << undo.err;
    EXPECT_NE(undo.out.find(file("a.flac")), std::string::npos) << undo.out;
    EXPECT_NE(undo.out.find(file("c.mp3")), std::string::npos) << undo.out;
    EXPECT_TRUE(test::fileText(music / "a.flac") == flac);
    EXPECT_TRUE(test::fileText(music / "c.mp3") == ogg);
}

// A genre read from a name is any text for a file that holds its genre as text, a name of
// the table keeping its number; an MP3 file takes only the table's names.
TEST_F(FormatCommandsTest, AGenreFromTheNameIsAnyTextWhereTheFileHoldsText) {
    const test::TempDir named;
    ASSERT_TRUE(test::copyFormatFile("flac", true, named / "Shoegaze.flac") &&
                test::copyFormatFile("flac", true, named / "jazz.flac"));
    test::writeMp3(named, "Shoegaze.mp3", {.audio = test::defaultAudio()});
    const std::string folder = named.path().string();
    const test::CliOutcome filled =
        run({"fill-from-name", folder, "--mask", "<genre>", "--overwrite"});
    ASSERT_EQ(filled.status, 0) << filled.err;
    EXPECT_EQ(v2Field(folder, "Shoegaze.flac", "genreName"), "Shoegaze");
    EXPECT_EQ(v2Field(folder, "jazz.flac", "genreName"), "Jazz");
    EXPECT_EQ(v2Field(folder, "Shoegaze.mp3", "genreName"), "");
}

TEST_F(FormatCommandsTest, RenamingByAMaskKeepsEachFilesExtension) {
    const std::string before = test::fileText(music / "a.flac");
    const test::CliOutcome result =
        run({"rename", music.path().string(), "--mask", "<counter> <artist>", "--files", "a.flac",
             "b.m4a", "c.mp3"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::exists(music / "1 Artist One.flac"));
    EXPECT_TRUE(fs::exists(music / "2 Artist One.m4a"));
    EXPECT_TRUE(fs::exists(music / "3 Artist One.mp3"));
    EXPECT_TRUE(test::fileText(music / "1 Artist One.flac") == before);
}

}  // namespace
}  // namespace tw::cli
