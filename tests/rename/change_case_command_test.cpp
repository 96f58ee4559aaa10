// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/change_case_command.h"

#include <gtest/gtest.h>

#include "command_fixture.h"

namespace tw::rename {
namespace {

class ChangeCaseCommandTest : public ::testing::Test, protected test::CommandFixture {};

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
    store.setInt("Settings", "cc", 42);  // out of range: the default
    EXPECT_EQ(ChangeCaseCommand(list, store, ChangeCaseTarget::Title).mode(),
              ChangeCaseMode::UpperAllFirstLetters);
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

}  // namespace
}  // namespace tw::rename
