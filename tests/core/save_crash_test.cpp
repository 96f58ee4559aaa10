// SPDX-License-Identifier: GPL-2.0-or-later
// A batch save killed after each of its steps, then the roll-back of the next start: every
// file (MP3 files, and FLAC, Ogg, Opus and MP4 files saved through TagLib) holds its old or
// its new tags with its audio untouched, the journal is gone and no
// temporary file is left in the music folder. The kill is a forked child that ends itself
// in the save's step probe, as SIGKILL would: no destructor runs, no file is closed first.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>

#include "base/app_paths.h"
#include "core/list_session.h"
#include "core/range_insert.h"
#include "core/save_batch_flush.h"
#include "core/tag_edit.h"
#include "core/tag_save.h"
#include "core/undo_journal.h"
#include "core/undo_record.h"
#include "core/undo_rollback.h"
#include "support/fake_user_port.h"
#include "support/format_files.h"
#include "support/id3v1_bytes.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"
#include "support/mutagen.h"

namespace tw::core {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Id3v2Builder;

constexpr int kKilled = 42;
constexpr int kFinished = 43;

int gSteps = 0;
int gStopAt = 0;
std::vector<SaveStep> gSeen;

void countStep(SaveStep step) {
    ++gSteps;
    gSeen.push_back(step);
}

void killAtStep(SaveStep) {
    if (++gSteps == gStopAt)
        ::_exit(kKilled);
}

// What a file's new ID3v2 tag needs: its old space, more (in place where whole blocks can
// be inserted at the file's start, else a new file), or no tag at all (a new file).
enum class Space { Fits, Grows, None };

// One file of the batch: how it starts and how it is edited. A FLAC, Ogg or MP4 file is
// one of copyFormatFile's kinds (tagged), its Space what TagLib's result needs.
struct FileCase {
    const char* name;
    test::Mp3Parts parts;
    std::function<void(AudioFile&)> edit;
    Space space;
    const char* formatKind = nullptr;
};

void addPicture(AudioFile& f, std::size_t size) {
    f.pictures.put({.type = 5, .mime = "image/png", .description = "Big", .byteSize = 0},
                   std::make_shared<const std::string>(size, 'p'));
}

const std::vector<FileCase>& fileCases() {
    static const std::vector<FileCase> cases = [] {
        const Bytes audio = test::defaultAudio(12);
        const Bytes v1 = test::id3v1Tag({.title = "Old v1"});
        // Text that does not repeat, so that moving it changes every block it covers.
        std::string notes;
        for (int i = 0; i < 3000; ++i)
            notes += static_cast<char>('a' + (i * i + i / 7) % 26);
        auto tag = [](int version) {
            return Id3v2Builder(version).text("TIT2", "Title").text("TPE1", "Artist");
        };
        return std::vector<FileCase>{
            {"album.mp3",
             {.id3v2 =
                  tag(3).text("TALB", "Album").comment("eng", "", "Note").padding(1024).build(),
              .audio = audio},
             [](AudioFile& f) { f.id3v2.setAlbum("An album name far longer than the old one"); },
             Space::Fits},
            {"both.mp3",
             {.id3v2 = tag(4).padding(512).build(), .audio = audio, .id3v1 = v1},
             [](AudioFile& f) {
                 f.id3v1.setTitle("New v1");
                 f.id3v2.setTitle("New v2");
             },
             Space::Fits},
            {"append-v1.mp3",
             {.id3v2 = tag(3).padding(256).build(), .audio = audio},
             [](AudioFile& f) {
                 f.id3v1.makePresent();
                 f.id3v1.setTitle("Appended");
             },
             Space::Fits},
            {"cut-v1.mp3",
             {.id3v2 = tag(3).padding(256).build(), .audio = audio, .id3v1 = v1},
             [](AudioFile& f) {
                 clearFields(f.id3v1);
                 f.id3v2.setArtist("Other");
             },
             Space::Fits},
            {"long.mp3",
             {.id3v2 = tag(3).userText("NOTES", notes).padding(2048).build(), .audio = audio},
             [](AudioFile& f) { f.id3v2.setTitle("A title that moves 3000 bytes"); },
             Space::Fits},
            {"grow.mp3",
             {.id3v2 = tag(3).build(), .audio = audio},
             [](AudioFile& f) { f.id3v2.setTitle("A title that no longer fits the tag"); },
             Space::Grows},
            {"new-tag.mp3",
             {.audio = audio},
             [](AudioFile& f) {
                 f.id3v2.makePresent();
                 f.id3v2.setTitle("First tag");
                 f.id3v1.makePresent();
                 f.id3v1.setTitle("First v1");
             },
             Space::Grows},
            {"drop-v2.mp3",
             {.id3v2 = tag(3).padding(100).build(), .audio = audio, .id3v1 = v1},
             [](AudioFile& f) { clearFields(f.id3v2); },
             Space::None},
            {"fits.flac",
             {},
             [](AudioFile& f) { f.id3v2.setAlbum("An album name far longer than the old one"); },
             Space::Fits,
             "flac"},
            {"grows.flac", {}, [](AudioFile& f) { addPicture(f, 12000); }, Space::Grows, "flac"},
            {"fits.m4a",
             {},
             [](AudioFile& f) { f.id3v2.setTitle("A new title"); },
             Space::Fits,
             "aac"},
            // As long as "Title é": the comment keeps its pages, which change in place.
            {"fits.ogg",
             {},
             [](AudioFile& f) { f.id3v2.setTitle("Titel \xC3\xA9"); },
             Space::Fits,
             "vorbis"},
            // Its comment grows by whole blocks inserted before its audio pages.
            {"grows.opus",
             {},
             [](AudioFile& f) { f.id3v2.setAlbum(std::string(300, 'a')); },
             Space::Grows,
             "opus"},
            // Its "moov" box behind the audio grows: the end of the file is written in place.
            {"tail.m4a", {}, [](AudioFile& f) { addPicture(f, 5000); }, Space::Fits, "aac"},
            // Its audio moves by what the tag grew, which is no whole number of blocks.
            {"moov.m4a",
             {},
             [](AudioFile& f) { addPicture(f, 3000); },
             Space::None,
             "aac-moov-first"},
        };
    }();
    return cases;
}

// The bytes a case's file starts with.
const Bytes& oldBytes(const FileCase& c) {
    static std::map<std::string, Bytes> made;
    if (const auto found = made.find(c.name); found != made.end())
        return found->second;
    Bytes& bytes = made[c.name];
    if (!c.formatKind) {
        bytes = c.parts.bytes();
    } else {
        const test::TempDir scratch;
        EXPECT_TRUE(test::copyFormatFile(c.formatKind, true, scratch / "file"))
            << "could not make the test file (flac, ffmpeg, opusenc, sox, mutagen)";
        bytes = test::readBytes(scratch / "file");
    }
    return bytes;
}

void writeFiles(const test::TempDir& folder) {
    for (const FileCase& c : fileCases())
        test::writeBytes(folder / c.name, oldBytes(c));
}

// What the program does: scan the folder, edit each file, save them all in one batch.
std::vector<FileFailure> editAndSave(const test::TempDir& folder, const SaveOptions& options) {
    FileList list;
    test::FakeUserPort port;
    EXPECT_TRUE(ListSession(list, core::options(), port).scanFolder(folder.folder(), false));
    for (int i = 0; i < list.size(); ++i)
        for (const FileCase& c : fileCases())
            if (list.at(i).fileName == c.name)
                c.edit(list.at(i));
    return saveAll(list, port, options);
}

// What a roll-back leaves in the state folder but the kept undo of the last save, which a
// kill after the batch's end leaves for "undo".
std::vector<std::string> leftInState(const test::TempDir& state) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(state.path()))
        if (entry.path().filename() != "last-save.undo")
            names.push_back(entry.path().filename().string());
    return names;
}

