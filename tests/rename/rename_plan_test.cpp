// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/rename_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "command_fixture.h"
#include "rename/renaming_command.h"
#include "rename/symbol_table.h"

namespace tw::rename {
namespace {

namespace fs = std::filesystem;

class RenamePlanTest : public ::testing::Test, protected test::CommandFixture {
protected:
    // Files named after their titles, all selected.
    void addTitled(const std::vector<std::pair<const char*, const char*>>& files) {
        for (const auto& [name, title] : files)
            addFile(name).id3v2.title = title;
        list.selectAll();
    }

    std::vector<RenamePreviewRow> preview(std::string_view mask, bool createFolders = false) {
        RenamingCommand command(list, store);
        command.maskList().setCurrentMask(mask);
        command.setCreateFolders(createFolders);
        return command.preview();
    }

    RenameOutcome run(std::string_view mask, bool createFolders) {
        RenamingCommand command(list, store);
        command.maskList().setCurrentMask(mask);
        command.setCreateFolders(createFolders);
        return command.run(port, dir.folder());
    }

    static std::vector<RenameStatus> statuses(const std::vector<RenamePreviewRow>& rows) {
        std::vector<RenameStatus> result;
        for (const RenamePreviewRow& row : rows)
            result.push_back(row.check.status);
        return result;
    }
};

// The preview foresees what renaming one file after the other does: a name freed by an
// earlier move is free, one an earlier file took is taken, a file that stays keeps its name.
TEST_F(RenamePlanTest, PreviewForeseesTheRunFileByFile) {
    addTitled({{"a.mp3", "c"},      // a -> c, frees a
               {"b.mp3", "a"},      // b -> a, free since a moved
               {"c2.mp3", "c"},     // c taken by the first file
               {"d.mp3", "d"},      // unchanged
               {"e.mp3", "d"},      // d stays where it is
               {"f.mp3", ""},       // no title: no name
               {"g.mp3", "x/y"}});  // a value never makes a folder
    std::ofstream(dir / "keep.mp3") << "keep";
    const auto rows = preview("<title>");
    EXPECT_EQ(statuses(rows),
              (std::vector<RenameStatus>{RenameStatus::Rename, RenameStatus::Rename,
                                         RenameStatus::TakenByRow, RenameStatus::Unchanged,
                                         RenameStatus::TakenByFile, RenameStatus::Refused,
                                         RenameStatus::Rename}));
    EXPECT_EQ(rows[2].check.takenBy, 0);
    EXPECT_EQ(base::worded(rows[2].check.reason), "the file in row 1 takes this name first");
    EXPECT_EQ(base::worded(rows[4].check.reason), "a file of this name exists");
    EXPECT_EQ(base::worded(rows[5].check.reason), "the mask gives no file name");
    EXPECT_EQ(rows[6].after, "x-y.mp3");
    EXPECT_EQ(rows[0].check.folder, dir.folder());
    EXPECT_TRUE(rows[0].check.reason.empty());

    // The run does what the preview said, and nothing but that.
    const RenameOutcome outcome = run("<title>", false);
    EXPECT_EQ(outcome.renamed, 4);  // a, b, the unchanged d and g
    EXPECT_EQ(content("a.mp3"), "b.mp3");
    EXPECT_EQ(content("c.mp3"), "a.mp3");
    EXPECT_EQ(content("c2.mp3"), "c2.mp3");
    EXPECT_EQ(content("e.mp3"), "e.mp3");
    EXPECT_EQ(content("keep.mp3"), "keep");
}

TEST_F(RenamePlanTest, NamesOutsideTheAllowedFoldersAreRefusedWithTheReason) {
    addTitled({{"a.mp3", "Song"}});
    SymbolTable{}.save(store, kTagToFilenameTable);  // keeps ".." as the mask writes it
    const auto rows = preview("x\\..\\..\\<title>");
    EXPECT_EQ(rows[0].check.status, RenameStatus::Refused);
    EXPECT_EQ(base::worded(rows[0].check.reason),
              "the name leads out of the folders the mask allows");
    EXPECT_TRUE(rows[0].check.folder.empty());
    run("x\\..\\..\\<title>", false);
    EXPECT_EQ(port.failedFiles,
              std::vector<std::string>{"a.mp3: the name leads out of the folders the mask allows"});
    EXPECT_EQ(base::worded(preview(std::string(300, 'x') + "\\<title>")[0].check.reason),
              "the name is longer than a file system allows");
}

TEST_F(RenamePlanTest, MissingFoldersFailUnlessTheyAreToBeMade) {
    addTitled({{"a.mp3", "One"}, {"b.mp3", "Two"}});
    list.at(0).id3v2.artist = list.at(1).id3v2.artist = "Band";
    list.at(0).id3v2.album = list.at(1).id3v2.album = "Live";
    const std::string mask = "<artist>\\<album>\\<title>";

    // What the preview says of them is the renaming window's test; it makes nothing.
    EXPECT_EQ(preview(mask, true)[0].check.status, RenameStatus::NewFolder);
    EXPECT_FALSE(fs::exists(dir / "Band"));

    // Off: nothing moves. On: the folders are made once and both files go there.
    EXPECT_EQ(run(mask, false).failed.size(), 2u);
    EXPECT_FALSE(fs::exists(dir / "Band"));
    const RenameOutcome outcome = run(mask, true);
    EXPECT_EQ(outcome.renamed, 2);
    EXPECT_EQ(content("Band/Live/One.mp3"), "a.mp3");
    EXPECT_EQ(content("Band/Live/Two.mp3"), "b.mp3");
    EXPECT_TRUE(RenamingCommand(list, store).createFolders());  // the stored switch

    // Moving them back leaves the emptied folders where they are.
    EXPECT_EQ(run("<title>", true).renamed, 2);
    EXPECT_EQ(content("One.mp3"), "a.mp3");
    EXPECT_TRUE(fs::is_directory(dir / "Band" / "Live"));
}

// Folders are made only inside the allowed ones (a symbolic link may not lead out of them),
// and only for a move: a folder made for a file whose move then fails goes again.
TEST_F(RenamePlanTest, FoldersAreMadeOnlyInsideTheAllowedOnesAndOnlyForAMove) {
    fs::create_directories(dir / "outside");
    fs::create_directories(dir / "work");
    fs::create_symlink(dir / "outside", dir / "work" / "link");
    addTitled({{"a.mp3", "Song"}});
    core::AudioFile& file = list.at(0);
    fs::rename(dir / "a.mp3", dir / "work" / "a.mp3");
    file.path = (dir / "work" / "a.mp3").string();

    const auto rows = preview("link\\new\\<title>", true);
    EXPECT_EQ(rows[0].check.status, RenameStatus::MissingFolder);
    EXPECT_EQ(
        base::worded(rows[0].check.reason),
        "the folder " + dir.folder() + "work/link/new/ does not exist and may not be made there");
    EXPECT_EQ(run("link\\new\\<title>", true).failed.size(), 1u);
    EXPECT_FALSE(fs::exists(dir / "outside" / "new"));

    // The mask's up-level folder lets folders be made beside the work folder.
    EXPECT_EQ(preview("..\\up\\<title>", true)[0].check.status, RenameStatus::NewFolder);

    // The file vanished after it was listed: its move fails and the folder made for it goes.
    fs::remove(dir / "work" / "a.mp3");
    EXPECT_EQ(run("new\\deeper\\<title>", true).failed.size(), 1u);
    EXPECT_FALSE(fs::exists(dir / "work" / "new"));
}

// A leading "\" makes the mask's folder absolute, kept as written by the default table.
TEST_F(RenamePlanTest, AnAbsoluteMaskMovesThereWithTheDefaultTable) {
    fs::create_directories(dir / "work");
    fs::create_directories(dir / "my_music");
    addTitled({{"a.mp3", "Abs"}});
    fs::rename(dir / "a.mp3", dir / "work" / "a.mp3");
    list.at(0).path = (dir / "work" / "a.mp3").string();
    std::string absolute = dir.folder() + "my_music/";
    std::replace(absolute.begin(), absolute.end(), '/', '\\');

    const auto rows = preview(absolute + "<title>");
    EXPECT_EQ(rows[0].after, dir.folder() + "my_music/Abs.mp3");
    EXPECT_EQ(rows[0].check.status, RenameStatus::Rename);
    EXPECT_TRUE(run(absolute + "<title>", false).failed.empty());
    EXPECT_EQ(content("my_music/Abs.mp3"), "a.mp3");
    EXPECT_EQ(list.at(0).fileName, "../my_music/Abs.mp3");
}

// Only the selection counts, and only files that have an artist.
TEST_F(RenamePlanTest, SeveralArtistsTakeTheArtistFromTheFolderPart) {
    addFile("a.mp3").id3v2.artist = "One";
    addFile("b.mp3");
    addFile("c.mp3").id3v1.artist = "One";
    list.selectAll();
    EXPECT_FALSE(hasSeveralArtists(list));
    EXPECT_EQ(RenamingCommand(list, store).permissions().directoryPart,
              permission_rows::kDirectoryOneArtist);
    list.at(2).id3v1.artist = "Two";
    EXPECT_TRUE(hasSeveralArtists(list));
    EXPECT_EQ(RenamingCommand(list, store).permissions().directoryPart,
              permission_rows::kDirectorySeveralArtists);
    list.selectOnly(2);
    EXPECT_FALSE(hasSeveralArtists(list));
}

// Files listed from sub-folders stay in their own folders, and collide only there.
TEST_F(RenamePlanTest, FilesOfSubFoldersStayInTheirFolders) {
    for (const char* relative : {"CD1/a.mp3", "CD2/b.mp3", "CD2/c.mp3"}) {
        fs::create_directories((dir / relative).parent_path());
        core::AudioFile& file = addFile(relative);
        file.fileName = file.baseName = fs::path(relative).filename().string();
        file.baseName.resize(file.baseName.size() - 4);
        file.id3v2.title = "Same";
        file.id3v2.artist = "Band";
    }
    fs::create_directory(dir / "CD1" / "Band");
    list.selectAll();
    const RenameOutcome outcome = run("<title>", false);
    EXPECT_EQ(outcome.renamed, 2);
    ASSERT_EQ(outcome.failed.size(), 1u);
    EXPECT_EQ(outcome.failed[0].fileName, "c.mp3");
    EXPECT_EQ(content("CD1/Same.mp3"), "CD1/a.mp3");
    EXPECT_EQ(content("CD2/Same.mp3"), "CD2/b.mp3");
    EXPECT_EQ(content("CD2/c.mp3"), "CD2/c.mp3");

    list.selectOnly(0);  // a mask's folders lie below the file's own folder
    EXPECT_TRUE(run("<artist>\\<title>", false).failed.empty());
    EXPECT_EQ(content("CD1/Band/Same.mp3"), "CD1/a.mp3");
    EXPECT_EQ(list.at(0).fileName, "Band/Same.mp3");
}

struct CycleCase {
    const char* what;
    std::vector<std::pair<const char*, const char*>> files;  // name, new name (its title)
    std::vector<std::pair<const char*, const char*>> after;  // name, content it then has
    int renamed;
};

class RenameCycleTest : public RenamePlanTest, public ::testing::WithParamInterface<CycleCase> {};

// Files of one run that take each other's names all move, through a temporary name where
// they form a cycle; a name still held by a file that cannot move is never taken.
TEST_P(RenameCycleTest, EveryFileIsKept) {
    const CycleCase& c = GetParam();
    addTitled(c.files);
    std::ofstream(dir / "held.mp3") << "held";
    const RenameOutcome outcome = run("<title>", false);
    EXPECT_EQ(outcome.renamed, c.renamed);
    for (const auto& [name, text] : c.after)
        EXPECT_EQ(content(name), text) << name;
    EXPECT_EQ(content("held.mp3"), "held");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, c.files.size() + 1);  // no file lost, none left under a temporary name
}

INSTANTIATE_TEST_SUITE_P(Table, RenameCycleTest,
                         ::testing::Values(CycleCase{"chainAgainstRunOrder",
                                                     {{"a.mp3", "b"}, {"b.mp3", "c"}},
                                                     {{"b.mp3", "a.mp3"}, {"c.mp3", "b.mp3"}},
                                                     2},
                                           CycleCase{"swapBlockedByAHeldName",
                                                     {{"a.mp3", "b"}, {"b.mp3", "held"}},
                                                     {{"a.mp3", "a.mp3"}, {"b.mp3", "b.mp3"}},
                                                     0}),
                         [](const ::testing::TestParamInfo<CycleCase>& param) {
                             return std::string(param.param.what);
                         });

// The order itself: each moving file once, a cycle broken by one temporary move.
TEST(RenameOrderTest, CyclesAreBrokenOnceAndChainsWaitForTheirHolder) {
    const auto check = [](const char* from, const char* to) {
        RenameCheck c;
        c.from = from;
        c.to = to;
        return c;
    };
    RenameCheck unchanged = check("/u", "/u");
    unchanged.status = RenameStatus::Unchanged;
    const std::vector<RenameCheck> plan = {check("/a", "/b"), check("/b", "/a"), unchanged,
                                           check("/c", "/d"), check("/x", "/c")};
    const std::vector<RenameStep> steps = renameOrder(plan);
    std::vector<std::pair<int, bool>> order;
    for (const RenameStep& step : steps)
        order.emplace_back(step.place, step.toTemporary);
    EXPECT_EQ(order, (std::vector<std::pair<int, bool>>{
                         {3, false}, {4, false}, {0, true}, {1, false}, {0, false}}));
}

}  // namespace
}  // namespace tw::rename
