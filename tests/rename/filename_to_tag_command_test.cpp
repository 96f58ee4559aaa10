// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/filename_to_tag_command.h"

#include <gtest/gtest.h>

#include "command_fixture.h"

namespace tw::rename {
namespace {

class FilenameToTagCommandTest : public ::testing::Test, protected test::CommandFixture {};

TEST_F(FilenameToTagCommandTest, OpeningReadsTheStoredSwitches) {
    store.setInt("DlgFilenameToTag", "WriteV1", 0);
    store.setInt("DlgFilenameToTag", "OverwriteMode", 1);
    FilenameToTagCommand stored(list, store);
    EXPECT_FALSE(stored.writeV1());
    EXPECT_TRUE(stored.overwrite());
}

TEST_F(FilenameToTagCommandTest, PreviewWorksOnCopies) {
    addFile("01 - Intro.mp3");
    FilenameToTagCommand command(list, store);
    command.maskList().setCurrentMask("<number> - <title>");
    core::FileList copies = command.preview();
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(copies.at(0).id3v2.title, "Intro");
    EXPECT_EQ(list.at(0).id3v2.title, "");
    EXPECT_FALSE(list.at(0).dirty());
}

TEST_F(FilenameToTagCommandTest, RunFillsTheSelectionAndStoresTheSwitches) {
    addFile("Band - Song.mp3");
    addFile("Other - Piece.mp3");
    list.selectOnly(1);
    FilenameToTagCommand command(list, store);
    command.maskList().setCurrentMask("<artist> - <title>");
    command.setWriteV1(false);
    command.setOverwrite(true);
    EXPECT_TRUE(command.run());
    EXPECT_EQ(list.at(1).id3v2.artist, "Other");
    EXPECT_EQ(list.at(1).id3v1.artist, "");
    EXPECT_EQ(list.at(0).id3v2.artist, "");
    EXPECT_EQ(store.getInt("DlgFilenameToTag", "WriteV1", -1), 0);
    EXPECT_EQ(store.getInt("DlgFilenameToTag", "OverwriteMode", -1), 1);
    EXPECT_EQ(FilenameToTagCommand(list, store).maskList().currentMask(), "<artist> - <title>");
    EXPECT_FALSE(command.run());  // nothing left to change
}

}  // namespace
}  // namespace tw::rename