std::map<std::string, Bytes> contents(const test::TempDir& folder) {
    std::map<std::string, Bytes> out;
    for (const auto& entry : fs::directory_iterator(folder.path()))
        out[entry.path().filename().string()] = test::readBytes(entry.path());
    return out;
}

class SaveCrashTest : public ::testing::Test {
protected:
    void TearDown() override {
        options() = savedOptions_;
        base::setAppPaths(savedPaths_);
    }

    // The files as a whole save leaves them; checks that it took the way each case expects.
    std::map<std::string, Bytes> savedWhole(const SaveOptions& options, int& steps) {
        test::TempDir folder;
        writeFiles(folder);
        std::map<std::string, ino_t> inodes;
        for (const FileCase& c : fileCases())
            inodes[c.name] = fs::status(folder / c.name).type() == fs::file_type::regular
                                 ? inodeOf(folder / c.name)
                                 : 0;
        SaveOptions counting = options;
        counting.probe.afterStep = countStep;
        gSteps = 0;
        gSeen.clear();
        EXPECT_TRUE(editAndSave(folder, counting).empty());
        steps = gSteps;
        const bool growsInPlace = !options.probe.newFilesForGrowth && !options.probe.refuseInsert &&
                                  insertsRanges(folder.path().string(), deviceOf(folder.path()));
        for (const FileCase& c : fileCases()) {
            const bool inPlace =
                c.space == Space::Fits || (c.space == Space::Grows && growsInPlace);
            EXPECT_EQ(inodeOf(folder / c.name) == inodes[c.name], inPlace) << c.name;
        }
        return contents(folder);
    }

