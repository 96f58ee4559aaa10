// SPDX-License-Identifier: GPL-2.0-or-later
// The picture, numbering, fill and delete commands, run as a script runs them on copies of
// the make-corpus files, with mutagen reading the results.

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <fstream>

#include "cli_harness.h"
#include "support/bytes.h"
#include "support/corpus.h"
#include "support/file_text.h"
#include "support/mutagen.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

test::MutagenDump withoutPictures(test::MutagenDump dump) {
    std::erase_if(dump, [](const auto& entry) { return entry.first.starts_with("APIC"); });
    return dump;
}

class CorpusCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::mutagenAvailable()) << "/usr/bin/python3 cannot import mutagen";
        auto made = test::addCorpusFiles(music, 20);
        ASSERT_TRUE(made) << "scripts/make-corpus failed (it needs sox and lame)";
        files = std::move(*made);
    }

    // With its own settings and data folders, so the user's settings and trash play no part.
    test::CliOutcome run(const std::vector<std::string>& args) {
        return test::runProgramAtHome(args, home.path());
    }

    std::string path(int index) const { return (music / files.at(index).name).string(); }

    test::TempDir home;
    test::TempDir scratch;
    fs::path music = scratch / "corpus";
    std::vector<test::CorpusFile> files;
};

TEST_F(CorpusCliTest, ListJsonGivesTheCountTypeAndSizeOfThePictures) {
    const test::CliOutcome result = run({"list", music.string(), "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const QJsonArray records =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).array();
    ASSERT_EQ(records.size(), static_cast<qsizetype>(files.size()));
    int withPictures = 0;
    for (const QJsonValue& value : records) {
        const QJsonObject record = value.toObject();
        const std::string name = record.value(QLatin1String("fileName")).toString().toStdString();
        const auto file =
            std::find_if(files.begin(), files.end(), [&](const auto& f) { return f.name == name; });
        ASSERT_NE(file, files.end()) << name;
        const QJsonObject pictures = record.value(QLatin1String("pictures")).toObject();
        const QJsonArray items = pictures.value(QLatin1String("items")).toArray();
        EXPECT_EQ(pictures.value(QLatin1String("count")).toInt(), items.size());
        ASSERT_EQ(items.size(), file->pictureBytes > 0 ? 1 : 0) << name;
        if (items.isEmpty())
            continue;
        ++withPictures;
        const QJsonObject picture = items[0].toObject();
        EXPECT_EQ(picture.value(QLatin1String("type")).toInt(), 3);
        EXPECT_EQ(picture.value(QLatin1String("mime")).toString(), QLatin1String("image/png"));
        EXPECT_EQ(static_cast<std::uint64_t>(picture.value(QLatin1String("bytes")).toInteger()),
                  file->pictureBytes);
    }
    EXPECT_EQ(withPictures, 2);
}

TEST_F(CorpusCliTest, PicturesAreExportedAddedAndDeletedAsMutagenReadsThem) {
    // Files 17 (ID3v2.3) and 4 (ID3v2.4) carry a front cover; file 3 is v2.3 without one.
    ASSERT_GT(files.at(17).pictureBytes, 0u);
    const fs::path exported = home / "cover.png";
    test::CliOutcome result = run({"picture", "export", path(17), "--out", exported.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string image = test::fileText(exported);
    const test::MutagenDump original = test::mutagenDump(path(17));
    const auto front = std::find_if(original.begin(), original.end(),
                                    [](const auto& e) { return e.first.starts_with("APIC"); });
    ASSERT_NE(front, original.end());
    EXPECT_EQ(front->second, "image/png 3 " + test::md5Hex(image));

    // An export never replaces a file.
    std::ofstream(home / "taken.png") << "mine";
    EXPECT_EQ(run({"picture", "export", path(17), "--out", (home / "taken.png").string()}).status,
              1);
    EXPECT_EQ(test::fileText(home / "taken.png"), "mine");
    EXPECT_EQ(run({"picture", "export", path(3), "--out", (home / "none.png").string()}).status, 1);
    EXPECT_FALSE(fs::exists(home / "none.png"));

    const test::MutagenDump before3 = test::mutagenDump(path(3), "frames");
    const test::MutagenDump before4 = test::mutagenDump(path(4), "frames");
    result = run({"picture", "add", path(3), path(4), "--image", exported.string(), "--type",
                  "back", "--description", "Rück"});
    ASSERT_EQ(result.status, 0) << result.err;
    for (const auto& [index, version] : {std::pair{3, "2.3"}, {4, "2.4"}}) {
        const test::MutagenDump after = test::mutagenDump(path(index));
        EXPECT_EQ(after.at("version"), version);
        EXPECT_EQ(after.at("APIC:Rück"), "image/png 4 " + test::md5Hex(image));
    }
    EXPECT_EQ(withoutPictures(test::mutagenDump(path(3), "frames")), withoutPictures(before3));
    EXPECT_EQ(withoutPictures(test::mutagenDump(path(4), "frames")), withoutPictures(before4));

    result = run({"picture", "list", path(4)});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 2) << result.out;
    EXPECT_NE(result.out.find("2\tback\timage/png\t" + std::to_string(image.size()) + "\tRück\n"),
              std::string::npos)
        << result.out;

    result = run({"picture", "delete", path(4), "--type", "front"});
    ASSERT_EQ(result.status, 0) << result.err;
    const test::MutagenDump deleted = test::mutagenDump(path(4));
    EXPECT_EQ(std::count_if(deleted.begin(), deleted.end(),
                            [](const auto& e) { return e.first.starts_with("APIC"); }),
              1);
    EXPECT_TRUE(deleted.contains("APIC:Rück"));
    EXPECT_EQ(withoutPictures(test::mutagenDump(path(4), "frames")), withoutPictures(before4));
}

TEST_F(CorpusCliTest, WrongPicturesAndWrongUsageChangeNothing) {
    const test::Bytes before = test::readBytes(path(4));
    std::ofstream(home / "notes.txt") << "not an image";
    EXPECT_EQ(run({"picture", "add", path(4), "--image", (home / "notes.txt").string()}).status, 1);
    EXPECT_EQ(run({"picture", "add", path(4), "--image", (home / "gone.png").string()}).status, 1);
    EXPECT_EQ(run({"picture", "add", path(4), "--image", path(4), "--type", "poster"}).status, 2);
    EXPECT_EQ(run({"picture", "delete", path(4)}).status, 2);
    EXPECT_EQ(run({"picture", "delete", path(4), "--all", "--type", "front"}).status, 2);
    EXPECT_EQ(run({"picture", "export", path(4)}).status, 2);
    EXPECT_EQ(run({"picture", "rotate", path(4)}).status, 2);
    EXPECT_EQ(test::readBytes(path(4)), before);
}

TEST_F(CorpusCliTest, NumberAndFillDoWhatTheWindowsCommandsDo) {
    // The first seven files, numbered in the window's list order from 3 with a total.
    for (std::size_t i = 7; i < files.size(); ++i)
        fs::remove(path(static_cast<int>(i)));
    test::CliOutcome result = run({"number", music.string(), "--start", "3", "--total"});
    ASSERT_EQ(result.status, 0) << result.err;
    for (int i = 0; i < 7; ++i) {
        const test::MutagenDump d = test::mutagenDump(path(i));
        EXPECT_EQ(d.at("v1.TRCK"), std::to_string(3 + i)) << i;
        EXPECT_EQ(d.at("TRCK"), std::to_string(3 + i) + "/9") << i;
    }
    // Without --total the numbers stand alone.
    ASSERT_EQ(run({"number", path(5), path(6)}).status, 0);
    EXPECT_EQ(test::mutagenDump(path(6)).at("TRCK"), "2");

    ASSERT_EQ(run({"number", "--remove", music.string()}).status, 0);
    for (int i = 0; i < 7; ++i) {
        const test::MutagenDump d = test::mutagenDump(path(i));
        EXPECT_FALSE(d.contains("TRCK")) << i;
        EXPECT_FALSE(d.contains("v1.TRCK") && d.at("v1.TRCK") != "0") << i;
    }
    EXPECT_EQ(run({"number", "--remove", "--start", "2", music.string()}).status, 2);

    // File 1 has only an ID3v1.0 tag: the fill makes its ID3v2 tag from it.
    const test::MutagenDump v1Only = test::mutagenDump(path(1));
    ASSERT_EQ(v1Only.at("version"), "none");
    ASSERT_EQ(run({"fill", "--v2-from-v1", path(1)}).status, 0);
    const test::MutagenDump filled = test::mutagenDump(path(1));
    EXPECT_EQ(filled.at("TIT2"), v1Only.at("v1.TIT2"));
    EXPECT_EQ(filled.at("TPE1"), v1Only.at("v1.TPE1"));
    EXPECT_EQ(run({"fill", path(1)}).status, 2);
    EXPECT_EQ(run({"fill", "--v1-from-v2", "--v2-from-v1", path(1)}).status, 2);
}

TEST_F(CorpusCliTest, DeleteMovesFilesToTheTrashOnlyWhenConfirmed) {
    const std::string song = path(2);
    const std::string bytes = test::fileText(song);
    test::CliOutcome result = run({"delete", song});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(fs::exists(song));

    result = run({"delete", song, "--yes"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_FALSE(fs::exists(song));
    const fs::path trash = home / "data" / "Trash";
    const std::string name = files.at(2).name;
    EXPECT_EQ(test::fileText(trash / "files" / name), bytes);
    EXPECT_TRUE(
        test::fileText(trash / "info" / (name + ".trashinfo")).starts_with("[Trash Info]\nPath="));

    // The same name again goes beside it, numbered; the global --yes answers the question.
    fs::copy_file(path(3), song);
    ASSERT_EQ(run({"--yes", "delete", song}).status, 0);
    EXPECT_EQ(test::fileText(trash / "files" / name), bytes);
    const std::string stem = name.substr(0, name.size() - 4);
    EXPECT_TRUE(fs::exists(trash / "files" / (stem + ".2.mp3")));

    const test::CliOutcome help = run({"help"});
    for (const char* synopsis :
         {"picture list FILE", "number DIR|FILE...", "fill --v1-from-v2", "delete FILE... [--yes]"})
        EXPECT_NE(help.out.find(synopsis), std::string::npos) << synopsis;
}

}  // namespace
}  // namespace tw::cli
