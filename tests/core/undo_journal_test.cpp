// SPDX-License-Identifier: GPL-2.0-or-later
// The undo journal on its own: its records survive only whole, and the roll-back puts a
// file back only when every block holds what the save left there.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "base/app_paths.h"
#include "core/range_insert.h"
#include "core/undo_journal.h"
#include "core/undo_record.h"
#include "core/undo_rollback.h"
#include "support/bytes.h"
#include "support/fake_user_port.h"
#include "support/temp_dir.h"
#include "support/why_not.h"

namespace tw::core {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

Bytes pattern(std::size_t size, int step) {
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<std::uint8_t>(i * static_cast<std::size_t>(step) + 1);
    return out;
}

std::vector<UndoRecord> sampleRecords() {
    const Bytes old = pattern(1300, 7);
    const Bytes fresh = pattern(1300, 13);
    return {
        {UndoRecord::Kind::InPlace,
         "/music/a.mp3",
         1,
         2,
         5000,
         5000,
         0,
         {UndoRegion::between(100, std::span(old).subspan(100, 1200),
                              std::span(fresh).subspan(100, 1200))}},
        {UndoRecord::Kind::NewName, "/music/.tw-save-0123456789abcdef", 0, 0, 0, 0, 0, {}},
        {UndoRecord::Kind::InPlace,
         "/music/b.mp3",
         1,
         3,
         4000,
         8224,
         4096,
         {UndoRegion::between(0, std::vector<std::uint8_t>(4096),
                              std::span(fresh).subspan(0, 1000)),
          UndoRegion::between(8096, {}, std::span(fresh).subspan(0, 128))}},
        {UndoRecord::Kind::Renamed, "/music/new name.mp3", 1, 4, 0, 0, 0, {}, "/music/old.mp3"},
    };
}

TEST(UndoRecords, OnlyWholeRecordsAreReadFromACutOffOrDamagedJournal) {
    const std::vector<UndoRecord> records = sampleRecords();
    Bytes journal;
    std::vector<std::size_t> ends;
    for (const UndoRecord& record : records) {
        appendUndoRecord(record, journal);
        ends.push_back(journal.size());
    }
    ASSERT_EQ(readUndoRecords(journal), records);

    auto wholeBefore = [&](std::size_t length) {
        const auto n =
            std::count_if(ends.begin(), ends.end(), [&](std::size_t end) { return end <= length; });
        return std::vector<UndoRecord>(records.begin(), records.begin() + n);
    };
    // Cut off, as by a kill in the middle of an append: not damaged, nothing was written yet.
    for (std::size_t length = 0; length <= journal.size(); ++length) {
        const UndoJournalContents read = readUndoJournal(std::span(journal).first(length));
        EXPECT_EQ(read.records, wholeBefore(length)) << length;
        EXPECT_FALSE(read.damaged) << length;
    }

    // A changed byte ends the journal at the record that holds it, and the journal is damaged,
    // unless it made a length run past the end, which reads as cut off.
    for (std::size_t at = 0; at < journal.size(); ++at) {
        Bytes damaged = journal;
        damaged[at] ^= 0x5a;
        const std::size_t record =
            static_cast<std::size_t>(std::upper_bound(ends.begin(), ends.end(), at) - ends.begin());
        const std::size_t start = record == 0 ? 0 : ends[record - 1];
        const UndoJournalContents read = readUndoJournal(damaged);
        EXPECT_EQ(read.records, wholeBefore(start)) << at;
        const bool inLength = at >= start + 4 && at < start + 8;
        EXPECT_TRUE(read.damaged || inLength) << at;
    }
}

// A file and the record of a save that overwrites bytes 100..1299 of it.
class RollBackTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeBytes(path_, old_);
        struct stat st {};
        ::stat(path_.c_str(), &st);
        record_ = {UndoRecord::Kind::InPlace,
                   path_.string(),
                   st.st_dev,
                   st.st_ino,
                   old_.size(),
                   old_.size(),
                   0,
                   {UndoRegion::between(100, std::span(old_).subspan(100, 1200),
                                        std::span(new_).subspan(100, 1200))}};
    }
    // Writes `bytes` into the file at `offset`, keeping its inode.
    void poke(std::uint64_t offset, const Bytes& bytes) const {
        const int fd = ::open(path_.c_str(), O_WRONLY);
        ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)),
                  static_cast<ssize_t>(bytes.size()));
        ::close(fd);
    }
    Bytes newBlocks(std::uint64_t from, std::uint64_t to) const {
        return Bytes(new_.begin() + static_cast<long>(from), new_.begin() + static_cast<long>(to));
    }

    test::TempDir dir_;
    fs::path path_ = dir_ / "song.mp3";
    Bytes old_ = pattern(3000, 7);
    Bytes new_ = pattern(3000, 13);
    UndoRecord record_;
};