    static ino_t inodeOf(const fs::path& path) {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_ino;
    }
    static dev_t deviceOf(const fs::path& path) {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_dev;
    }

    // Runs the save in a child that dies after step `stopAt`; the music and state folders
    // as it left them.
    void killAfter(int stopAt, const SaveOptions& options, const test::TempDir& music,
                   const test::TempDir& state) {
        base::setAppPaths({.programFolder = "/nowhere",
                           .installDataFolder = "/nowhere",
                           .userDataFolder = "/nowhere",
                           .userConfigFolder = "/nowhere",
                           .userStateFolder = state.path()});
        writeFiles(music);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SaveOptions dying = options;
            dying.probe.afterStep = killAtStep;
            gSteps = 0;
            gStopAt = stopAt;
            editAndSave(music, dying);
            ::_exit(kFinished);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_EQ(WEXITSTATUS(status), kKilled) << "the save has fewer steps than " << stopAt;
    }

    AppOptions savedOptions_ = options();
    base::AppPaths savedPaths_ = base::appPaths();
};

// One syncfs waits for every dirty page of the machine; it is chosen only while those are
// about the batch's own, and never when /proc/meminfo does not say.
TEST(FlushChoice, SyncfsOnlyWhileOthersHoldLittleDirtyData) {
    const std::string idle =
        "MemTotal:  8000000 kB\nDirty:        1024 kB\nWriteback:       0 kB\n";
    const std::string busy = "Dirty:      204800 kB\nWriteback:    4096 kB\n";
    EXPECT_TRUE(fileSystemFlushIsCheap(idle, 0));
    EXPECT_FALSE(fileSystemFlushIsCheap(busy, 1 << 20));
    EXPECT_TRUE(fileSystemFlushIsCheap(busy, 200u << 20));  // the batch's own pages
    EXPECT_FALSE(fileSystemFlushIsCheap("", 0));
    EXPECT_FALSE(fileSystemFlushIsCheap("Dirty: 1 kB\n", 0));  // no Writeback line
    EXPECT_FALSE(fileSystemFlushIsCheap("Dirty: x kB\nWriteback: 0 kB\n", 0));
    EXPECT_FALSE(fileSystemFlushIsCheap("DirtyX: 0 kB\nWriteback: 0 kB\n", 0));
    EXPECT_FALSE(fileSystemFlushIsCheap("Dirty: 99999999999999999999 kB\nWriteback: 0 kB\n", 0));
    EXPECT_FALSE(readMeminfo().empty());
}

