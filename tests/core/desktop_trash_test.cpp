// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/desktop_trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw::core {
namespace {

namespace fs = std::filesystem;

ino_t inodeOf(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

// The home trash of a data folder inside the test's own folder, so it is on the files' device.
class HomeTrash : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_DATA_HOME");
        saved_ = old ? std::optional<std::string>(old) : std::nullopt;
        fs::create_directories(dir_ / "data");
        ::setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
    }
    void TearDown() override {
        if (saved_)
            ::setenv("XDG_DATA_HOME", saved_->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }
    fs::path file(const std::string& folder, const std::string& name, const std::string& text) {
        fs::create_directories(dir_ / folder);
        std::ofstream(dir_ / folder / name) << text;
        return dir_ / folder / name;
    }
    fs::path trash() const { return dir_ / "data" / "Trash"; }

    test::TempDir dir_;
    std::optional<std::string> saved_;
};

TEST_F(HomeTrash, AFileIsRenamedIntoTheTrashWithItsInfo) {
    const fs::path song = file("music", "A b%ä.mp3", "audio");
    const ino_t inode = inodeOf(song);
    ASSERT_EQ(moveToTrash(song.string()), std::nullopt);

    EXPECT_FALSE(fs::exists(song));
    const fs::path trashed = trash() / "files" / "A b%ä.mp3";
    EXPECT_EQ(test::fileText(trashed), "audio");
    EXPECT_EQ(inodeOf(trashed), inode);  // moved, not copied
    const std::string info = test::fileText(trash() / "info" / "A b%ä.mp3.trashinfo");
    const std::string escaped = (dir_ / "music").string() + "/A%20b%25%C3%A4.mp3";
    EXPECT_TRUE(info.starts_with("[Trash Info]\nPath=" + escaped + "\nDeletionDate=")) << info;
    EXPECT_EQ(info.size(),
              std::string("[Trash Info]\nPath=\nDeletionDate=2026-01-01T00:00:00\n").size() +
                  escaped.size());
}

// Names the trash holds already, with or without their info, are never replaced.
TEST_F(HomeTrash, NameClashesGetNumberedNamesAndNothingIsReplaced) {
    fs::create_directories(trash() / "files");
    std::ofstream(trash() / "files" / "song.mp3") << "stale, no info";
    ASSERT_EQ(moveToTrash(file("one", "song.mp3", "first").string()), std::nullopt);
    ASSERT_EQ(moveToTrash(file("two", "song.mp3", "second").string()), std::nullopt);

    EXPECT_EQ(test::fileText(trash() / "files" / "song.mp3"), "stale, no info");
    EXPECT_FALSE(fs::exists(trash() / "info" / "song.mp3.trashinfo"));
    EXPECT_EQ(test::fileText(trash() / "files" / "song.2.mp3"), "first");
    EXPECT_EQ(test::fileText(trash() / "files" / "song.3.mp3"), "second");
    EXPECT_TRUE(test::fileText(trash() / "info" / "song.3.mp3.trashinfo").find("/two/song.mp3") !=
                std::string::npos);
}

TEST_F(HomeTrash, AMissingFileIsReportedAndNoInfoIsLeft) {
    EXPECT_NE(moveToTrash((dir_ / "gone.mp3").string()), std::nullopt);
    EXPECT_FALSE(fs::exists(trash() / "info" / "gone.mp3.trashinfo"));
}

TEST(TrashName, NumberedBeforeTheExtension) {
    const struct {
        const char* name;
        int n;
        const char* expected;
    } cases[] = {
        {"a.mp3", 1, "a.mp3"},
        {"a.mp3", 2, "a.2.mp3"},
        {"a.b.mp3", 3, "a.b.3.mp3"},
        {".hidden", 2, ".hidden.2"},
        {"noext", 4, "noext.4"},
        {"", 1, ""},
        {".", 1, ""},
        {"..", 2, ""},
        {"a/b.mp3", 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(trashName(c.name, c.n), c.expected) << c.name << ' ' << c.n;
}

}  // namespace
}  // namespace tw::core