TEST_F(RollBackTest, AFileIsPutBackOnlyWhenEachBlockIsOldOrNew) {
    const std::string notTheFile = "it is no longer the file that was being saved";
    const std::string changed = "its tags were changed by another program since";
    struct Case {
        const char* name;
        std::function<void()> afterKill;  // what the file went through after the save's kill
        bool restored;                    // else the file stays as afterKill left it
        std::string left;                 // the reason it was left, if it was
    };
    const Case cases[] = {
        {"never reached", [] {}, false, ""},
        {"first block written", [&] { poke(100, newBlocks(100, 512)); }, true, ""},
        {"two blocks written", [&] { poke(100, newBlocks(100, 1024)); }, true, ""},
        // The save reached its end for this file: it stays new.
        {"all written", [&] { poke(100, newBlocks(100, 1300)); }, false, ""},
        {"a byte no save wrote",
         [&] {
             poke(100, newBlocks(100, 1300));
             poke(700, {0xEE});
         },
         false, changed},
        {"another program's edit of an untouched block", [&] { poke(1100, {0xEE}); }, false,
         changed},
        {"grown since",
         [&] {
             poke(3000, {1, 2, 3});
         },
         false, notTheFile},
        {"replaced by another file",
         [&] {
             test::writeBytes(dir_ / "other", new_);
             fs::rename(dir_ / "other", path_);
         },
         false, notTheFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.afterKill();
        const Bytes killed = test::readBytes(path_);
        const RollBackOutcome outcome = rollBack({record_});
        EXPECT_EQ(test::readBytes(path_), c.restored ? old_ : killed);
        EXPECT_EQ(outcome.restored,
                  c.restored ? std::vector{path_.string()} : std::vector<std::string>{});
        if (c.left.empty()) {
            EXPECT_TRUE(outcome.left.empty());
        } else {
            ASSERT_EQ(outcome.left.size(), 1u);
            EXPECT_EQ(outcome.left[0].fileName, path_.string());
            EXPECT_EQ(base::worded(outcome.left[0].reason), c.left);
        }
    }
}

// The file's size changed too: an ID3v1 tag appended or cut off, blocks inserted at its
// start. Half-way through, all of it is undone; at its end, the file stays.
TEST_F(RollBackTest, ChangesOfTheFilesSizeAreUndoneWithItsTag) {
    enum class Id3v1 { None, Append, Cut };
    struct Case {
        const char* name;
        std::uint64_t inserted;
        Id3v1 id3v1;
        std::size_t tagWritten;  // bytes of the new tag written before the kill
        bool id3v1Done;          // the ID3v1 tag was appended or cut before the kill
    };
    const Case cases[] = {
        {"appended, tag half written", 0, Id3v1::Append, 512, true},
        {"append not reached", 0, Id3v1::Append, 512, false},
        {"appended, tag whole", 0, Id3v1::Append, 1300, true},
        {"cut off, tag half written", 0, Id3v1::Cut, 512, true},
        {"cut not reached", 0, Id3v1::Cut, 512, false},
        {"inserted, nothing written", 4096, Id3v1::None, 0, false},
        {"inserted, tag half written", 4096, Id3v1::Cut, 512, false},
        {"inserted, all done", 4096, Id3v1::Append, 4096 + 1300, true},
    };
    const bool inserts = insertsRanges(dir_.path().string(), record_.device);
    const Bytes v1 = pattern(128, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.inserted > 0 && !inserts)
            continue;  // this file system cannot insert blocks
        SetUp();
        UndoRecord record = record_;
        record.inserted = c.inserted;
        Bytes before(c.inserted, 0);
        before.insert(before.end(), old_.begin(), old_.begin() + 1300);
        const Bytes after = pattern(before.size(), 13);
        const std::uint64_t grown = old_.size() + c.inserted;
        record.regions = {UndoRegion::between(0, before, after)};
        record.newSize = grown;
        if (c.id3v1 == Id3v1::Append) {
            record.regions.push_back(UndoRegion::between(grown, {}, v1));
            record.newSize = grown + 128;
        } else if (c.id3v1 == Id3v1::Cut) {
            record.regions.push_back(
                UndoRegion::between(grown - 128, std::span(old_).last(128), {}));
            record.newSize = grown - 128;
        }

        const int fd = ::open(path_.c_str(), O_RDWR);
        if (c.inserted > 0) {
            ASSERT_FALSE(insertRange(fd, c.inserted));
        }
        ASSERT_EQ(::pwrite(fd, after.data(), c.tagWritten, 0), static_cast<ssize_t>(c.tagWritten));
        if (c.id3v1Done && c.id3v1 == Id3v1::Append) {
            ASSERT_EQ(::pwrite(fd, v1.data(), 128, static_cast<off_t>(grown)), 128);
        }
        if (c.id3v1Done && c.id3v1 == Id3v1::Cut) {
            ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(grown - 128)), 0);
        }
        ::close(fd);
        const Bytes killed = test::readBytes(path_);

        const RollBackOutcome outcome = rollBack({record});
        EXPECT_TRUE(outcome.left.empty());
        EXPECT_EQ(test::readBytes(path_), c.tagWritten == after.size() ? killed : old_);
    }
}