TEST_F(SaveCrashTest, AKillAtAnyStepLeavesEveryFileOldOrNew) {
    struct Way {
        const char* name;
        SaveOptions options;
    };
    const Way ways[] = {
        {"grown in place, flushed file by file", {.flush = FlushMode::EachFile, .probe = {}}},
        {"grown as unnamed new files",
         {.flush = kDefaultFlushMode, .probe = {.newFilesForGrowth = true}}},
        {"grown as named new files",
         {.flush = kDefaultFlushMode, .probe = {.namedNewFiles = true, .newFilesForGrowth = true}}},
        {"flushed by the file system", {.flush = FlushMode::FileSystem, .probe = {}}},
        {"flushed as the machine's dirty data says", {.flush = FlushMode::Adaptive, .probe = {}}},
    };
    std::map<std::string, Bytes> old;
    for (const FileCase& c : fileCases())
        old[c.name] = oldBytes(c);

    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        int steps = 0;
        const std::map<std::string, Bytes> fresh = savedWhole(way.options, steps);
        ASSERT_GT(steps, 20);
        bool someRestored = false;
        bool someMixed = false;
        for (int stopAt = 1; stopAt <= steps; ++stopAt) {
            SCOPED_TRACE("killed after step " + std::to_string(stopAt));
            test::TempDir music;
            test::TempDir state;
            killAfter(stopAt, way.options, music, state);
            if (HasFatalFailure())
                return;

            const RollBackOutcome outcome = rollBackJournals(state.path());
            EXPECT_TRUE(outcome.left.empty());
            someRestored |= !outcome.restored.empty();
            EXPECT_EQ(leftInState(state), std::vector<std::string>{});
            const std::map<std::string, Bytes> now = contents(music);
            ASSERT_EQ(now.size(), old.size());  // no temporary file left behind
            int newOnes = 0;
            for (const auto& [name, bytes] : now) {
                EXPECT_TRUE(bytes == old.at(name) || bytes == fresh.at(name)) << name;
                newOnes += bytes == fresh.at(name) && bytes != old.at(name);
            }
            someMixed |= newOnes > 0 && newOnes < static_cast<int>(now.size());
        }
        EXPECT_TRUE(someRestored);
        EXPECT_TRUE(someMixed);
    }
}

// A file that refuses the blocks inserted at its start although its file system took them
// on a scratch file falls back to a new file, whose hidden name the journal holds before it
// can exist: a kill at any step leaves every file old or new and no temporary file.
TEST_F(SaveCrashTest, AKillAfterAFallBackToANewFileLeavesNoTemporaryFile) {
    std::map<std::string, Bytes> old;
    for (const FileCase& c : fileCases())
        old[c.name] = oldBytes(c);
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named new files" : "unnamed new files");
        SaveOptions options{.flush = kDefaultFlushMode,
                            .probe = {.namedNewFiles = named, .refuseInsert = true}};
        int steps = 0;
        const std::map<std::string, Bytes> fresh = savedWhole(options, steps);
        for (int stopAt = 1; stopAt <= steps; ++stopAt) {
            SCOPED_TRACE("killed after step " + std::to_string(stopAt));
            test::TempDir music;
            test::TempDir state;
            killAfter(stopAt, options, music, state);
            ASSERT_FALSE(HasFatalFailure());
            rollBackJournals(state.path());
            const std::map<std::string, Bytes> now = contents(music);
            ASSERT_EQ(now.size(), old.size());
            for (const auto& [name, bytes] : now)
                EXPECT_TRUE(bytes == old.at(name) || bytes == fresh.at(name)) << name;
        }
    }
}

