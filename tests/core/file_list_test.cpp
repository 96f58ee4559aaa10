// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/file_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace tw::core {
namespace {

std::unique_ptr<AudioFile> record(const std::string& name, std::uint64_t size = 0,
                                  std::int32_t seconds = 0) {
    auto file = std::make_unique<AudioFile>();
    file->fileName = name;
    file->path = "/music/" + name;
    file->size = size;
    file->playSeconds = seconds;
    return file;
}

FileList listOf(int count) {
    FileList list;
    for (int i = 0; i < count; ++i)
        list.add(record("f" + std::to_string(i), 10, 1));
    return list;
}

std::vector<std::string> names(const FileList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.size(); ++i)
        out.push_back(list.at(i).fileName);
    return out;
}

// Checks every invariant of the chain against the expected selection.
void expectChain(const FileList& list, const std::vector<int>& expected) {
    EXPECT_EQ(list.selectedIndices(), expected);
    EXPECT_EQ(list.selectedCount(), static_cast<int>(expected.size()));
    EXPECT_EQ(list.firstSelected(), expected.empty() ? -1 : expected.front());
    for (int i = 0; i < list.size(); ++i) {
        const bool inChain = std::find(expected.begin(), expected.end(), i) != expected.end();
        EXPECT_EQ(list.at(i).selected, inChain) << "file " << i;
    }
    if (!expected.empty()) {
        EXPECT_EQ(list.at(expected.back()).nextSelected, -1);
    }
    EXPECT_EQ(list.first(), expected.empty() ? nullptr : &list.at(expected.front()));
}

