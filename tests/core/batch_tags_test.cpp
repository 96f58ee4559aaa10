// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/batch_tags.h"

#include <gtest/gtest.h>

#include "core/list_rules.h"

namespace tw::core {
namespace {

FileList listOf(int count) {
    FileList list;
    for (int i = 0; i < count; ++i)
        list.add(std::make_unique<AudioFile>());
    return list;
}

TEST(Numbering, NumbersTheChainWithTheTotalInIdThreeV2) {
    FileList list = listOf(4);
    list.selectOnly(0);
    list.selectAdd(2);
    list.selectAdd(3);
    list.at(2).id3v1.present = list.at(2).id3v1.inFile = true;
    list.at(2).id3v1.track = 2;  // already right: this tag stays unchanged
    list.at(2).id3v1.trackText = "2";
    setNumbering(list);

    const int expected[] = {1, 0, 2, 3};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list.at(i).id3v1.track, expected[i]) << i;
        EXPECT_EQ(list.at(i).id3v2.track, expected[i]) << i;
    }
    EXPECT_EQ(list.at(3).id3v2.trackTotal, 3);
    EXPECT_EQ(list.at(3).id3v2.trackText, "3");
    EXPECT_TRUE(list.at(0).id3v1.present && list.at(0).id3v1.changed);
    EXPECT_FALSE(list.at(2).id3v1.changed);
    EXPECT_FALSE(list.at(1).dirty());
    EXPECT_TRUE(canRemoveNumbering(list));

    removeNumbering(list);
    for (int i : {0, 2, 3}) {
        const AudioFile& file = list.at(i);
        EXPECT_EQ(file.id3v1.track, 0);
        EXPECT_EQ(file.id3v2.trackText, "");
        EXPECT_EQ(file.id3v2.trackTotal, 0);
        EXPECT_TRUE(file.id3v1.changed && file.id3v2.changed);
    }
    EXPECT_FALSE(canRemoveNumbering(list));
}

TEST(ClearSelected, AMemoryOnlyTagDisappearsWithoutLeavingTheFileDirty) {
    FileList list = listOf(1);
    AudioFile& file = list.at(0);
    file.id3v2.present = file.id3v2.inFile = true;
    file.id3v2.title = "T";
    fillV1FromV2Selected(list);  // creates ID3v1 in memory only
    EXPECT_EQ(file.id3v1.title, "T");
    EXPECT_TRUE(file.dirty());

    EXPECT_TRUE(clearV1Selected(list));
    EXPECT_FALSE(file.id3v1.present);
    EXPECT_FALSE(file.id3v1.dirty());
    EXPECT_FALSE(file.dirty());
}

TEST(ClearSelected, ATagInTheFileIsRemovedOnSaveEvenWhenEmpty) {
    FileList list = listOf(2);
    list.at(0).id3v2.present = list.at(0).id3v2.inFile = true;
    list.at(0).id3v2.encodedBy = "enc";
    list.at(0).pictures.items.push_back({{3, "image/png", "", 10}, 0, nullptr});
    EXPECT_TRUE(clearV2Selected(list));
    EXPECT_EQ(list.at(0).id3v2.encodedBy, "");
    EXPECT_TRUE(list.at(0).id3v2.dirty());
    EXPECT_TRUE(list.at(0).pictures.items.empty());  // the tag goes with its pictures

    // Nothing to clear and nothing in the file: no change at all.
    list.selectOnly(1);
    EXPECT_FALSE(clearV2Selected(list));
    EXPECT_FALSE(list.at(1).id3v2.changed);
}

TEST(FillSelected, NeedsTheSourceTagInTheFile) {
    FileList list = listOf(1);
    AudioFile& file = list.at(0);
    file.id3v1.present = true;  // created in memory, not read from the file
    file.id3v1.title = "mem";
    fillV2FromV1Selected(list);
    EXPECT_FALSE(file.id3v2.present);

    file.id3v1.inFile = true;
    file.id3v1.genre = 17;
    file.id3v2.present = file.id3v2.inFile = true;
    file.id3v2.genre = 255;  // "Not Set" counts as empty
    file.id3v2.title = "keep";
    fillV2FromV1Selected(list);
    EXPECT_EQ(file.id3v2.genre, 17);
    EXPECT_EQ(file.id3v2.title, "keep");
}

TEST(ListRules, FocusStaysOrMovesToTheNearestSelectedRow) {
    FileList list = listOf(6);
    list.selectOnly(1);
    list.selectAdd(4);
    EXPECT_EQ(focusAfterSelectionChange(list, 4), 4);
    EXPECT_EQ(focusAfterSelectionChange(list, 2), 4);  // after wins over before
    EXPECT_EQ(focusAfterSelectionChange(list, 5), 4);
    EXPECT_EQ(focusAfterSelectionChange(list, 0), 1);
    EXPECT_EQ(focusAfterSelectionChange(list, -1), 1);
    EXPECT_EQ(focusAfterSelectionChange(list, 99), 4);
    list.selectAll();
    list.invertSelection();
    EXPECT_EQ(focusAfterSelectionChange(list, 2), -1);
}

}  // namespace
}  // namespace tw::core
