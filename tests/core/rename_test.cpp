// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/audio_file.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw::core {
namespace {

namespace fs = std::filesystem;

class Rename : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(dir / "old.mp3") << "audio";
        file.path = (dir / "old.mp3").string();
        file.fileName = "old.mp3";
        file.baseName = "old";
    }

    void expectUnchanged() {
        EXPECT_EQ(file.path, (dir / "old.mp3").string());
        EXPECT_EQ(file.fileName, "old.mp3");
        EXPECT_EQ(file.baseName, "old");
        EXPECT_EQ(tw::test::fileText(dir / "old.mp3"), "audio");
    }

    test::TempDir dir;
    AudioFile file;
};

TEST_F(Rename, RejectsNamesWithoutABaseName) {
    EXPECT_FALSE(file.rename(""));
    EXPECT_FALSE(file.rename(".mp3"));
    EXPECT_FALSE(file.rename(".Mp3"));
    EXPECT_FALSE(file.rename(std::string("a\0b", 3)));
    expectUnchanged();
}

TEST_F(Rename, MovesIntoAnExistingSubFolderOrOneLevelUp) {
    fs::create_directory(dir / "CD1");
    ASSERT_TRUE(file.rename("CD1\\Intro"));
    EXPECT_EQ(file.path, (dir / "CD1" / "Intro.mp3").string());
    EXPECT_EQ(file.fileName, "CD1/Intro.mp3");
    EXPECT_EQ(file.baseName, "CD1/Intro");
    EXPECT_EQ(tw::test::fileText(dir / "CD1" / "Intro.mp3"), "audio");

    // The work folder stays the same: a further rename starts from it again.
    ASSERT_TRUE(file.rename("CD1\\..\\back"));
    EXPECT_EQ(tw::test::fileText(dir / "back.mp3"), "audio");
    EXPECT_EQ(file.fileName, "CD1/../back.mp3");

    EXPECT_FALSE(file.rename("missing\\x"));
    EXPECT_EQ(file.fileName, "CD1/../back.mp3");
    EXPECT_TRUE(fs::exists(dir / "back.mp3"));
}

}  // namespace
}  // namespace tw::core
