// SPDX-License-Identifier: GPL-2.0-or-later
// Undoing the last save or renaming, and recovering the undo records an interrupted save
// kept, through the built tunewright-cli as a script runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "base/app_paths.h"
#include "cli_harness.h"
#include "core/list_session.h"
#include "core/tag_save.h"
#include "support/fake_user_port.h"
#include "support/id3v1_bytes.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"
#include "support/mutagen.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

class UndoCommandsTest : public ::testing::Test {
protected:
    test::CliOutcome run(const std::vector<std::string>& args) {
        return test::runProgramAtHome(args, home.path());
    }

    std::string song(const std::string& name, const std::string& title, int padding) {
        test::Id3v2Builder tag(3);
        tag.text("TIT2", title);
        if (padding > 0)
            tag.padding(static_cast<std::size_t>(padding));
        return test::writeMp3(music, name, {.id3v2 = tag.build(), .audio = test::defaultAudio()});
    }

    std::map<std::string, Bytes> contents() const {
        std::map<std::string, Bytes> out;
        for (const auto& entry : fs::directory_iterator(music.path()))
            out[entry.path().filename().string()] = test::readBytes(entry.path());
        return out;
    }

    test::TempDir home;
    test::TempDir music;
};

TEST_F(UndoCommandsTest, TheLastSaveGoesBackByteForByteButForAFileChangedSince) {
    song("padded.mp3", "Old", 4096);
    song("grown.mp3", "Old", 0);
    song("edited.mp3", "Old", 1024);
    test::writeMp3(music, "bare.mp3",
                   {.audio = test::defaultAudio(), .id3v1 = test::id3v1Tag({.title = "Old v1"})});
    const std::map<std::string, Bytes> before = contents();
    std::vector<std::string> set{"set",   "--both",    "--title",
                                 "Newer", "--comment", std::string(2000, 'c')};
    for (const auto& [name, bytes] : before)
        set.push_back((music / name).string());
    ASSERT_EQ(run(set).status, 0);
    // Another program changes a letter of one file's new title in place.
    const fs::path edited = music / "edited.mp3";
    Bytes bytes = test::readBytes(edited);
    const auto title = std::search(bytes.begin(), bytes.end(), set[3].begin(), set[3].end());
    ASSERT_NE(title, bytes.end());
    *title = 'M';
    test::writeBytes(edited, bytes);
    const std::map<std::string, Bytes> saved = contents();

    const test::CliOutcome trial = run({"undo", "--dry-run"});
    EXPECT_EQ(trial.status, 1);
    EXPECT_EQ(std::count(trial.out.begin(), trial.out.end(), '\n'), 3) << trial.out;
    EXPECT_NE(trial.out.find("would get back its tags: " + (music / "grown.mp3").string()),
              std::string::npos)
        << trial.out;
    EXPECT_NE(trial.err.find(edited.string() + ": it was changed since the save"),
              std::string::npos)
        << trial.err;
    EXPECT_TRUE(contents() == saved);

    const test::CliOutcome undo = run({"undo"});
    EXPECT_EQ(undo.status, 1);
    EXPECT_EQ(undo.out, [&] {
        std::string out = trial.out;
        for (std::size_t at; (at = out.find("would get")) != std::string::npos;)
            out.replace(at, 9, "got");
        return out;
    }());
    EXPECT_NE(undo.err.find(edited.string()), std::string::npos);
    for (const auto& [name, now] : contents()) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(now == (name == "edited.mp3" ? saved.at(name) : before.at(name)));
        if (test::mutagenAvailable() && name != "bare.mp3") {
            EXPECT_EQ(test::mutagenDump((music / name).string()).at("TIT2"),
                      name == "edited.mp3" ? "Mewer" : "Old");
        }
    }

    const test::CliOutcome again = run({"undo"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("There is no save or renaming to undo."), std::string::npos);
}