// A write cut short by a full disk can end inside a block, which then holds neither its old
// nor its new bytes: the journal's roll-back must take that for someone else's change and
// leave it, but the save that made it puts every old byte back at once.
TEST_F(RollBackTest, TheSaveItselfUndoesAWriteCutShortInsideABlock) {
    for (const std::uint64_t inserted : {std::uint64_t{0}, std::uint64_t{4096}}) {
        SCOPED_TRACE(inserted);
        if (inserted > 0 && !insertsRanges(dir_.path().string(), record_.device))
            continue;  // this file system cannot insert blocks
        SetUp();
        UndoRecord record = record_;
        record.inserted = inserted;
        Bytes before(inserted, 0);
        before.insert(before.end(), old_.begin(), old_.begin() + 1300);
        const Bytes after = pattern(before.size(), 13);
        record.regions = {UndoRegion::between(0, before, after)};
        record.newSize = old_.size() + inserted;

        const int fd = ::open(path_.c_str(), O_RDWR);
        if (inserted > 0) {
            ASSERT_FALSE(insertRange(fd, inserted));
        }
        const std::size_t cut = inserted + 700;
        ASSERT_EQ(::pwrite(fd, after.data(), cut, 0), static_cast<ssize_t>(cut));
        const Bytes torn = test::readBytes(path_);
        EXPECT_FALSE(rollBack({record}).left.empty());
        EXPECT_EQ(test::readBytes(path_), torn);
        EXPECT_EQ(test::whyNot(putBackOldBytes(fd, record)), "");
        ::close(fd);
        EXPECT_EQ(test::readBytes(path_), old_);
    }
}

