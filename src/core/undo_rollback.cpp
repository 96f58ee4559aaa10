// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/undo_rollback.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <span>

#include "base/app_paths.h"
#include "base/file_ops.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "base/unique_fd.h"
#include "base/user_port.h"
#include "core/range_insert.h"
#include "core/undo_journal.h"

namespace tw::core {

namespace {

namespace ids = base::ids;

// A journal larger than this is no journal: one holds one batch of regions, each at most an
// ID3v2 tag.
constexpr std::uint64_t kMostJournal = 512ull * 1024 * 1024;

// What the blocks of a file's regions hold.
struct Blocks {
    bool anyNew = false;  // the save reached one
    bool anyOld = false;  // the save did not reach one
};

// Whether the region, as far as the file of `size` bytes still holds it, is made of blocks
// each holding its old or its new bytes, and which of them.
std::optional<bool> regionIsOldOrNew(int fd, std::uint64_t size, const UndoRegion& region,
                                     Blocks& blocks) {
    const std::uint64_t span = std::max<std::uint64_t>(region.oldBytes.size(), region.newLength);
    const std::uint64_t end = std::min(size, region.offset + span);
    if (end <= region.offset)
        return true;  // wholly behind the end: the file never grew there, or shrank back
    std::vector<std::uint8_t> now(static_cast<std::size_t>(end - region.offset));
    if (base::readAt(fd, region.offset, now))
        return std::nullopt;
    std::size_t block = 0;
    bool whole = true;
    forEachBlock(region.offset, end - region.offset, [&](std::uint64_t at, std::uint64_t length) {
        const std::size_t from = static_cast<std::size_t>(at - region.offset);
        const std::span<const std::uint8_t> bytes(now.data() + from,
                                                  static_cast<std::size_t>(length));
        const bool old = from + length <= region.oldBytes.size() &&
                         std::equal(bytes.begin(), bytes.end(),
                                    region.oldBytes.begin() + static_cast<std::ptrdiff_t>(from));
        const bool fresh = from + length <= region.newLength && block < region.newHashes.size() &&
                           blockHash(bytes) == region.newHashes[block];
        // A block both old and new changed nothing; one neither was changed by someone else.
        blocks.anyNew |= fresh && !old;
        blocks.anyOld |= old && !fresh;
        whole &= old || fresh;
        ++block;
    });
    return whole;
}

// A kill between inserting blocks at a file's start and writing the new tag into them
// leaves zeros there that hide the old tag behind them from every reader. Once the file has
// changed since (or a copy took its place), nothing else of the save may be undone, but zeros
// still followed by the file's old start are ours alone: taking them out again shows its
// tags. Whether it did.
bool takeOutInsertedZeros(int fd, const UndoRecord& record) {
    if (record.inserted == 0)
        return false;
    // The regions at the start: the old tag's first block follows the inserted ones.
    auto atStart = [&](const UndoRegion& region) {
        return region.offset < record.inserted + kUndoBlock;
    };
    std::uint64_t end = record.inserted;
    for (const UndoRegion& region : record.regions)
        if (atStart(region))
            end = std::max<std::uint64_t>(end, region.offset + region.oldBytes.size());
    std::vector<std::uint8_t> now(static_cast<std::size_t>(end));
    if (base::readAt(fd, 0, now) ||
        !std::all_of(now.begin(), now.begin() + static_cast<std::ptrdiff_t>(record.inserted),
                     [](std::uint8_t byte) { return byte == 0; }))
        return false;
    for (const UndoRegion& region : record.regions)
        if (atStart(region) &&
            !std::equal(region.oldBytes.begin(), region.oldBytes.end(),
                        now.begin() + static_cast<std::ptrdiff_t>(region.offset)))
            return false;
    return !collapseRange(fd, record.inserted) && ::fdatasync(fd) == 0;
}

base::Message leftAlone(int fd, const UndoRecord& record, int reasonId) {
    return takeOutInsertedZeros(fd, record) ? base::Message(ids::kRollBackRoomTakenOut)
                                            : base::Message(reasonId);
}

bool isTheFile(const struct stat& st, const UndoRecord& record) {
    return S_ISREG(st.st_mode) && st.st_dev == record.device && st.st_ino == record.inode;
}

// Where the file of the record is now: at its path, else by device and inode in its path's
// folder (a rename beside it) or anywhere under `elsewhere` (a move). Its path when it is
// nowhere to be found, for the failure to name.
std::string whereNow(const UndoRecord& record,
                     const std::vector<std::filesystem::path>& elsewhere) {
    struct stat st {};
    if (::stat(record.path.c_str(), &st) == 0 && isTheFile(st, record))
        return record.path;
    auto findIn = [&](const std::filesystem::path& folder,
                      bool deep) -> std::optional<std::string> {
        std::error_code ec;
        const auto options = std::filesystem::directory_options::skip_permission_denied;
        for (auto it = std::filesystem::recursive_directory_iterator(folder, options, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (!deep)
                it.disable_recursion_pending();
            struct stat at {};
            if (::lstat(it->path().c_str(), &at) == 0 && isTheFile(at, record))
                return it->path().string();
        }
        return std::nullopt;
    };
    if (auto beside = findIn(std::filesystem::path(base::folderOf(record.path)), false))
        return *beside;
    for (const std::filesystem::path& folder : elsewhere)
        if (auto moved = findIn(folder, true))
            return *moved;
    return record.path;
}

[[nodiscard]] std::optional<base::Message> restoreInPlace(const UndoRecord& record,
                                                          const std::string& path, bool& restored) {
    const base::UniqueFd file(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0 && errno == ENOENT)
        return base::Message(ids::kRollBackNotFound);
    if (file.get() < 0)
        return base::Message(ids::kSaveCannotRead, std::strerror(errno));
    struct stat now {};
    if (::fstat(file.get(), &now) != 0)
        return base::Message(ids::kSaveCannotRead, std::strerror(errno));
    const auto size = static_cast<std::uint64_t>(now.st_size);
    const bool same = isTheFile(now, record);
    // Inserted bytes come first: at the old size the save never reached the file.
    const std::uint64_t grown = record.oldSize + record.inserted;
    if (same && record.inserted > 0 && size == record.oldSize)
        return std::nullopt;
    if (!S_ISREG(now.st_mode))
        return base::Message(ids::kRollBackNotTheFile);
    if (!same || (size != grown && size != record.newSize))
        return leftAlone(file.get(), record, ids::kRollBackNotTheFile);

    Blocks blocks{.anyNew = size != record.oldSize, .anyOld = false};
    for (const UndoRegion& region : record.regions) {
        const auto whole = regionIsOldOrNew(file.get(), size, region, blocks);
        if (!whole)
            return base::Message(ids::kSaveCannotRead, std::strerror(errno ? errno : EIO));
        if (!*whole)
            return leftAlone(file.get(), record, ids::kRollBackChangedSince);
    }
    // A save that never reached the file, or one that wrote all of it, left it whole.
    if (!blocks.anyNew || (size == record.newSize && !blocks.anyOld))
        return std::nullopt;

    if (const base::Outcome putBack = putBackOldBytes(file.get(), record); !putBack)
        return base::Message(ids::kSaveCannotWrite, putBack.failure().why);
    restored = true;
    return std::nullopt;
}

void removeNewName(const UndoRecord& record) {
    struct stat named {};
    if (::lstat(record.path.c_str(), &named) == 0 && S_ISREG(named.st_mode))
        ::unlink(record.path.c_str());
}

std::optional<std::vector<std::uint8_t>> readJournal(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || static_cast<std::uint64_t>(st.st_size) > kMostJournal)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
    if (base::readAt(fd, 0, bytes))
        return std::nullopt;
    return bytes;
}

}  // namespace

base::Outcome putBackOldBytes(int fd, const UndoRecord& record) {
    const auto failed = [&](std::error_code error) {
        return base::Failure::ofSystem(record.path, error);
    };
    for (const UndoRegion& region : record.regions) {
        const std::uint64_t inInserted =
            region.offset < record.inserted ? record.inserted - region.offset : 0;
        if (inInserted >= region.oldBytes.size())
            continue;
        const auto bytes = std::span(region.oldBytes).subspan(static_cast<std::size_t>(inInserted));
        if (const std::error_code ec = base::writeAt(fd, region.offset + inInserted, bytes))
            return failed(ec);
    }
    const std::uint64_t grown = record.oldSize + record.inserted;
    if (::ftruncate(fd, static_cast<off_t>(grown)) != 0)
        return failed({errno, std::generic_category()});
    if (record.inserted > 0)
        if (const std::error_code ec = collapseRange(fd, record.inserted))
            return failed(ec);
    if (::fdatasync(fd) != 0)
        return failed({errno, std::generic_category()});
    return {};
}

std::optional<base::Message> changedSinceSave(int fd, const UndoRecord& record) {
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return base::Message(ids::kSaveCannotRead, std::strerror(errno));
    if (!isTheFile(now, record))
        return base::Message(ids::kRollBackNotTheFile);
    const auto size = static_cast<std::uint64_t>(now.st_size);
    if (size != record.newSize)
        return base::Message(ids::kUndoChangedSince);
    Blocks blocks;
    for (const UndoRegion& region : record.regions) {
        const auto whole = regionIsOldOrNew(fd, size, region, blocks);
        if (!whole)
            return base::Message(ids::kSaveCannotRead, std::strerror(errno ? errno : EIO));
        if (!*whole || blocks.anyOld)
            return base::Message(ids::kUndoChangedSince);
    }
    return std::nullopt;
}

RollBackOutcome rollBack(const std::vector<UndoRecord>& records,
                         const std::vector<std::filesystem::path>& elsewhere) {
    RollBackOutcome outcome;
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        if (record->kind == UndoRecord::Kind::NewName)
            removeNewName(*record);
        if (record->kind != UndoRecord::Kind::InPlace)
            continue;
        bool restored = false;
        const std::string path = whereNow(*record, elsewhere);
        if (auto why = restoreInPlace(*record, path, restored)) {
            outcome.left.push_back({path, std::move(*why)});
            outcome.unapplied.insert(outcome.unapplied.begin(), *record);
        } else {
            (restored ? outcome.restored : outcome.whole).push_back(path);
        }
    }
    return outcome;
}

