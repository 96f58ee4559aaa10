// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/file_ops.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/bytes.h"
#include "support/temp_dir.h"

namespace tw::base {
namespace {

namespace fs = std::filesystem;

std::size_t entries(const fs::path& dir) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(RenameNoReplace, MovesAFileToAFreeName) {
    test::TempDir dir;
    test::writeBytes(dir / "a", test::bytesOf("A"));
    EXPECT_FALSE(renameNoReplace((dir / "a").string(), (dir / "b").string()));
    EXPECT_FALSE(fs::exists(dir / "a"));
    EXPECT_EQ(test::readBytes(dir / "b"), test::bytesOf("A"));
}

TEST(RenameNoReplace, NeverReplacesAnExistingFile) {
    test::TempDir dir;
    test::writeBytes(dir / "a", test::bytesOf("A"));
    test::writeBytes(dir / "b", test::bytesOf("B"));
    EXPECT_EQ(renameNoReplace((dir / "a").string(), (dir / "b").string()), std::errc::file_exists);
    EXPECT_EQ(test::readBytes(dir / "a"), test::bytesOf("A"));
    EXPECT_EQ(test::readBytes(dir / "b"), test::bytesOf("B"));
    EXPECT_EQ(renameNoReplace((dir / "none").string(), (dir / "c").string()),
              std::errc::no_such_file_or_directory);
}

TEST(ReplacementFile, CommitPutsTheNewContentsInPlaceWithTheOldMode) {
    test::TempDir dir;
    const fs::path target = dir / "song.mp3";
    test::writeBytes(target, test::bytesOf("old"));
    ::chmod(target.c_str(), 0604);
    struct stat original {};
    ::stat(target.c_str(), &original);
    {
        ReplacementFile file(target.string());
        ASSERT_FALSE(file.error());
        EXPECT_EQ(entries(dir.path()), 1u);  // nothing named until it is put in place
        ASSERT_FALSE(file.write("new ", 4));
        const int fd = ::open(target.c_str(), O_RDONLY);
        ASSERT_FALSE(file.copyFrom(fd, 0, 3));
        ::close(fd);
        EXPECT_EQ(test::readBytes(target), test::bytesOf("old"));
        ASSERT_FALSE(file.commit(original));
    }
    EXPECT_EQ(test::readBytes(target), test::bytesOf("new old"));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(ReplacementFile, WithoutCommitNothingChangesAndNothingIsLeft) {
    test::TempDir dir;
    const fs::path target = dir / "song.mp3";
    test::writeBytes(target, test::bytesOf("old"));
    {
        ReplacementFile file(target.string());
        ASSERT_FALSE(file.write("new", 3));
        // Copying more than the source holds fails instead of padding.
        const int fd = ::open(target.c_str(), O_RDONLY);
        EXPECT_TRUE(file.copyFrom(fd, 0, 10));
        ::close(fd);
    }
    EXPECT_EQ(test::readBytes(target), test::bytesOf("old"));
    EXPECT_EQ(entries(dir.path()), 1u);

    ReplacementFile nowhere((dir / "missing-folder" / "x").string());
    EXPECT_TRUE(nowhere.commit());
    EXPECT_TRUE(nowhere.error());
    EXPECT_TRUE(nowhere.write("x", 1));
}

// Playlists, exports and database files are made new as often as they are replaced.
TEST(ReplacementFile, ANewFileGetsTheModeOfAnyNewFileOfTheUser) {
    test::TempDir dir;
    const fs::path target = dir / "list.m3u";
    const mode_t mask = ::umask(027);
    {
        ReplacementFile file(target.string());
        ASSERT_FALSE(file.write("x", 1));
        EXPECT_FALSE(file.commit());
    }
    ::umask(mask);
    EXPECT_EQ(test::readBytes(target), test::bytesOf("x"));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Replacing through the same call keeps that mode.
    ::chmod(target.c_str(), 0600);
    ReplacementFile again(target.string());
    ASSERT_FALSE(again.write("y", 1));
    EXPECT_FALSE(again.commit());
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace tw::base
