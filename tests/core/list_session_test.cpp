// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/list_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/fake_user_port.h"
#include "support/id3v1_bytes.h"
#include "support/mp3_file.h"

namespace tw::core {
namespace {

namespace fs = std::filesystem;

struct CountingViews : ListViews {
    int listChanges = 0;
    int treeChanges = 0;
    void listChanged() override { ++listChanges; }
    void rowsMoved() override {}
    void folderTreeChanged() override { ++treeChanges; }
};

test::Mp3Parts withTitle(const std::string& title) {
    return {.audio = test::defaultAudio(), .id3v1 = test::id3v1Tag({.title = title})};
}

class ListSessionTest : public ::testing::Test {
protected:
    std::vector<std::string> sortedNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < list.size(); ++i)
            names.push_back(list.at(i).fileName);
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir dir;
    FileList list;
    AppOptions options;
    test::FakeUserPort port;
    CountingViews views;
    ListSession session{list, options, port, &views};
};

TEST_F(ListSessionTest, ScanListsTheFolderMp3FilesInAnyCaseAndSelectsThemAll) {
    test::writeMp3(dir, "a.mp3", withTitle("A"));
    test::writeMp3(dir, "B.MP3", withTitle("B"));
    test::writeMp3(dir, "c.mp3.txt", withTitle("C"));
    fs::create_directories(dir / "sub");
    test::writeMp3(dir, "sub/d.mp3", withTitle("D"));
    fs::create_directories(dir / "folder.mp3");

    ASSERT_TRUE(session.scanFolder(dir.path().string(), true));
    EXPECT_EQ(options.workFolder, dir.folder());
    EXPECT_EQ(sortedNames(), (std::vector<std::string>{"B.MP3", "a.mp3"}));
    EXPECT_EQ(list.selectedCount(), 2);
    EXPECT_EQ(list.firstSelected(), 0);
    EXPECT_EQ(list.at(0).path, dir.folder() + list.at(0).fileName);
    EXPECT_GT(list.totalSize(), 0u);

    // Progress: one step per file, the label on the 1st, 3rd, ... record.
    ASSERT_EQ(port.log.size(), 4u);
    EXPECT_EQ(port.log[0], "progress-start:Adding audio file(s) into File List::2");
    EXPECT_EQ(port.log[1], "progress:" + list.at(0).fileName);
    EXPECT_EQ(port.log[2], "progress:");
    EXPECT_EQ(port.log[3], "progress-finish");
    // The emptied list before reading, the full one after.
    EXPECT_EQ(views.listChanges, 2);
    EXPECT_EQ(views.treeChanges, 1);
}

TEST_F(ListSessionTest, AFolderWithoutMp3FilesOrUnreadableGivesAnEmptyList) {
    test::writeMp3(dir, "x.mp3", withTitle("X"));
    ASSERT_TRUE(session.scanFolder(dir.folder(), false));
    ASSERT_EQ(list.size(), 1);
    fs::create_directories(dir / "empty");

    EXPECT_TRUE(session.scanFolder((dir / "empty").string(), false));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.firstSelected(), -1);
    EXPECT_EQ(list.totalSize(), 0u);
    EXPECT_EQ(views.treeChanges, 0);

    EXPECT_FALSE(session.scanFolder((dir / "missing").string(), false));
    EXPECT_TRUE(list.empty());
}

TEST_F(ListSessionTest, OpenFileAddsOnlyFilesOfTheWorkFolderOnce) {
    const std::string first = test::writeMp3(dir, "one.mp3", withTitle("1"));
    const std::string second = test::writeMp3(dir, "two.mp3", withTitle("2"));
    fs::create_directories(dir / "other");
    const std::string elsewhere = test::writeMp3(dir, "other/three.mp3", withTitle("3"));

    ASSERT_TRUE(session.openFile(first, false));
    EXPECT_EQ(options.workFolder, dir.folder());
    EXPECT_TRUE(session.openFile(second, true));
    EXPECT_FALSE(session.openFile(elsewhere, true));
    EXPECT_FALSE(session.openFile(first, true));
    EXPECT_EQ(sortedNames(), (std::vector<std::string>{"one.mp3", "two.mp3"}));
    EXPECT_EQ(list.at(0).id3v1.title, "1");
    EXPECT_EQ(list.selectedIndices(), std::vector<int>{0});

    ASSERT_TRUE(session.openFile(elsewhere, false));
    EXPECT_EQ(options.workFolder, (dir / "other").string() + "/");
    EXPECT_EQ(sortedNames(), std::vector<std::string>{"three.mp3"});
}

TEST_F(ListSessionTest, RefreshSelectedReadsEverySelectedFileAgain) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        test::writeMp3(dir, name, withTitle("old"));
    ASSERT_TRUE(session.scanFolder(dir.folder(), false));
    for (int i = 0; i < list.size(); ++i)
        test::writeMp3(dir, list.at(i).fileName, withTitle("new"));
    list.selectOnly(0);
    list.selectAdd(2);
    list.at(1).id3v1.setTitle("edited");

    ASSERT_TRUE(session.refreshSelected());
    EXPECT_EQ(list.at(0).id3v1.title, "new");
    EXPECT_EQ(list.at(2).id3v1.title, "new");
    EXPECT_EQ(list.at(1).id3v1.title, "edited");
    EXPECT_EQ(list.selectedIndices(), (std::vector<int>{0, 2}));
}

TEST_F(ListSessionTest, DeleteReportsFilesThatStay) {
    for (const char* name : {"a.mp3", "b.mp3"})
        test::writeMp3(dir, name, withTitle("x"));
    ASSERT_TRUE(session.scanFolder(dir.folder(), false));

    // A file replaced by a non-empty folder cannot be deleted.
    const std::string stuck = list.at(1).fileName;
    fs::remove(dir / stuck);
    fs::create_directories(dir / stuck / "inside");
    port.answers.push_back(base::UserPort::Answer::Yes);
    EXPECT_TRUE(session.deleteSelected());
    EXPECT_FALSE(fs::exists(dir / (stuck == "a.mp3" ? "b.mp3" : "a.mp3")));
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.at(0).fileName, stuck);
    ASSERT_EQ(port.failedFiles.size(), 1u);
    EXPECT_TRUE(port.failedFiles[0].starts_with(stuck + ": ")) << port.failedFiles[0];
    EXPECT_EQ(port.failedReports, 1);
}

TEST_F(ListSessionTest, DiscardQuestionOnlyWhenSomethingIsDirty) {
    test::writeMp3(dir, "a.mp3", withTitle("x"));
    ASSERT_TRUE(session.scanFolder(dir.folder(), false));
    EXPECT_TRUE(session.confirmDiscard());
    EXPECT_TRUE(port.answers.empty());

    list.at(0).id3v1.setTitle("edited");
    port.answers.push_back(base::UserPort::Answer::No);
    const int treeChanges = views.treeChanges;
    EXPECT_FALSE(session.openFolder("/"));
    EXPECT_EQ(port.log.back().substr(port.log.back().size() - dir.folder().size()), dir.folder());
    EXPECT_EQ(list.at(0).id3v1.title, "edited");
    EXPECT_EQ(options.workFolder, dir.folder());
    EXPECT_EQ(views.treeChanges, treeChanges + 1);  // the tree goes back to the work folder

    port.answers.push_back(base::UserPort::Answer::Yes);
    EXPECT_TRUE(session.refreshFolder());
    EXPECT_EQ(list.at(0).id3v1.title, "x");
}

}  // namespace
}  // namespace tw::core
