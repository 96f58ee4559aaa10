// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/change_case_command.h"

#include <gtest/gtest.h>

#include "command_fixture.h"

namespace tw::rename {
namespace {

class ChangeCaseCommandTest : public ::testing::Test, protected test::CommandFixture {};

TEST_F(ChangeCaseCommandTest, ModeComesFromTheSettingsAndIsStoredOnRun) {
    ChangeCaseCommand command(list, store, ChangeCaseTarget::Title);
    store.setInt("Settings", "cc", 42);  // out of range: the default
    EXPECT_EQ(ChangeCaseCommand(list, store, ChangeCaseTarget::Title).mode(),
              ChangeCaseMode::UpperAllFirstLetters);
    command.setMode(ChangeCaseMode::UpperAll);
    command.run(port, dir.folder());
    EXPECT_EQ(ChangeCaseCommand(list, store, ChangeCaseTarget::Title).mode(),
              ChangeCaseMode::UpperAll);
}

TEST_F(ChangeCaseCommandTest, RowsShowNonEmptyEffectiveValues) {
    addFile("a.mp3").id3v2.title = "first song";
    addFile("b.mp3");
    addFile("c.mp3").id3v1.title = "THIRD";
    list.selectAll();
    ChangeCaseCommand command(list, store, ChangeCaseTarget::Title);
    const auto rows = command.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].after, "First Song");
    EXPECT_EQ(rows[1].fileIndex, 2);
    EXPECT_EQ(rows[1].after, "Third");
    EXPECT_EQ(ChangeCaseCommand(list, store, ChangeCaseTarget::FileName).rows().size(), 3u);
}

TEST_F(ChangeCaseCommandTest, FieldsAreConvertedInEachTagThatHoldsThem) {
    core::AudioFile& file = addFile("a.mp3");
    file.id3v2.title = "song";
    ChangeCaseCommand command(list, store, ChangeCaseTarget::Title);
    command.setMode(ChangeCaseMode::UpperAll);
    EXPECT_EQ(command.run(port, dir.folder()).changed, 1);
    EXPECT_EQ(file.id3v2.title, "SONG");
    EXPECT_TRUE(file.id3v2.changed);
    EXPECT_EQ(file.id3v1.title, "");
    EXPECT_FALSE(file.id3v1.changed);
    // Nothing left to change: no tag is marked.
    file.id3v2.changed = false;
    EXPECT_EQ(command.run(port, dir.folder()).changed, 0);
    EXPECT_FALSE(file.id3v2.changed);
}

TEST_F(ChangeCaseCommandTest, FileNamesAreRenamedWithALowerCaseExtension) {
    addFile("Song.MP3");
    ChangeCaseCommand command(list, store, ChangeCaseTarget::FileName);
    command.setMode(ChangeCaseMode::LowerAll);
    EXPECT_EQ(command.run(port, dir.folder()).changed, 1);
    EXPECT_EQ(list.at(0).fileName, "song.mp3");
    EXPECT_EQ(content("song.mp3"), "Song.MP3");
}

TEST_F(ChangeCaseCommandTest, FailedRenamesAreReported) {
    addFile("ABC.mp3");
    addFile("abc.mp3");
    list.selectOnly(0);
    ChangeCaseCommand command(list, store, ChangeCaseTarget::FileName);
    command.setMode(ChangeCaseMode::LowerAll);
    const ChangeCaseOutcome outcome = command.run(port, dir.folder());
    const std::string taken = std::error_code(EEXIST, std::system_category()).message();
    EXPECT_EQ(outcome.failed, (std::vector<core::FileFailure>{{"ABC.mp3", taken}}));
    EXPECT_EQ(port.failedFiles, std::vector<std::string>{"ABC.mp3: " + taken});
    EXPECT_EQ(content("ABC.mp3"), "ABC.mp3");
    EXPECT_EQ(content("abc.mp3"), "abc.mp3");
}

}  // namespace
}  // namespace tw::rename
