// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/save_batch.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "base/file_ops.h"
#include "base/language.h"
#include "base/string_ids.h"
#include "core/file_failure.h"
#include "core/pending_save.h"
#include "core/save_batch_flush.h"
#include "core/tag_file_writer.h"
#include "core/undo_journal.h"
#include "core/undo_record.h"

namespace tw::core {

namespace {

// What a group may hold in memory: old and new bytes of its tags.
constexpr std::size_t kMostBytesAtOnce = 64 * 1024 * 1024;

// How many files a group may hold open: each flush costs the same for one file as for a
// thousand, so as many as the descriptor limit leaves room for (two each: a file and its
// new file), keeping some for the rest of the program.
std::size_t mostFilesAtOnce() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 256;
    const rlim_t usable = limit.rlim_cur > 128 ? (limit.rlim_cur - 128) / 2 : 16;
    return static_cast<std::size_t>(std::clamp<rlim_t>(usable, 16, 2048));
}

std::error_code lastError() {
    return {errno, std::system_category()};
}

}  // namespace

struct SaveBatch::Entry {
    std::unique_ptr<PendingSave> save;
    std::function<void(const SavedFile&)> written;
    std::size_t index = 0;
    std::optional<base::Failure> failure;

    bool alive() const { return !failure; }
    bool is(PendingSave::Way way) const { return alive() && save->way() == way; }
    void fail(base::Message why, std::error_code system = {}) {
        failure = base::Failure{save->path(), std::move(why), system};
    }
    // A file written in place whose write cannot be made durable gets its old bytes back.
    // A new file renamed into place was flushed before, so it stays.
    void undoInPlace(base::Message why, std::error_code system) {
        if (!is(PendingSave::Way::InPlace))
            return;
        save->undoInPlace();
        fail(std::move(why), system);
    }
};

SaveBatch::SaveBatch(SaveOptions options)
    : options_(options),
      journal_(processUndoJournal()),
      keptUndo_(KeptBatch::Save),
      mostFiles_(mostFilesAtOnce()) {}

// A batch that is not finished writes nothing more; its new files go with it.
SaveBatch::~SaveBatch() = default;

std::size_t SaveBatch::add(TagFileWriter& writer, std::function<void(const SavedFile&)> written) {
    const std::size_t index = outcomes_.size();
    outcomes_.emplace_back();
    base::Result<std::unique_ptr<PendingSave>> prepared =
        writer.prepare(!options_.probe.newFilesForGrowth);
    if (!prepared) {
        outcomes_[index] = prepared.failure();
        return index;
    }
    std::unique_ptr<PendingSave> save = std::move(prepared).value();
    if (!save)
        return index;
    if (save->way() == PendingSave::Way::Nothing) {
        if (written)
            written(save->saved());
        return index;
    }
    groupBytes_ += save->heldBytes();
    group_.push_back({std::move(save), std::move(written), index, std::nullopt});
    if (group_.size() >= mostFiles_ || groupBytes_ >= kMostBytesAtOnce)
        writeGroup();
    return index;
}

std::vector<base::Outcome> SaveBatch::finish() {
    writeGroup();
    return outcomes_;
}

bool SaveBatch::journal(std::vector<Entry>& group) {
    std::vector<std::uint8_t> records;
    for (const Entry& entry : group)
        for (const UndoRecord& record : entry.save->undoRecords())
            appendUndoRecord(record, records);
    base::Outcome journaled = journal_.append(records);
    if (journaled) {
        options_.probe.reached(SaveStep::JournalWritten);
        journaled = journal_.flush();
    }
    if (!journaled) {
        // Without a journal no way is safe: a kill in place could not be undone, and the
        // hidden name of a new file would stay in the music folder for good. Records already
        // appended name files that are still untouched, so whatever of them stays is harmless.
        (void)journal_.clear();
        const base::Failure& failure = journaled.failure();
        const base::Message why(base::ids::kSaveJournalUnwritable, failure.why, failure.what);
        for (Entry& entry : group)
            entry.fail(why, failure.system);
        return false;
    }
    options_.probe.reached(SaveStep::JournalFlushed);
    return true;
}

void SaveBatch::writeNewFiles(std::vector<Entry>& group) {
    bool any = false;
    for (Entry& entry : group) {
        if (!entry.is(PendingSave::Way::Rewrite))
            continue;
        if (base::Outcome written = entry.save->writeNewFile(options_.probe); !written)
            entry.failure = written.failure();
        any = true;
    }
    if (any)
        flushFiles(group, true);
}

