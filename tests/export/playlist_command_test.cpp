// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/playlist_command.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/memory_settings_store.h"
#include "core/file_list.h"
#include "export_fixture.h"
#include "rename/symbol_table.h"
#include "support/fake_user_port.h"
#include "support/temp_dir.h"

namespace tw::exports {
namespace {

namespace fs = std::filesystem;
using Result = PlaylistOutcome::Result;
using Answer = base::UserPort::Answer;

class PlaylistCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
            test::writeFile(music / name, "audio");
            test::addRecord(list, music.folder(), name).id3v1.album = "Album";
        }
        list.selectAll();
    }

    PlaylistOutcome create(std::string_view mask, PlaylistType type, const std::string& directory) {
        PlaylistCommand command(list, store, directory);
        command.maskList().setCurrentMask(mask);
        command.setType(type);
        return command.CreatePlaylist(port);
    }

    tw::test::TempDir music;
    tw::test::TempDir out;
    core::FileList list;
    base::MemorySettingsStore store;
    tw::test::FakeUserPort port;
};

// The files a playlist names, read as a strict player reads it: CRLF lines, an M3U path or
// the PLS keys File1..FileN in order, each path relative, with "/" only, naming a file that
// exists beside or below the playlist. Anything else fails the test.
std::vector<std::string> strictEntries(const fs::path& playlist) {
    const std::string text = test::fileText(playlist);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "a line without CRLF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    const bool pls = playlist.extension() == ".pls";
    std::vector<std::string> entries;
    for (const std::string& line : lines) {
        std::string path = line;
        if (pls) {
            const std::string key = "File" + std::to_string(entries.size() + 1) + "=";
            if (!line.starts_with("File"))
                continue;
            EXPECT_TRUE(line.starts_with(key)) << line;
            path = line.substr(key.size());
        } else if (line.starts_with('#')) {
            continue;
        }
        EXPECT_FALSE(path.starts_with('/') || path.starts_with("..") ||
                     path.find('\\') != std::string::npos)
            << path;
        EXPECT_TRUE(fs::is_regular_file(playlist.parent_path() / path)) << path;
        entries.push_back(path);
    }
    return entries;
}

TEST_F(PlaylistCommandTest, APlaylistAboveSubFoldersNamesTheirFilesBelowIt) {
    list.clear();
    for (const char* relative : {"top.mp3", "CD1/01 One.mp3", "CD2/#2.mp3"}) {
        fs::create_directories((music / relative).parent_path());
        test::writeFile(music / relative, "audio");
        const fs::path path = music / relative;
        test::addRecord(list, path.parent_path().string() + "/", path.filename().string());
    }
    list.selectAll();
    const std::vector<std::string> expected{"top.mp3", "CD1/01 One.mp3", "CD2/#2.mp3"};
    for (const PlaylistType type :
         {PlaylistType::M3u, PlaylistType::M3uExtended, PlaylistType::Pls}) {
        const PlaylistOutcome outcome = create("all", type, music.folder());
        ASSERT_EQ(outcome.result, Result::Written);
        EXPECT_EQ(strictEntries(outcome.path), expected) << outcome.path;
        fs::remove(outcome.path);
    }
}

TEST_F(PlaylistCommandTest, APlaylistOfNoFilesIsReportedAndAnOldOneKept) {
    test::writeFile(out / "Album.m3u", "old");
    const core::FileList none;
    PlaylistCommand command(none, store, out.folder());
    command.maskList().setCurrentMask("Album");
    const PlaylistOutcome outcome = command.CreatePlaylist(port);
    EXPECT_EQ(outcome.result, Result::Failed);
    EXPECT_EQ(port.messages, std::vector<std::string>{"The playlist [" + outcome.path +
                                                      "] was not written: it would name no file."});
    EXPECT_EQ(test::fileText(out / "Album.m3u"), "old");
    EXPECT_EQ(port.log.size(), 1u);  // the message alone: nothing was asked
}

TEST_F(PlaylistCommandTest, NamesThatWouldLeaveTheFolderOrCannotBeFilesAreReported) {
    rename::SymbolTable().save(store, rename::kTagToFilenameTable);  // no cleaning
    list.at(0).id3v1.album = "..";
    EXPECT_EQ(create("<album>\\x", PlaylistType::M3u, out.folder()).result, Result::Failed);
    fs::create_directories(out / "x.m3u");
    EXPECT_EQ(create("x", PlaylistType::M3u, out.folder()).result, Result::Failed);
    test::writeFile(out / "file", "");
    port.answers = {Answer::Yes};  // create the folder: it cannot be, a file has its name
    EXPECT_EQ(create("y", PlaylistType::M3u, (out / "file").string()).result, Result::Failed);
    ASSERT_EQ(port.messages.size(), 3u);
    EXPECT_EQ(port.messages[0], "Unable to create [" + out.folder() + "../x.m3u] playlist file.");
    EXPECT_FALSE(fs::exists(out.path().parent_path() / "x.m3u"));
}

}  // namespace
}  // namespace tw::exports
