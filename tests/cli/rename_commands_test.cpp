// SPDX-License-Identifier: GPL-2.0-or-later
// The renaming commands of the command line, run in this process on generated MP3 files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "cli/commands.h"
#include "cli_harness.h"
#include "core/audio_file.h"
#include "core/mpeg_info.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

class RenameCommandsTest : public ::testing::Test {
protected:
    // The user's settings folder is a fresh one, so their stored tables play no part.
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);
    }

    test::CliOutcome run(const Command& command, const std::vector<std::string>& extra) {
        return test::runCommand(command, music.path(), extra);
    }

    void song(const std::string& name, const std::string& title, const std::string& artist = "") {
        test::Id3v2Builder tag(3);
        tag.text("TIT2", title);
        if (!artist.empty())
            tag.text("TPE1", artist);
        test::writeMp3(music, name, {.id3v2 = tag.build(), .audio = test::defaultAudio()});
    }

    // The record of a file of the folder as it is on disk now (an empty one when it
    // cannot be read).
    core::AudioFile reread(const std::string& name) {
        core::MpegInfo mpeg;
        const auto record =
            core::AudioFile::create(music.folder() + name, music.folder().size(), mpeg);
        return record ? *record : core::AudioFile{};
    }

    std::set<std::string> namesIn(const fs::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    test::TempDir home;
    test::TempDir music;
};