// Without an undo journal no save is safe: every file is refused with the journal's reason
// and left as it was, with no hidden new file in its folder that nothing would clean. Root
// may write into any folder, so the journal's folder lies under a regular file, or the file
// size limit stands in for a full disk (in a child, so that nothing else is limited).
TEST_F(SaveCrashTest, AJournalThatCannotBeWrittenRefusesEverySave) {
    struct Case {
        const char* name;
        const char* stateUnder;  // a regular file the state folder lies under, if any
        bool diskFull;
    };
    const Case cases[] = {
        {"its folder under a regular file", "a-file", false},
        {"a full disk", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir music;
        test::TempDir state;
        writeFiles(music);
        const std::map<std::string, Bytes> old = contents(music);
        fs::path stateFolder = state.path();
        if (c.stateUnder) {
            test::writeBytes(state / c.stateUnder, test::bytesOf("x"));
            stateFolder = state / c.stateUnder / "tunewright";
        }
        base::setAppPaths({.programFolder = "/nowhere",
                           .installDataFolder = "/nowhere",
                           .userDataFolder = "/nowhere",
                           .userConfigFolder = "/nowhere",
                           .userStateFolder = stateFolder});
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (c.diskFull) {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{1, 1};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            int refused = 0;
            for (const FileFailure& failure : editAndSave(music, {}))
                refused += base::worded(failure.reason)
                               .starts_with("the undo journal cannot be written: ");
            ::_exit(refused);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(fileCases().size()));
        EXPECT_EQ(contents(music), old);
        EXPECT_EQ(rollBackJournals(stateFolder), RollBackOutcome{});
        EXPECT_EQ(contents(state).size(), c.stateUnder ? 1u : 0u);
    }
}

// The old file a new one replaced is closed at once, so that its blocks are free for the
// next file's new file: a batch never needs room for every file twice.
int gReplacedStillOpen = 0;

int replacedFilesOpen() {
    int open = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = fs::read_symlink(entry.path(), error).string();
        open += target.ends_with(".mp3 (deleted)");
    }
    return open;
}

TEST_F(SaveCrashTest, AReplacedFileIsClosedAsSoonAsItsNewFileIsInPlace) {
    test::TempDir folder;
    writeFiles(folder);
    SaveOptions options{.flush = kDefaultFlushMode, .probe = {.newFilesForGrowth = true}};
    options.probe.afterStep = [](SaveStep step) {
        if (step == SaveStep::FilePlaced)
            gReplacedStillOpen = std::max(gReplacedStillOpen, replacedFilesOpen());
    };
    gReplacedStillOpen = 0;
    EXPECT_TRUE(editAndSave(folder, options).empty());
    EXPECT_EQ(gReplacedStillOpen, 0);
}

// A file changed elsewhere after a kill that came right after blocks were inserted at its
// start: the zeros in front of its tag are taken out again so that every reader finds the
// tag, and the undo record is kept and reported at every start until the user deals with it.
TEST_F(SaveCrashTest, AFileChangedAfterAKillInItsInsertedRoomShowsItsTagsAndKeepsItsUndo) {
    if (!test::mutagenAvailable())
        GTEST_SKIP() << "no mutagen";
    const SaveOptions options{.flush = kDefaultFlushMode, .probe = {}};
    int steps = 0;
    savedWhole(options, steps);
    const auto inserted = std::find(gSeen.begin(), gSeen.end(), SaveStep::RangeInserted);
    if (inserted == gSeen.end())
        GTEST_SKIP() << "this file system cannot insert blocks";
    const int stopAt = static_cast<int>(inserted - gSeen.begin()) + 1;

    struct Change {
        const char* name;
        void (*change)(const fs::path& file);
    };
    const Change changes[] = {
        {"bytes appended",
         [](const fs::path& file) {
             Bytes bytes = test::readBytes(file);
             bytes.push_back(0);
             test::writeBytes(file, bytes);
         }},
        {"a copy put in its place",
         [](const fs::path& file) {
             fs::copy_file(file, file.string() + ".copy");
             fs::rename(file.string() + ".copy", file);
         }},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.name);
        test::TempDir music;
        test::TempDir state;
        killAfter(stopAt, options, music, state);
        ASSERT_FALSE(HasFatalFailure());
        const fs::path grown = music / "grow.mp3";
        c.change(grown);
        for (int start = 0; start < 2; ++start) {
            SCOPED_TRACE("start " + std::to_string(start));
            test::FakeUserPort port;
            const RollBackOutcome outcome = rollBackInterruptedSaves(port);
            ASSERT_EQ(outcome.left.size(), 1u);
            EXPECT_EQ(outcome.left[0].fileName, grown.string());
            ASSERT_EQ(outcome.unappliedJournals.size(), 1u);
            EXPECT_TRUE(fs::exists(outcome.unappliedJournals[0]));
            EXPECT_EQ(port.failedFiles.size(), 1u);
            EXPECT_EQ(std::count_if(port.messages.begin(), port.messages.end(),
                                    [&](const std::string& message) {
                                        return message.find(outcome.unappliedJournals[0]) !=
                                               message.npos;
                                    }),
                      1);
            EXPECT_EQ(test::mutagenDump(grown.string()).at("version"), "2.3");
        }
    }
}