TEST(FileList, AddSelectsOnlyTheFirstRecordAndSumsSixtyFourBitTotals) {
    FileList list;
    expectChain(list, {});
    EXPECT_EQ(list.totalSize(), 0u);

    list.add(record("a", 3'000'000'000u, 3000));
    auto second = record("b", 3'000'000'000u, 4000);
    second->selected = true;  // flags of a copied record must not leak into the chain
    second->nextSelected = 7;
    list.add(std::move(second));
    expectChain(list, {0});
    EXPECT_EQ(list.totalSize(), 6'000'000'000u);
    EXPECT_EQ(list.totalSeconds(), 7000);

    list.at(1).size = 1;  // a re-read file changes size: the totals follow
    EXPECT_EQ(list.totalSize(), 3'000'000'001u);

    list.clear();
    expectChain(list, {});
    EXPECT_EQ(list.totalSeconds(), 0);
}

TEST(FileList, AddToAListWithoutSelectionSelectsTheNewRecord) {
    FileList list = listOf(2);
    list.selectAll();
    list.invertSelection();
    expectChain(list, {});
    list.add(record("new"));
    expectChain(list, {2});
}

TEST(FileList, SelectionCommandsKeepTheChainInListOrder) {
    FileList list = listOf(6);
    list.selectAll();
    expectChain(list, {0, 1, 2, 3, 4, 5});

    list.selectOnly(3);
    expectChain(list, {3});
    list.selectAdd(1);  // before the head: new head
    list.selectAdd(5);
    list.selectAdd(4);  // between two selected files
    expectChain(list, {1, 3, 4, 5});
    list.selectAdd(3);  // already selected
    list.selectAdd(1);
    list.selectAdd(99);
    list.selectAdd(-1);
    expectChain(list, {1, 3, 4, 5});

    list.invertSelection();
    expectChain(list, {0, 2});

    list.selectOnly(42);  // out of range: file 0
    expectChain(list, {0});

    list.selectAll();
    list.invertSelection();
    list.selectAdd(2);  // with no selection, as selectOnly
    expectChain(list, {2});
}

TEST(FileList, SelectionOnAnEmptyListStaysEmpty) {
    FileList list;
    list.selectAll();
    list.selectOnly(0);
    list.selectAdd(0);
    list.invertSelection();
    expectChain(list, {});
}

TEST(FileList, RemoveSelectedKeepsOrderAndSelectsTheFirstRemainingFile) {
    FileList list;
    for (int i = 0; i < 4; ++i)
        list.add(record("f" + std::to_string(i), 100u << i, i));
    list.selectOnly(1);
    list.selectAdd(3);
    EXPECT_TRUE(list.removeSelected(false).empty());
    EXPECT_EQ(names(list), (std::vector<std::string>{"f0", "f2"}));
    EXPECT_EQ(list.totalSize(), 500u);
    EXPECT_EQ(list.totalSeconds(), 2);
    expectChain(list, {0});

    list.selectAll();
    list.removeSelected(false);
    EXPECT_TRUE(list.empty());
    expectChain(list, {});
}

TEST(FileList, DeletingFromDiskKeepsTheFilesThatCouldNotBeDeleted) {
    test::TempDir dir;
    FileList list;
    for (const std::string name : {"a.mp3", "b.mp3", "c.mp3"}) {
        std::ofstream(dir / name) << "x";
        auto file = record(name);
        file->path = (dir / name).string();
        list.add(std::move(file));
    }
    // A folder under a file's name is never deleted, even when empty.
    std::filesystem::remove(dir / "b.mp3");
    std::filesystem::create_directory(dir / "b.mp3");
    // A file that is already gone counts as deleted.
    std::filesystem::remove(dir / "c.mp3");

    list.selectAll();
    const auto failed = list.removeSelected(true);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].fileName, "b.mp3");
    EXPECT_FALSE(std::filesystem::exists(dir / "a.mp3"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "b.mp3"));
    EXPECT_EQ(names(list), std::vector<std::string>{"b.mp3"});
    expectChain(list, {0});
}

TEST(FileList, CopySelectedAppendsUnselectedCopiesUpToTheLimit) {
    FileList list = listOf(5);
    list.selectOnly(1);
    list.selectAdd(2);
    list.selectAdd(4);
    FileList preview;
    list.copySelected(preview, 2);
    EXPECT_EQ(names(preview), (std::vector<std::string>{"f1", "f2"}));
    expectChain(preview, {0});
    list.copySelected(preview, 0);
    EXPECT_EQ(preview.size(), 2);
}

TEST(FileList, MovesShiftSelectedBlocksPastOneUnselectedFile) {
    FileList list = listOf(6);
    list.selectOnly(0);
    for (int i : {2, 3, 5})
        list.selectAdd(i);
    EXPECT_TRUE(list.canMoveUp());
    EXPECT_TRUE(list.moveSelectedUp());
    // f0 has nothing unselected above it and stays; the block f2 f3 keeps its order.
    EXPECT_EQ(names(list), (std::vector<std::string>{"f0", "f2", "f3", "f1", "f5", "f4"}));
    expectChain(list, {0, 1, 2, 4});
    EXPECT_TRUE(list.moveSelectedUp());
    EXPECT_EQ(names(list), (std::vector<std::string>{"f0", "f2", "f3", "f5", "f1", "f4"}));
    EXPECT_FALSE(list.canMoveUp());
    EXPECT_FALSE(list.moveSelectedUp());
    EXPECT_EQ(names(list), (std::vector<std::string>{"f0", "f2", "f3", "f5", "f1", "f4"}));

    EXPECT_TRUE(list.canMoveDown());
    EXPECT_TRUE(list.moveSelectedDown());
    EXPECT_EQ(names(list), (std::vector<std::string>{"f1", "f0", "f2", "f3", "f5", "f4"}));
    expectChain(list, {1, 2, 3, 4});
}

TEST(FileList, DirtyCountFollowsTheTagFlags) {
    FileList list = listOf(3);
    EXPECT_FALSE(list.anyDirty());
    list.at(0).id3v1.makePresent();
    list.at(2).lyrics.inFile = true;  // in the file but cleared in memory: to be removed
    EXPECT_EQ(list.countDirty(), 2);
    EXPECT_TRUE(list.anyDirty());
}

TEST(FileList, BatchSettersCreateBothTagsOfSelectedFilesOnly) {
    FileList list = listOf(3);
    list.selectOnly(0);
    list.selectAdd(2);
    list.at(2).id3v2.present = true;
    list.at(2).id3v2.inFile = true;
    list.at(2).id3v2.title = "Same";

    list.setTitleAll("Same");
    list.setYearAll(" 1999 remaster");
    list.setGenreAll(-7);
    list.setComposerAll("Bach");

    for (int i : {0, 2}) {
        const AudioFile& file = list.at(i);
        EXPECT_TRUE(file.id3v1.present && file.id3v1.changed) << i;
        EXPECT_TRUE(file.id3v2.present && file.id3v2.changed) << i;
        EXPECT_EQ(file.id3v1.title, "Same");
        EXPECT_EQ(file.id3v2.yearText, "1999");
        EXPECT_EQ(file.id3v1.genre, -1);
        EXPECT_EQ(file.id3v2.composer, "Bach");
    }
    const AudioFile& untouched = list.at(1);
    EXPECT_FALSE(untouched.dirty());
    EXPECT_EQ(untouched.id3v1.title, "");
}

TEST(FileList, IdThreeV2OnlyBatchSettersLeaveTheIdThreeV1TagAlone) {
    FileList list = listOf(1);
    list.setUrlAll("U");
    list.setPublisherAll("P");
    list.setOrigArtistAll("O");
    list.setCopyrightAll("C");
    const TagV2Fields& v2 = list.at(0).id3v2;
    EXPECT_TRUE(v2.present && v2.changed);
    EXPECT_EQ(v2.url + v2.publisher + v2.origArtist + v2.copyright, "UPOC");
    EXPECT_FALSE(list.at(0).id3v1.present || list.at(0).id3v1.changed);
}

}  // namespace
}  // namespace tw::core
