// SPDX-License-Identifier: GPL-2.0-or-later
// The command line on FLAC, Ogg and MP4 files tagged by mutagen, run as a script runs it:
// reading commands print them, every command that writes tags refuses them with the reason
// and leaves their bytes, renaming by a mask keeps their extension.

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>

#include "cli_harness.h"
#include "support/file_text.h"
#include "support/format_files.h"
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

TEST_F(FormatCommandsTest, EveryTagWriterRefusesWithTheReasonAndChangesNoByte) {
    const std::string before = test::fileText(music / "a.flac");
    fs::remove(music / "b.m4a");
    fs::remove(music / "c.mp3");
    const std::string folder = music.path().string();
    const std::string image = (home / "x.png").string();
    fs::copy_file(music / "a.flac", image);  // any bytes; the refusal comes first
    const std::vector<std::vector<std::string>> writers = {
        {"set", "--title", "New", file("a.flac")},
        {"set", "--v1", "--title", "New", file("a.flac")},
        {"clear", "--v2", file("a.flac")},
        {"number", folder, "--total"},
        {"number", "--remove", folder},
        {"fill", "--v1-from-v2", folder},
        {"picture", "delete", file("a.flac"), "--all"},
        {"fill-from-name", folder, "--mask", "<title>", "--overwrite"},
        {"case", folder, "--field", "title", "--mode", "3"},
    };
    for (const auto& args : writers) {
        const test::CliOutcome result = run(args);
        EXPECT_EQ(result.status, 1) << args[0] << ": " << result.out << result.err;
        EXPECT_NE(result.err.find("a.flac: saving FLAC files is not supported yet"),
                  std::string::npos)
            << args[0] << ": " << result.err;
    }
    EXPECT_TRUE(test::fileText(music / "a.flac") == before);
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
