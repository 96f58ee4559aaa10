// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/edit_history.h"

#include <gtest/gtest.h>

#include "core/file_list.h"

namespace tw::core {
namespace {

// Three records read from files with both tags titled "Old".
FileList readList() {
    FileList list;
    for (int i = 0; i < 3; ++i) {
        auto record = std::make_unique<AudioFile>();
        for (TagFields* tag : std::initializer_list<TagFields*>{&record->id3v1, &record->id3v2}) {
            tag->inFile = tag->present = true;
            tag->title = "Old";
        }
        list.add(std::move(record));
    }
    list.selectAll();
    return list;
}

std::vector<AudioFile*> recordsOf(FileList& list) {
    std::vector<AudioFile*> records;
    list.forEachSelected([&](AudioFile& record) { records.push_back(&record); });
    return records;
}

EditStep setTitle(FileList& list, std::string_view title, int mergeKey = 0) {
    return captureEdit(
        "Set Title", recordsOf(list), [&] { list.setTitleAll(title); }, mergeKey);
}

// Undo and redo as users meet them are the undo window test's; here what it cannot see.
TEST(EditHistory, EachStepRestoresItsOwnFilesAndANewEditEndsTheRedo) {
    FileList list = readList();
    list.selectOnly(1);
    EditHistory history;
    ASSERT_TRUE(history.push(setTitle(list, "One")));
    list.selectAll();
    ASSERT_TRUE(history.push(setTitle(list, "Two")));
    history.undo();
    EXPECT_EQ(list.at(0).id3v1.title, "Old");
    EXPECT_EQ(list.at(1).id3v1.title, "One");
    EXPECT_EQ(list.countDirty(), 1);

    list.selectOnly(0);
    ASSERT_TRUE(history.push(setTitle(list, "Three")));
    EXPECT_FALSE(history.canRedo());
    history.undo();
    history.undo();
    EXPECT_FALSE(list.anyDirty());
}

TEST(EditHistory, AnEditThatChangesNothingIsNoStep) {
    FileList list = readList();
    EditHistory history;
    history.push(setTitle(list, "New"));
    EXPECT_FALSE(history.push(setTitle(list, "New")));
    EXPECT_EQ(history.nextUndo().name, "Set Title");
    history.undo();
    EXPECT_FALSE(history.canUndo());
}

TEST(EditHistory, KeystrokesIntoOneFieldAreOneStepUntilTypingEnds) {
    FileList list = readList();
    EditHistory history;
    for (const char* typed : {"N", "Ne", "New"})
        history.push(setTitle(list, typed, 7));
    history.closeTyping();
    history.push(setTitle(list, "Newer", 7));

    history.undo();
    EXPECT_EQ(list.at(0).id3v1.title, "New");
    history.undo();
    EXPECT_EQ(list.at(0).id3v1.title, "Old");
    EXPECT_FALSE(history.canUndo());

    // Typing back what the files held leaves no step behind.
    history.clear(EditHistory::Loss::None);
    history.push(setTitle(list, "Ol", 7));
    history.push(setTitle(list, "Old", 7));
    EXPECT_FALSE(history.canUndo());
}

TEST(EditHistory, TheOldestStepsGoWhenTheBudgetIsPassedAndTheLossIsTold) {
    FileList list = readList();
    const std::size_t stepBytes = [&] {
        EditHistory probe;
        probe.push(setTitle(list, "Probe"));
        probe.undo();
        return probe.bytes();
    }();
    EditHistory history(stepBytes * 2 + stepBytes / 2);
    for (const char* title : {"A", "B", "C"})
        history.push(setTitle(list, title));
    EXPECT_EQ(history.loss(), EditHistory::Loss::OverBudget);
    EXPECT_LE(history.bytes(), history.budget());
    history.undo();
    history.undo();
    EXPECT_EQ(list.at(0).id3v1.title, "A");
    EXPECT_FALSE(history.canUndo());

    // A step larger than the whole budget is not kept; the edit itself stays.
    EditHistory tiny(1);
    tiny.push(setTitle(list, "D"));
    EXPECT_FALSE(tiny.canUndo());
    EXPECT_EQ(tiny.loss(), EditHistory::Loss::OverBudget);
    EXPECT_EQ(list.at(0).id3v1.title, "D");
}

}  // namespace
}  // namespace tw::core
