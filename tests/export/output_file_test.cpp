// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/output_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "export_fixture.h"
#include "support/temp_dir.h"

namespace tw::exports {
namespace {

namespace fs = std::filesystem;

std::size_t entriesIn(const fs::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

TEST(OutputFileTest, WritesANewFileInPiecesLargerAndSmallerThanItsBuffer) {
    tw::test::TempDir dir;
    const std::string path = (dir / "new.txt").string();
    const std::string big(600 * 1024, 'x');
    {
        OutputFile file(path);
        file.write("head ");
        file.write(big);
        file.write(" tail");
        ASSERT_TRUE(file.commit());
    }
    EXPECT_EQ(test::fileText(path), "head " + big + " tail");
    EXPECT_EQ(entriesIn(dir.path()), 1u);  // no temporary file left
}

TEST(OutputFileTest, TheOldFileStaysUntilTheNewOneIsCommitted) {
    tw::test::TempDir dir;
    const fs::path path = dir / "list.html";
    test::writeFile(path, "old");
    ::chmod(path.c_str(), 0640);
    {
        OutputFile file(path.string());
        file.write("new");
        EXPECT_EQ(test::fileText(path), "old");
    }  // dropped without commit
    EXPECT_EQ(test::fileText(path), "old");
    EXPECT_EQ(entriesIn(dir.path()), 1u);

    OutputFile file(path.string());
    file.write("new");
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(test::fileText(path), "new");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(OutputFileTest, FoldersThatCannotTakeTheFileFailWithoutLeavingAnything) {
    tw::test::TempDir dir;
    test::writeFile(dir / "plain", "a file, not a folder");
    fs::create_directory(dir / "taken");
    for (const std::string& path :
         {(dir / "missing" / "x.html").string(), (dir / "plain" / "x.html").string(),
          std::string("/proc/x.html"),  // a folder nobody may write, not even root
          (dir / "taken").string()}) {  // the name of a folder
        OutputFile file(path);
        file.write("text");
        const base::Outcome committed = file.commit();
        ASSERT_FALSE(committed) << path;
        EXPECT_EQ(committed.failure().what, path);
        EXPECT_TRUE(committed.failure().system) << path;
    }
    EXPECT_EQ(test::fileText(dir / "plain"), "a file, not a folder");
    EXPECT_TRUE(fs::is_directory(dir / "taken"));
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(OutputFileTest, ExistenceMeansOpenableForReadingAndWriting) {
    tw::test::TempDir dir;
    test::writeFile(dir / "a.m3u", "");
    EXPECT_TRUE(fileExistsForWriting((dir / "a.m3u").string()));
    EXPECT_FALSE(fileExistsForWriting((dir / "b.m3u").string()));
    EXPECT_FALSE(fileExistsForWriting(dir.path().string()));
}

}  // namespace
}  // namespace tw::exports