namespace {

bool isUnapplied(std::string_view name) {
    return name.ends_with(kUnappliedSuffix) &&
           isUndoJournalName(name.substr(0, name.size() - kUnappliedSuffix.size()));
}

// A journal or a file of unapplied records kept aside as damaged.
bool isDamaged(std::string_view name) {
    if (!name.ends_with(kKeptJournalSuffix))
        return false;
    name.remove_suffix(kKeptJournalSuffix.size());
    return isUndoJournalName(name) || isUnapplied(name);
}

// Keeps the records that could not be applied in `path` (replacing what it held), for the
// next start to try again.
base::Outcome keepUnapplied(const std::vector<UndoRecord>& records, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    for (const UndoRecord& record : records)
        appendUndoRecord(record, bytes);
    base::ReplacementFile file(path);
    std::error_code ec = file.write(bytes.data(), bytes.size());
    if (!ec)
        ec = file.commit();
    if (ec)
        return base::Failure::ofSystem(path, ec);
    return {};
}

// Rolls back one journal, or a file of unapplied records, which `fd` holds locked.
void rollBackOne(int fd, const std::string& path, bool unappliedBefore, const Recovery& recovery,
                 RollBackOutcome& outcome) {
    const auto bytes = readJournal(fd);
    const UndoJournalContents contents =
        bytes ? readUndoJournal(*bytes) : UndoJournalContents{.records = {}, .damaged = true};
    RollBackOutcome one = rollBack(contents.records, recovery.elsewhere);
    outcome.restored.insert(outcome.restored.end(), one.restored.begin(), one.restored.end());
    outcome.whole.insert(outcome.whole.end(), one.whole.begin(), one.whole.end());
    if (unappliedBefore && recovery.forgetLeft && !contents.damaged) {
        for (const FileFailure& left : one.left)
            outcome.forgotten.push_back(left.fileName);
        ::unlink(path.c_str());
        return;
    }
    outcome.left.insert(outcome.left.end(), one.left.begin(), one.left.end());
    // Renamed or removed under the lock, so the process that made it, if it just did, sees
    // that.
    if (contents.damaged) {
        const std::string kept = path + std::string(kKeptJournalSuffix);
        outcome.keptJournals.push_back(base::renameNoReplace(path, kept) ? path : kept);
        return;
    }
    if (one.unapplied.empty()) {
        ::unlink(path.c_str());
        return;
    }
    const std::string kept = unappliedBefore ? path : path + std::string(kUnappliedSuffix);
    if (unappliedBefore && one.unapplied == contents.records) {
        outcome.unappliedJournals.push_back(kept);
        return;
    }
    // A journal that cannot give its records to the file for them stays as it is.
    if (!keepUnapplied(one.unapplied, kept)) {
        outcome.unappliedJournals.push_back(path);
        return;
    }
    outcome.unappliedJournals.push_back(kept);
    if (!unappliedBefore)
        ::unlink(path.c_str());
}

}  // namespace

