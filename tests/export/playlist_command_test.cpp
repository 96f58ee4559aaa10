// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/playlist_command.h"

#include <gtest/gtest.h>

#include <algorithm>
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
using Choice = base::UserPort::OverwriteChoice;
using Answer = base::UserPort::Answer;

class PlaylistCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
            test::writeFile(music / name, "audio");
            core::AudioFile& file = test::addRecord(list, music.folder(), name);
            file.id3v1.album = "Album";
            file.playSeconds = 100;
        }
        list.at(0).id3v2.artist = "A";
        list.at(0).id3v2.title = "First";
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

TEST_F(PlaylistCommandTest, OpeningReadsTheStoredTypeWithinItsRange) {
    EXPECT_EQ(PlaylistCommand(list, store, music.folder()).type(), PlaylistType::M3uExtended);
    store.setInt("Playlist", "Type", 2);
    EXPECT_EQ(PlaylistCommand(list, store, music.folder()).type(), PlaylistType::Pls);
    store.setInt("Playlist", "Type", 9);
    EXPECT_EQ(PlaylistCommand(list, store, music.folder()).type(), PlaylistType::M3uExtended);
}

TEST_F(PlaylistCommandTest, M3uBesideTheFilesReadsBackWithEveryEntry) {
    const PlaylistOutcome outcome =
        create("<album> <number_of_tracks>", PlaylistType::M3uExtended, music.folder());
    ASSERT_EQ(outcome.result, Result::Written);
    EXPECT_EQ(outcome.path, (music / "Album 3.m3u").string());
    EXPECT_EQ(test::fileText(outcome.path),
              "#EXTM3U\r\n#EXTINF:100,A - First\r\na.mp3\r\n#EXTINF:100,\r\nb.mp3\r\n"
              "#EXTINF:100,\r\nc.mp3\r\n");
    EXPECT_EQ(port.log.back(), "status:Completed successfully");
    EXPECT_EQ(store.getInt("Playlist", "Type", -1), 1);
    EXPECT_EQ(store.getString("Templates\\PL", "Template10", ""), "<album> <number_of_tracks>");
}

TEST_F(PlaylistCommandTest, PlsInAnotherFolderNamesTheFilesRelativeToIt) {
    list.selectOnly(0);
    list.selectAdd(2);
    fs::create_directories(out / "lists");
    const PlaylistOutcome outcome = create("lists\\mine", PlaylistType::Pls, out.folder());
    ASSERT_EQ(outcome.result, Result::Written);
    // Both temporary folders lie in the same parent.
    const std::string up = "../../" + music.path().filename().string() + "/";
    EXPECT_EQ(outcome.path, (out / "lists" / "mine.pls").string());
    EXPECT_EQ(test::fileText(outcome.path),
              "[Playlist]\r\nNumberOfEntries=2\r\nVersion=2\r\nFile1=" + up +
                  "a.mp3\r\nTitle1=A - First\r\nLength1=100\r\nFile2=" + up +
                  "c.mp3\r\nLength2=100\r\n");
}

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

TEST_F(PlaylistCommandTest, AMissingFolderIsCreatedOnlyWhenTheUserAgrees) {
    const std::string folder = (out / "new" / "deeper").string();
    port.answers = {Answer::No};
    PlaylistOutcome outcome = create("new\\deeper\\x", PlaylistType::M3u, out.folder());
    EXPECT_EQ(outcome.result, Result::Failed);
    EXPECT_EQ(port.log.front(), "ask:The output directory " + folder +
                                    " does not exist\n\rWoul you like to create it?");
    EXPECT_EQ(port.messages,
              std::vector<std::string>{"Unable to create [" + folder + "/x.m3u] playlist file."});
    EXPECT_FALSE(fs::exists(out / "new"));
    // The settings are kept although nothing was written.
    EXPECT_EQ(store.getInt("Playlist", "Type", -1), 0);

    port.answers = {Answer::Yes};
    outcome = create("new\\deeper\\x", PlaylistType::M3u, out.folder());
    EXPECT_EQ(outcome.result, Result::Written);
    EXPECT_TRUE(fs::is_regular_file(folder + "/x.m3u"));
}

TEST_F(PlaylistCommandTest, AnExistingPlaylistIsReplacedKeptOrWrittenElsewhere) {
    const fs::path existing = out / "Album.m3u";
    const std::string question = "overwrite:\nThe following file is already exist:\n\n" +
                                 existing.string() + "\n\nWould you like overwrite?";
    test::writeFile(existing, "old");

    for (Choice keep : {Choice::Skip, Choice::SkipAll, Choice::Cancel}) {
        port.overwriteAnswers = {keep};
        EXPECT_EQ(create("<album>", PlaylistType::M3u, out.folder()).result, Result::Cancelled);
    }
    EXPECT_EQ(port.log.back(), question);
    port.overwriteAnswers = {Choice::Rename};
    port.savePaths = {std::nullopt};
    EXPECT_EQ(create("<album>", PlaylistType::M3u, out.folder()).result, Result::Cancelled);
    EXPECT_EQ(port.log.back(), "save-path:" + existing.string() + ":M3U playlist (*.m3u):m3u");
    EXPECT_EQ(test::fileText(existing), "old");

    port.overwriteAnswers = {Choice::Rename};
    port.savePaths = {(out / "other.m3u").string()};
    EXPECT_EQ(create("<album>", PlaylistType::M3u, out.folder()).path,
              (out / "other.m3u").string());
    EXPECT_EQ(test::fileText(existing), "old");

    port.overwriteAnswers = {Choice::OverwriteAll};
    EXPECT_EQ(create("<album>", PlaylistType::M3u, out.folder()).result, Result::Written);
    const std::string text = test::fileText(existing);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << text;
    EXPECT_TRUE(port.messages.empty());
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
