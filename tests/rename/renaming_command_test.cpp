// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/renaming_command.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "command_fixture.h"
#include "rename/symbol_table.h"

namespace tw::rename {
namespace {

namespace fs = std::filesystem;

class RenamingCommandTest : public ::testing::Test, protected test::CommandFixture {
protected:
    RenameOutcome runWithMask(std::string_view mask) {
        RenamingCommand command(list, store);
        command.maskList().setCurrentMask(mask);
        return command.run(port, dir.folder());
    }
};

TEST_F(RenamingCommandTest, SeveralArtistsChooseTheDirectoryRow) {
    addFile("a.mp3").id3v2.artist = "One";
    addFile("b.mp3");  // no artist: does not count
    addFile("c.mp3").id3v1.artist = "One";
    list.selectAll();
    EXPECT_FALSE(hasSeveralArtists(list));
    EXPECT_EQ(RenamingCommand(list, store).permissions().directoryPart,
              permission_rows::kDirectoryOneArtist);
    list.at(2).id3v1.artist = "Two";
    EXPECT_TRUE(hasSeveralArtists(list));
    EXPECT_EQ(RenamingCommand(list, store).permissions().directoryPart,
              permission_rows::kDirectorySeveralArtists);
    // Only the selection counts.
    list.selectOnly(2);
    EXPECT_FALSE(hasSeveralArtists(list));
}

TEST_F(RenamingCommandTest, PreviewShowsEachSelectedFileAndSavesTheList) {
    addFile("a.mp3").id3v2.title = "First";
    addFile("b.mp3").id3v2.title = "Second";
    addFile("c.mp3").id3v2.title = "Third";
    list.selectOnly(0);
    list.selectAdd(2);
    RenamingCommand command(list, store);
    command.maskList().setCurrentMask("<counter> <title> <filenumber>");
    command.maskList().setCounterLength(2);
    const auto rows = command.preview();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].before, "a.mp3");
    EXPECT_EQ(rows[0].after, "01 First 0.mp3");
    EXPECT_EQ(rows[1].after, "02 Third 2.mp3");
    EXPECT_EQ(store.getString(kRenamingMaskSection, "Template8", ""),
              "<counter> <title> <filenumber>");
    EXPECT_TRUE(fs::exists(dir / "a.mp3"));
}

TEST_F(RenamingCommandTest, RunRenamesWithProgressIntoExistingSubFolders) {
    fs::create_directory(dir / "Band");
    for (const char* name : {"x.mp3", "y.mp3"}) {
        core::AudioFile& file = addFile(name);
        file.id3v2.artist = "Band";
        file.id3v2.title = std::string("Song ") + name[0];
    }
    list.selectAll();
    const RenameOutcome outcome = runWithMask("<artist>\\<title>");
    EXPECT_EQ(outcome.renamed, 2);
    EXPECT_TRUE(outcome.failed.empty());
    EXPECT_EQ(content("Band/Song x.mp3"), "x.mp3");
    EXPECT_EQ(content("Band/Song y.mp3"), "y.mp3");
    EXPECT_EQ(list.at(0).fileName, "Band/Song x.mp3");
    EXPECT_EQ(port.log.front(), "progress-start:Advanced renaming of selected file(s)::2");
    EXPECT_EQ(port.log[1], "progress:x.mp3");
    EXPECT_EQ(port.failedReports, 0);
}

TEST_F(RenamingCommandTest, UpLevelFoldersOfTheMaskMoveUp) {
    fs::create_directory(dir / "parent");
    // A work folder one level down; with an empty table the mask's up-level survives.
    core::AudioFile& file = addFile("a.mp3");
    fs::rename(dir / "a.mp3", dir / "parent" / "a.mp3");
    file.path = (dir / "parent" / "a.mp3").string();
    file.id3v2.title = "Up";
    EXPECT_TRUE(runWithMask("..\\<title>").failed.empty());
    EXPECT_EQ(content("Up.mp3"), "a.mp3");
    EXPECT_EQ(file.fileName, "../Up.mp3");
}

