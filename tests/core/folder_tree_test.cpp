// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/folder_tree.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/list_session.h"
#include "core/relative_folder.h"
#include "support/fake_user_port.h"
#include "support/mp3_file.h"

namespace tw::core {
namespace {

namespace fs = std::filesystem;
using Why = SkippedFolder::Why;

void touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

// Folders whose full path grows beyond what the system opens (the read of the deepest
// fails with "File name too long" whoever runs the test, root included), made and removed
// through descriptors since no path reaches them.
class DeepChain {
public:
    DeepChain(const fs::path& root, int levels) : name_(255, 'd') {
        fds_.push_back(::open(root.c_str(), O_RDONLY | O_DIRECTORY));
        for (int i = 0; i < levels; ++i) {
            ::mkdirat(fds_.back(), name_.c_str(), 0755);
            fds_.push_back(::openat(fds_.back(), name_.c_str(), O_RDONLY | O_DIRECTORY));
        }
    }
    ~DeepChain() {
        for (std::size_t i = fds_.size() - 1; i > 0; --i) {
            ::close(fds_[i]);
            ::unlinkat(fds_[i - 1], name_.c_str(), AT_REMOVEDIR);
        }
        ::close(fds_.front());
    }
    DeepChain(const DeepChain&) = delete;
    DeepChain& operator=(const DeepChain&) = delete;

private:
    std::string name_;
    std::vector<int> fds_;
};

class FolderTreeTest : public ::testing::Test {
protected:
    std::vector<std::string> listed() {
        std::vector<std::string> paths;
        top = audioFilesInTree(dir.folder(), false, paths, skipped);
        for (std::string& path : paths)
            path.erase(0, dir.folder().size());
        return paths;
    }
    std::vector<std::pair<Why, std::string>> skips() const {
        std::vector<std::pair<Why, std::string>> result;
        for (const SkippedFolder& s : skipped)
            result.emplace_back(s.why, s.folder.substr(dir.folder().size()));
        return result;
    }

    test::TempDir dir;
    std::vector<SkippedFolder> skipped;
    bool top = false;
};

TEST_F(FolderTreeTest, ListsEachFolderThenItsSubFoldersAndReadsEveryFolderOnce) {
    for (const char* name : {"b.mp3", "A/10.mp3", "A/9.flac", "a/x.mp3", "B/c.txt", "B/2/d.mp3"})
        touch(dir / name);
    fs::create_directory_symlink("..", dir / "A" / "up");        // a loop
    fs::create_directory_symlink(dir / "B", dir / "link to B");  // a second way in
    fs::create_directory_symlink(dir / "gone", dir / "dangling");

    EXPECT_EQ(listed(),
              (std::vector<std::string>{"b.mp3", "A/9.flac", "A/10.mp3", "a/x.mp3", "B/2/d.mp3"}));
    EXPECT_TRUE(top);
    EXPECT_EQ(skips(), (std::vector<std::pair<Why, std::string>>{
                           {Why::ReachedAgain, "A/up/"}, {Why::ReachedAgain, "link to B/"}}));
    EXPECT_EQ(skippedFoldersReport(skipped),
              "2 folder(s) reached again through links, read once: " + dir.folder() + "A/up/");
}

TEST_F(FolderTreeTest, AFolderThatCannotBeReadIsReportedAndTheRestListed) {
    touch(dir / "z/after.mp3");
    const DeepChain chain(dir.path(), 16);

    EXPECT_EQ(listed(), std::vector<std::string>{"z/after.mp3"});
    EXPECT_TRUE(top);
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(skipped[0].why, Why::Unreadable);
    EXPECT_EQ(base::worded(skipped[0].reason), "File name too long");
    EXPECT_EQ(skippedFoldersReport(skipped),
              "1 folder(s) could not be read: " + skipped[0].folder + " (File name too long)");

    std::vector<std::string> paths;
    EXPECT_FALSE(audioFilesInTree(dir.folder() + "missing/", false, paths, skipped));
}

TEST_F(FolderTreeTest, FoldersBelowTheDepthLimitAreNotReadButTold) {
    std::string deepest;
    for (int depth = 0; depth <= kMaxFolderDepth; ++depth)
        deepest += "d/";
    touch(dir / (deepest.substr(0, deepest.size() - 2) + "last.mp3"));  // at the limit
    touch(dir / (deepest + "beyond.mp3"));

    const std::vector<std::string> paths = listed();
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_TRUE(paths[0].ends_with("/last.mp3"));
    EXPECT_EQ(skips(), (std::vector<std::pair<Why, std::string>>{{Why::TooDeep, deepest}}));
}

// Listing a tree as users meet it (names, the folder column, one report of the loops) is
// the main window's and the command line's test.
TEST(ListSessionTreeTest, FilesBelowTheWorkFolderAreAddedOnlyWhileItsTreeIsListed) {
    test::TempDir dir;
    fs::create_directories(dir / "Artist" / "Album");
    const std::string inside =
        test::writeMp3(dir, "Artist/Album/01.mp3", {.audio = test::defaultAudio()});
    FileList list;
    AppOptions options;
    options.workFolder = dir.folder();
    test::FakeUserPort port;
    ListSession session(list, options, port);
    EXPECT_FALSE(session.openFile(inside, true));
    options.includeSubfolders = true;
    EXPECT_TRUE(session.openFile(inside, true));
    EXPECT_EQ(relativeName(list.at(0), options.workFolder), "Artist/Album/01.mp3");
}

}  // namespace
}  // namespace tw::core