// Names go back round a cycle of three and a swap of two; a file whose old name another
// file took since stays where it is, and so does one the user renamed again.
TEST_F(UndoCommandsTest, ARenameBatchGoesBackNeverReplacingAFile) {
    const std::map<std::string, std::string> titles{{"a.mp3", "b"}, {"b.mp3", "c"}, {"c.mp3", "a"},
                                                    {"d.mp3", "e"}, {"e.mp3", "d"}, {"x.mp3", "y"},
                                                    {"m.mp3", "n"}};
    for (const auto& [name, title] : titles)
        song(name, title, 0);
    const std::map<std::string, Bytes> before = contents();
    ASSERT_EQ(run({"rename", music.path().string(), "--mask", "<title>"}).status, 0);
    test::writeBytes(music / "x.mp3", test::bytesOf("a file of another program"));
    fs::rename(music / "n.mp3", music / "o.mp3");

    const test::CliOutcome trial = run({"undo", "--dry-run"});
    EXPECT_EQ(trial.status, 1);
    EXPECT_EQ(std::count(trial.out.begin(), trial.out.end(), '\n'), 5) << trial.out;
    const test::CliOutcome undo = run({"undo"});
    EXPECT_EQ(undo.status, 1);
    EXPECT_NE(undo.err.find((music / "y.mp3").string() + ": a file of this name exists"),
              std::string::npos)
        << undo.err;
    EXPECT_NE(undo.err.find((music / "n.mp3").string() + ": it no longer has the name"),
              std::string::npos)
        << undo.err;
    std::map<std::string, Bytes> expected = before;
    expected["y.mp3"] = before.at("x.mp3");
    expected["x.mp3"] = test::bytesOf("a file of another program");
    expected["o.mp3"] = before.at("m.mp3");
    expected.erase("m.mp3");
    EXPECT_TRUE(contents() == expected);
}

// A kill right after blocks were inserted at a file's start, then the file moved away: each
// start names it and says what to do; "recover" with the folder it went to puts its old tags
// back once, and the starts after it are silent.
TEST_F(UndoCommandsTest, RecoverPutsBackAFileMovedAfterAKillInItsInsertedRoom) {
    const std::string grown = song("grown.mp3", "Old", 0);
    const Bytes before = test::readBytes(grown);
    const base::AppPaths saved = base::appPaths();
    base::AppPaths paths = saved;
    paths.userStateFolder = home / "state" / "tunewright";
    base::setAppPaths(paths);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        core::FileList list;
        test::FakeUserPort port;
        if (!core::ListSession(list, core::options(), port).scanFolder(music.folder(), false))
            ::_exit(2);
        list.at(0).id3v2.setTitle(std::string(3000, 't'));
        core::SaveOptions options;
        options.probe.afterStep = [](core::SaveStep step) {
            if (step == core::SaveStep::RangeInserted)
                ::_exit(42);
        };
        core::saveAll(list, port, options);
        ::_exit(43);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    base::setAppPaths(saved);
    if (WEXITSTATUS(status) == 43)
        GTEST_SKIP() << "this file system cannot insert blocks";
    ASSERT_EQ(WEXITSTATUS(status), 42);
    test::TempDir elsewhere;
    fs::create_directory(elsewhere / "sub");
    const fs::path moved = elsewhere / "sub" / "renamed.mp3";
    fs::rename(grown, moved);

    for (int start = 0; start < 2; ++start) {
        const test::CliOutcome list = run({"list", music.path().string()});
        EXPECT_NE(list.err.find(grown), std::string::npos) << list.err;
        EXPECT_NE(list.err.find("tunewright-cli recover FOLDER"), std::string::npos) << list.err;
    }
    const test::CliOutcome notThere = run({"recover"});
    EXPECT_EQ(notThere.status, 1);
    EXPECT_NE(notThere.err.find(grown + ": it is not at its path"), std::string::npos)
        << notThere.err;

    const test::CliOutcome found = run({"recover", elsewhere.path().string()});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "got back its old tags: " + moved.string() + "\n");
    EXPECT_EQ(test::readBytes(moved), before);
    EXPECT_EQ(run({"list", music.path().string()}).err, "");
    EXPECT_EQ(run({"recover"}).out, "no undo data is kept: nothing to recover\n");
}

}  // namespace
}  // namespace tw::cli