TEST(UndoJournals, ARunningSavesJournalIsLeftAloneAndADeadOnesIsRolledBack) {
    test::TempDir state;
    test::TempDir music;
    const fs::path path = music / "a.mp3";
    const Bytes old = pattern(600, 7);
    const Bytes fresh = pattern(600, 13);
    // As a kill half-way through the write left it.
    test::writeBytes(path, test::join({Bytes(fresh.begin(), fresh.begin() + 512),
                                       Bytes(old.begin() + 512, old.end())}));
    struct stat st {};
    ::stat(path.c_str(), &st);
    Bytes records;
    appendUndoRecord({UndoRecord::Kind::InPlace,
                      path.string(),
                      st.st_dev,
                      st.st_ino,
                      600,
                      600,
                      0,
                      {UndoRegion::between(0, old, fresh)}},
                     records);
    appendUndoRecord(
        {UndoRecord::Kind::NewName, (music / ".tw-save-1").string(), 0, 0, 0, 0, 0, {}}, records);
    test::writeBytes(music / ".tw-save-1", fresh);
    {
        UndoJournal running(state.path());
        ASSERT_EQ(test::whyNot(running.append(records)), "");
        ASSERT_EQ(test::whyNot(running.flush()), "");
        const Bytes half = test::readBytes(path);
        EXPECT_EQ(rollBackJournals(state.path()), RollBackOutcome{});
        EXPECT_EQ(test::readBytes(path), half);
    }  // it ends without clearing, as a process that was killed

    ASSERT_EQ(std::distance(fs::directory_iterator(state.path()), fs::directory_iterator()), 1);
    const RollBackOutcome outcome = rollBackJournals(state.path());
    EXPECT_EQ(outcome.restored, std::vector{path.string()});
    EXPECT_EQ(test::readBytes(path), old);
    EXPECT_FALSE(fs::exists(music / ".tw-save-1"));
    EXPECT_TRUE(fs::is_empty(state.path()));
}

TEST(UndoJournals, ADamagedJournalIsReportedAtEveryStartUntilTheUserRemovesIt) {
    test::TempDir state;
    const base::AppPaths saved = base::appPaths();
    base::setAppPaths({.programFolder = "/nowhere",
                       .installDataFolder = "/nowhere",
                       .userDataFolder = "/nowhere",
                       .userConfigFolder = "/nowhere",
                       .userStateFolder = state.path()});
    Bytes records;
    appendUndoRecord(sampleRecords()[0], records);
    records[records.size() / 2] ^= 1;

    // A journal, or the records a roll-back kept because they could not be applied.
    for (const char* name : {"undo-0123abcd.journal", "undo-0123abcd.journal.unapplied"}) {
        SCOPED_TRACE(name);
        test::writeBytes(state / name, records);
        const std::string kept = (state / name).string() + ".damaged";
        for (int start = 0; start < 2; ++start) {
            test::FakeUserPort port;
            EXPECT_EQ(rollBackInterruptedSaves(port).keptJournals, std::vector{kept}) << start;
            ASSERT_EQ(port.messages.size(), 1u) << start;
            EXPECT_NE(port.messages[0].find(kept), std::string::npos) << port.messages[0];
            EXPECT_EQ(test::readBytes(kept), records);
        }
        fs::remove(kept);
        test::FakeUserPort port;
        EXPECT_EQ(rollBackInterruptedSaves(port), RollBackOutcome{});
        EXPECT_TRUE(port.messages.empty());
    }
    base::setAppPaths(saved);
}

TEST(UndoJournals, AJournalEmptiedByItsSaveIsRemovedWithIt) {
    test::TempDir state;
    {
        UndoJournal journal(state.path() / "deeper");
        Bytes records;
        appendUndoRecord(sampleRecords()[1], records);
        ASSERT_EQ(test::whyNot(journal.append(records)), "");
        EXPECT_EQ(fs::status(state.path() / "deeper").permissions() & fs::perms::all,
                  fs::perms::owner_all);
        ASSERT_EQ(test::whyNot(journal.clear()), "");
        EXPECT_EQ(fs::file_size(journal.file()), 0u);
    }
    EXPECT_TRUE(fs::is_empty(state.path() / "deeper"));
}

// Root may write into any folder, so the journal's folder lies under a regular file.
TEST(UndoJournals, AJournalThatCannotBeMadeNamesItsFolderAndTheSystemsError) {
    test::TempDir state;
    test::writeBytes(state / "a-file", test::bytesOf("x"));
    const fs::path folder = state / "a-file" / "tunewright";
    UndoJournal journal(folder);
    Bytes records;
    appendUndoRecord(sampleRecords()[1], records);
    const base::Outcome appended = journal.append(records);
    ASSERT_FALSE(appended);
    EXPECT_EQ(appended.failure().what, folder.string());
    EXPECT_EQ(appended.failure().system, std::errc::not_a_directory);
    EXPECT_EQ(base::worded(appended.failure().why), appended.failure().system.message());
    EXPECT_TRUE(journal.file().empty());
}

}  // namespace
}  // namespace tw::core