TEST_F(RenamingCommandTest, CollisionFailsTheSecondAndKeepsBothFiles) {
    addFile("a.mp3").id3v2.title = "Same";
    addFile("b.mp3").id3v2.title = "Same";
    list.selectAll();
    const RenameOutcome outcome = runWithMask("<title>");
    EXPECT_EQ(outcome.renamed, 1);
    ASSERT_EQ(outcome.failed.size(), 1u);
    EXPECT_EQ(outcome.failed[0].fileName, "b.mp3");
    EXPECT_EQ(outcome.failed[0].reason, "the file in row 1 takes this name first");
    EXPECT_EQ(content("Same.mp3"), "a.mp3");
    EXPECT_EQ(content("b.mp3"), "b.mp3");
    EXPECT_EQ(list.at(1).fileName, "b.mp3");
    EXPECT_EQ(port.failedReports, 1);
    EXPECT_EQ(port.failedFiles, std::vector<std::string>{"b.mp3: " + outcome.failed[0].reason});
    EXPECT_EQ(port.log.back(),
              "failed:Errors on file(s) modification:Unable to get write permissions for "
              "following audio file(s):\n" +
                  dir.folder());
}

TEST_F(RenamingCommandTest, FilesOfSubFoldersStayInTheirFoldersAndCollideOnlyThere) {
    // Records as a listing of sub-folders makes them: named from their own folder.
    for (const char* relative : {"CD1/a.mp3", "CD2/b.mp3", "CD2/c.mp3"}) {
        fs::create_directories((dir / relative).parent_path());
        core::AudioFile& file = addFile(relative);
        file.fileName = file.baseName = fs::path(relative).filename().string();
        file.baseName.resize(file.baseName.size() - 4);
        file.id3v2.title = "Same";
        file.id3v2.artist = "Band";
    }
    fs::create_directory(dir / "CD1" / "Band");
    list.selectAll();
    const RenameOutcome outcome = runWithMask("<title>");
    EXPECT_EQ(outcome.renamed, 2);
    ASSERT_EQ(outcome.failed.size(), 1u);
    EXPECT_EQ(outcome.failed[0].fileName, "c.mp3");
    EXPECT_EQ(content("CD1/Same.mp3"), "CD1/a.mp3");
    EXPECT_EQ(content("CD2/Same.mp3"), "CD2/b.mp3");
    EXPECT_EQ(content("CD2/c.mp3"), "CD2/c.mp3");

    // A mask's folders lie below the file's own folder.
    list.selectOnly(0);
    EXPECT_TRUE(runWithMask("<artist>\\<title>").failed.empty());
    EXPECT_EQ(content("CD1/Band/Same.mp3"), "CD1/a.mp3");
    EXPECT_EQ(list.at(0).fileName, "Band/Same.mp3");
}

TEST_F(RenamingCommandTest, EmptyExpansionsAndMissingFoldersAreListed) {
    addFile("a.mp3").id3v2.title = "T";
    addFile("b.mp3");
    list.selectAll();
    const auto names = [](const RenameOutcome& outcome) {
        std::vector<std::string> out;
        for (const core::FileFailure& failure : outcome.failed)
            out.push_back(failure.fileName + ": " + failure.reason);
        return out;
    };
    EXPECT_EQ(names(runWithMask("")),
              (std::vector<std::string>{"a.mp3: the mask gives no file name",
                                        "b.mp3: the mask gives no file name"}));
    EXPECT_EQ(
        names(runWithMask("nowhere\\<title>")),
        (std::vector<std::string>{"a.mp3: the folder " + dir.folder() + "nowhere/ does not exist",
                                  "b.mp3: the mask's fields are all empty for this file"}));
    EXPECT_EQ(content("a.mp3"), "a.mp3");
}

TEST_F(RenamingCommandTest, NoSelectionRenamesNothingAndReportsNothing) {
    RenamingCommand command(list, store);
    const RenameOutcome outcome = command.run(port, dir.folder());
    EXPECT_EQ(outcome.renamed, 0);
    EXPECT_EQ(port.failedReports, 0);
}

}  // namespace
}  // namespace tw::rename