RollBackOutcome rollBackJournals(const std::filesystem::path& folder, const Recovery& recovery) {
    RollBackOutcome outcome;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return outcome;  // no save ever needed one
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (isUndoJournalName(name) || isUnapplied(name))
            names.emplace_back(name);
        else if (isDamaged(name))
            outcome.keptJournals.push_back((folder / name).string());
    }
    ::closedir(dir);

    for (const std::string& name : names) {
        const std::filesystem::path path = folder / name;
        const base::UniqueFd journal(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
        // A journal whose process still runs is locked by it.
        if (journal.get() < 0 || ::flock(journal.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        rollBackOne(journal.get(), path.string(), isUnapplied(name), recovery, outcome);
    }
    return outcome;
}

RollBackOutcome rollBackInterruptedSaves(base::UserPort& port) {
    RollBackOutcome outcome = rollBackJournals(base::appPaths().userStateFolder);
    if (!outcome.restored.empty())
        port.showMessage(
            base::UserPort::Severity::Information,
            base::trf(ids::kRollBackRestored, static_cast<int>(outcome.restored.size())));
    for (const std::string& kept : outcome.keptJournals)
        port.showMessage(base::UserPort::Severity::Warning,
                         base::trf(ids::kRollBackJournalKept, kept));
    if (!outcome.left.empty())
        port.showFailedFiles(base::tr(ids::kFailedFilesCaption), base::tr(ids::kRollBackLeft),
                             failureLines(outcome.left));
    for (const std::string& kept : outcome.unappliedJournals)
        port.showMessage(base::UserPort::Severity::Warning,
                         base::trf(ids::kRollBackUndoKept, kept));
    if (!outcome.unappliedJournals.empty())
        port.showMessage(base::UserPort::Severity::Information,
                         base::tr(ids::kRollBackRecoverHint));
    return outcome;
}

}  // namespace tw::core