TEST_F(RenameCommandsTest, RenamesIntoASubFolderWithCounters) {
    fs::create_directory(music / "Band");
    song("a.mp3", "One", "Band");
    song("b.mp3", "Two", "Band");
    const test::CliOutcome result = run(
        kRenameCommand,
        {"--mask", "<artist>\\<counter> <title>", "--counter-length", "2", "--counter-start", "4"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::set<std::string> renamed = namesIn(music / "Band");
    ASSERT_EQ(renamed.size(), 2u);
    // The scan order decides which file is counted first.
    EXPECT_TRUE(renamed == (std::set<std::string>{"05 One.mp3", "06 Two.mp3"}) ||
                renamed == (std::set<std::string>{"05 Two.mp3", "06 One.mp3"}));
    EXPECT_EQ(namesIn(music.path()), (std::set<std::string>{"Band"}));
    EXPECT_NE(result.out.find("a.mp3 -> Band/0"), std::string::npos) << result.out;
    EXPECT_EQ(reread("Band/" + *renamed.begin()).id3v2.artist, "Band");
}

TEST_F(RenameCommandsTest, CollisionFailsAndKeepsBothFiles) {
    song("a.mp3", "Same");
    song("b.mp3", "Same");
    song("c.mp3", "c");  // already bears its name
    const auto sizeBefore = fs::file_size(music / "a.mp3");
    const test::CliOutcome result = run(kRenameCommand, {"--mask", "<title>"});
    EXPECT_EQ(result.status, 1);
    const std::set<std::string> names = namesIn(music.path());
    ASSERT_EQ(names.size(), 3u);
    EXPECT_TRUE(names.contains("Same.mp3"));
    const std::string kept = names.contains("a.mp3") ? "a.mp3" : "b.mp3";
    EXPECT_TRUE(names.contains(kept));
    // Only the file that was renamed is printed; the failure goes to the error stream.
    const std::string renamed = kept == "a.mp3" ? "b.mp3" : "a.mp3";
    EXPECT_EQ(result.out, renamed + " -> Same.mp3\n");
    EXPECT_NE(result.err.find("Errors on file(s) modification"), std::string::npos);
    EXPECT_NE(result.err.find("  " + kept + ": the file in row 1 takes this name first"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(fs::file_size(music / kept), sizeBefore);
    EXPECT_EQ(reread(kept).id3v2.title, "Same");
}

TEST_F(RenameCommandsTest, ADryRunOnlyPrintsAndOnlyTheNamedFilesAreRenamed) {
    song("a.mp3", "AC/DC");
    song("b.mp3", "Second");
    const test::CliOutcome dry =
        run(kRenameCommand, {"--mask", "<title>", "--case", "4", "--dry-run", "--files", "a.mp3"});
    EXPECT_EQ(dry.status, 0);
    EXPECT_EQ(dry.out, "a.mp3 -> AC-DC.mp3\n");
    EXPECT_EQ(namesIn(music.path()), (std::set<std::string>{"a.mp3", "b.mp3"}));
    EXPECT_EQ(run(kRenameCommand, {"--mask", "<title>", "--files", "b.mp3"}).status, 0);
    EXPECT_EQ(namesIn(music.path()), (std::set<std::string>{"a.mp3", "Second.mp3"}));
    EXPECT_EQ(run(kRenameCommand, {"--mask", "<title>", "--files", "none.mp3"}).status, 1);
}

TEST_F(RenameCommandsTest, WrongCommandLinesAreUsageErrors) {
    song("a.mp3", "x");
    const test::CliOutcome refused = run(kRenameCommand, {"--mask", "a|b"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("It is not allowed to use character '|' in the mask"),
              std::string::npos);
    EXPECT_EQ(run(kRenameCommand, {}).status, 2);
    EXPECT_EQ(run(kRenameCommand, {"--mask", "<title>", "--counter-length", "9"}).status, 2);
    EXPECT_EQ(run(kCaseCommand, {"--field", "title", "--mode", "5"}).status, 2);
    EXPECT_EQ(run(kCaseCommand, {"--field", "genre", "--mode", "1"}).status, 2);
    EXPECT_EQ(run(kFillFromNameCommand, {"--mask", "<artist>\\<title>"}).status, 2);
    EXPECT_EQ(namesIn(music.path()), (std::set<std::string>{"a.mp3"}));
}

TEST_F(RenameCommandsTest, FillFromNamePrintsAndSavesTheFields) {
    song("01 - Intro.mp3", "");
    const test::CliOutcome dry =
        run(kFillFromNameCommand, {"--mask", "<number> - <title>", "--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_NE(dry.out.find("01 - Intro.mp3: v2 title = Intro\n"), std::string::npos) << dry.out;
    EXPECT_NE(dry.out.find("01 - Intro.mp3: v1 track = 1\n"), std::string::npos) << dry.out;
    EXPECT_EQ(reread("01 - Intro.mp3").id3v2.title, "");

    const test::CliOutcome saved =
        run(kFillFromNameCommand, {"--mask", "<number> - <title>", "--v2"});
    EXPECT_EQ(saved.status, 0) << saved.err;
    const auto record = reread("01 - Intro.mp3");
    EXPECT_EQ(record.id3v2.title, "Intro");
    EXPECT_EQ(record.id3v2.track, 1);
    EXPECT_FALSE(record.id3v1.inFile);
}

TEST_F(RenameCommandsTest, CaseRecasesFieldsAndFileNames) {
    song("My Song.mp3", "LOUD TITLE");
    const test::CliOutcome title = run(kCaseCommand, {"--field", "title", "--mode", "2"});
    EXPECT_EQ(title.status, 0) << title.err;
    EXPECT_EQ(title.out, "LOUD TITLE -> loud title\n");
    EXPECT_EQ(reread("My Song.mp3").id3v2.title, "loud title");

    const test::CliOutcome name = run(kCaseCommand, {"--field", "filename", "--mode", "3"});
    EXPECT_EQ(name.status, 0) << name.err;
    EXPECT_EQ(namesIn(music.path()), (std::set<std::string>{"MY SONG.mp3"}));
}

TEST_F(RenameCommandsTest, CaseTellsOnlyTheRenamesTheFilesGot) {
    song("my song.mp3", "a");
    song("MY SONG.mp3", "b");  // what the first would become
    song("other.mp3", "c");
    const test::CliOutcome preview =
        run(kCaseCommand, {"--field", "filename", "--mode", "3", "--dry-run"});
    EXPECT_EQ(preview.out, "my song.mp3 -> MY SONG.mp3\nother.mp3 -> OTHER.mp3\n");
    const test::CliOutcome name = run(kCaseCommand, {"--field", "filename", "--mode", "3"});
    EXPECT_EQ(name.status, 1);
    EXPECT_EQ(name.out, "other.mp3 -> OTHER.mp3\n");
    EXPECT_NE(name.err.find("my song.mp3"), std::string::npos) << name.err;
    EXPECT_EQ(namesIn(music.path()),
              (std::set<std::string>{"my song.mp3", "MY SONG.mp3", "OTHER.mp3"}));
}

}  // namespace
}  // namespace tw::cli