bool SaveBatch::flushesFileSystem(const std::vector<Entry>& group) const {
    if (options_.flush != FlushMode::Adaptive)
        return options_.flush == FlushMode::FileSystem;
    std::uint64_t own = 0;
    for (const Entry& entry : group)
        if (entry.alive())
            own += entry.save->heldBytes();
    return fileSystemFlushIsCheap(readMeminfo(), own);
}

// Flushes the new files before they replace the old ones (newFiles), or every file once its
// new tags are in.
void SaveBatch::flushFiles(std::vector<Entry>& group, bool newFiles) {
    auto fdOf = [&](const Entry& entry) {
        return newFiles ? entry.save->newFileFd() : entry.save->fd();
    };
    auto concerned = [&](const Entry& entry) {
        return newFiles ? entry.is(PendingSave::Way::Rewrite) : entry.alive();
    };
    auto failed = [&](Entry& entry, std::error_code ec) {
        base::Message why = failureReason(base::ids::kSaveFailFlush, entry.save->path(), ec);
        if (newFiles)
            entry.fail(std::move(why), ec);
        else
            entry.undoInPlace(std::move(why), ec);
    };

    if (flushesFileSystem(group)) {
        std::vector<dev_t> done;
        for (const Entry& entry : group) {
            if (!concerned(entry) ||
                std::find(done.begin(), done.end(), entry.save->device()) != done.end())
                continue;
            const dev_t device = entry.save->device();
            done.push_back(device);
            if (::syncfs(fdOf(entry)) == 0)
                continue;
            const std::error_code ec = lastError();
            for (Entry& other : group)
                if (concerned(other) && other.save->device() == device)
                    failed(other, ec);
        }
    } else {
        std::vector<std::string> folders;
        std::vector<Entry*> flushed;
        std::vector<FileToFlush> files;
        for (Entry& entry : group) {
            if (!concerned(entry))
                continue;
            if (!newFiles && entry.save->way() == PendingSave::Way::Rewrite) {
                const std::string folder = entry.save->changedFolder();
                if (std::find(folders.begin(), folders.end(), folder) == folders.end())
                    folders.push_back(folder);
                continue;
            }
            flushed.push_back(&entry);
            files.push_back({fdOf(entry), entry.save->path()});
        }
        const std::vector<base::Outcome> outcomes = flushTogether(files);
        for (std::size_t i = 0; i < flushed.size(); ++i)
            if (!outcomes[i])
                failed(*flushed[i], outcomes[i].failure().system);
        for (const std::string& folder : folders)
            base::syncFolder(folder);  // the renames are done
    }
    options_.probe.reached(newFiles ? SaveStep::NewFilesFlushed : SaveStep::FilesFlushed);
}

// Kept before the journal that holds it goes: a kill in between leaves a kept undo that finds
// its files rolled back, which it then leaves alone, rather than none at all.
void SaveBatch::keepUndo(const std::vector<Entry>& group) {
    std::vector<UndoRecord> records;
    for (const Entry& entry : group) {
        if (entry.is(PendingSave::Way::InPlace)) {
            records.push_back(*entry.save->undoRecord());
        } else if (entry.is(PendingSave::Way::Rewrite)) {
            records.emplace_back();
            records.back().kind = UndoRecord::Kind::Rewritten;
            records.back().path = entry.save->path();
        }
    }
    // Without it the saves still stand; "undo" then finds nothing to undo and says so.
    if (!records.empty())
        (void)keptUndo_.keep(records);
}

void SaveBatch::writeGroup() {
    if (group_.empty())
        return;
    std::vector<Entry> group = std::move(group_);
    group_.clear();
    groupBytes_ = 0;

    if (!journal(group)) {
        for (Entry& entry : group)
            outcomes_[entry.index] = *entry.failure;
        return;
    }
    writeNewFiles(group);
    for (Entry& entry : group)
        if (entry.alive())
            if (base::Outcome applied = entry.save->apply(options_.probe); !applied)
                entry.failure = applied.failure();
    flushFiles(group, false);
    keepUndo(group);
    if (const base::Outcome cleared = journal_.clear(); !cleared) {
        // Left as it is, the journal would undo these saves at the next start.
        for (Entry& entry : group)
            entry.undoInPlace(failureReason(base::ids::kSaveFailClearJournal,
                                            cleared.failure().what, cleared.failure().system),
                              cleared.failure().system);
    }
    options_.probe.reached(SaveStep::JournalCleared);

    for (Entry& entry : group) {
        if (entry.failure)
            outcomes_[entry.index] = *entry.failure;
        else if (entry.written)
            entry.written(entry.save->saved());
    }
}

}  // namespace tw::core