// Whatever a journal loses, its roll-back writes nothing that is not a file's old bytes:
// the files killed half-way through their writes, rolled back with the journal cut off or
// damaged at every place. A damaged journal is kept and reported, never deleted.
TEST_F(SaveCrashTest, ATornJournalNeverMakesTheRollBackWriteGarbage) {
    const SaveOptions options{.flush = kDefaultFlushMode, .probe = {}};
    int steps = 0;
    savedWhole(options, steps);
    // In the middle of the longest run of block writes (the long tag's).
    int runStart = 0;
    int longest = 0;
    int stopAt = 0;
    for (int i = 0; i < static_cast<int>(gSeen.size()); ++i) {
        if (gSeen[static_cast<std::size_t>(i)] != SaveStep::BlockWritten)
            runStart = i + 1;
        else if (i + 1 - runStart > longest)
            longest = i + 1 - runStart, stopAt = runStart + longest / 2 + 1;
    }
    ASSERT_GT(longest, 3);
    test::TempDir music;
    test::TempDir state;
    killAfter(stopAt, options, music, state);
    ASSERT_FALSE(HasFatalFailure());
    const std::map<std::string, Bytes> killed = contents(music);
    const fs::path journalPath = fs::directory_iterator(state.path())->path();
    const Bytes journal = test::readBytes(journalPath);
    std::map<std::string, Bytes> old;
    for (const FileCase& c : fileCases())
        old[c.name] = oldBytes(c);

    int restoredAtAll = 0;
    int keptAtAll = 0;
    // About sixty places, an odd stride apart so they fall on every part of the records.
    const std::size_t stride = std::max<std::size_t>(1, journal.size() / 60) | 1;
    for (std::size_t at = 0; at <= journal.size(); at += stride) {
        for (const bool cut : {true, false}) {
            if (!cut && at == journal.size())
                continue;
            SCOPED_TRACE((cut ? "cut at " : "damaged at ") + std::to_string(at));
            for (const auto& [name, bytes] : killed)
                test::writeBytes(music / name, bytes);
            Bytes torn = journal;
            if (cut)
                torn.resize(at);
            else
                torn[at] ^= 0x40;
            fs::remove_all(state.path());
            fs::create_directory(state.path());
            test::writeBytes(journalPath, torn);
            test::FakeUserPort port;
            const RollBackOutcome outcome = rollBackInterruptedSaves(port);
            restoredAtAll += static_cast<int>(outcome.restored.size());
            for (const auto& [name, bytes] : contents(music))
                EXPECT_TRUE(bytes == killed.at(name) || bytes == old.at(name)) << name;
            // A damaged journal is kept aside whole and reported, a cut-off one goes.
            const fs::path kept = journalPath.string() + std::string(kKeptJournalSuffix);
            if (readUndoJournal(torn).damaged) {
                ++keptAtAll;
                EXPECT_EQ(outcome.keptJournals, std::vector{kept.string()});
                EXPECT_EQ(test::readBytes(kept), torn);
                EXPECT_EQ(std::count_if(port.messages.begin(), port.messages.end(),
                                        [&](const std::string& message) {
                                            return message.find(kept.string()) != message.npos;
                                        }),
                          1);
            } else {
                EXPECT_TRUE(fs::is_empty(state.path()));
            }
        }
    }
    EXPECT_GT(restoredAtAll, 0);
    EXPECT_GT(keptAtAll, 50);
}

}  // namespace
}  // namespace tw::core
