// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/kept_undo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/app_paths.h"
#include "base/file_ops.h"
#include "base/unique_fd.h"
#include "core/undo_journal.h"

namespace tw::core {

namespace {

// By its name, a glance at the folder tells which batch is kept.
std::filesystem::path pathOf(KeptBatch batch) {
    return base::appPaths().userStateFolder /
           (batch == KeptBatch::Save ? "last-save.undo" : "last-rename.undo");
}

std::uint64_t sizeOf(const std::vector<std::uint8_t>& bytes) {
    return static_cast<std::uint64_t>(bytes.size());
}

std::vector<std::uint8_t> bytesOf(const UndoRecord& record) {
    std::vector<std::uint8_t> bytes;
    appendUndoRecord(record, bytes);
    return bytes;
}

base::Outcome append(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    const base::UniqueFd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    struct stat st {};
    std::error_code error;
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0)
        error = {errno, std::generic_category()};
    else
        error = base::writeAt(fd.get(), static_cast<std::uint64_t>(st.st_size), bytes);
    if (error)
        return base::Failure::ofSystem(path.string(), error);
    return {};
}

std::vector<std::uint8_t> readWhole(const std::filesystem::path& path, bool& failed) {
    const base::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    failed = fd.get() < 0 || ::fstat(fd.get(), &st) != 0 ||
             static_cast<std::uint64_t>(st.st_size) > 2 * kMostKeptUndo;
    if (failed)
        return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
    failed = static_cast<bool>(base::readAt(fd.get(), 0, bytes));
    return bytes;
}

}  // namespace

KeptUndoWriter::KeptUndoWriter(KeptBatch batch) : path_(pathOf(batch)) {}

base::Outcome KeptUndoWriter::keep(const std::vector<UndoRecord>& records) {
    std::vector<std::uint8_t> bytes;
    for (const UndoRecord& record : records)
        appendUndoRecord(record, bytes);
    base::Outcome kept;
    if (started_ && size_ + sizeOf(bytes) <= kMostKeptUndo) {
        kept = append(path_, bytes);
        size_ += sizeOf(bytes);
    } else {
        std::vector<UndoRecord> all;
        bool failed = false;
        if (started_)
            all = readUndoRecords(readWhole(path_, failed));
        all.insert(all.end(), records.begin(), records.end());
        kept = failed ? base::Failure::ofSystem(path_.string(),
                                                std::make_error_code(std::errc::io_error))
                      : rewrite(std::move(all));
    }
    started_ = true;
    if (!kept)
        forgetKeptUndo();
    return kept;
}

base::Outcome KeptUndoWriter::rewrite(std::vector<UndoRecord> records) {
    std::uint64_t total = 0;
    std::vector<std::uint64_t> sizes;
    for (const UndoRecord& record : records) {
        sizes.push_back(sizeOf(bytesOf(record)));
        total += sizes.back();
    }
    // The oldest first, down to their names.
    for (std::size_t i = 0; i < records.size() && total > kMostKeptUndo; ++i) {
        if (records[i].kind != UndoRecord::Kind::InPlace)
            continue;
        UndoRecord dropped;
        dropped.kind = UndoRecord::Kind::Dropped;
        dropped.path = std::move(records[i].path);
        records[i] = std::move(dropped);
        total = total - sizes[i] + sizeOf(bytesOf(records[i]));
    }
    std::vector<std::uint8_t> bytes;
    for (const UndoRecord& record : records)
        appendUndoRecord(record, bytes);
    // The other batch's undo goes first: whatever happens next, it is no longer the last.
    forgetKeptUndo();
    if (base::Outcome made = makePrivateFolder(path_.parent_path()); !made)
        return made;
    // Not flushed: the save it follows paid for its own flushes, and whatever a power cut
    // leaves of it is checked record by record, and every file against it, before undoing.
    base::TempFile file(path_.parent_path().string(), base::newHiddenName());
    std::error_code ec = file.error();
    if (!ec)
        ec = file.write(bytes.data(), bytes.size());
    if (!ec)
        ec = file.replace(path_.string());
    size_ = sizeOf(bytes);
    if (ec)
        return base::Failure::ofSystem(path_.string(), ec);
    return {};
}

KeptUndo readKeptUndo() {
    const KeptBatch batch = keptBatch();
    if (batch == KeptBatch::None)
        return {};
    bool failed = false;
    const std::vector<std::uint8_t> bytes = readWhole(pathOf(batch), failed);
    UndoJournalContents contents = readUndoJournal(bytes);
    // A kill while it was appended to cuts its end off, which the journal's reader forgives.
    return {.batch = batch,
            .records = std::move(contents.records),
            .damaged = failed || contents.damaged};
}

KeptBatch keptBatch() {
    struct stat st {};
    for (const KeptBatch batch : {KeptBatch::Save, KeptBatch::Rename})
        if (::stat(pathOf(batch).c_str(), &st) == 0)
            return batch;
    return KeptBatch::None;
}

void forgetKeptUndo() {
    for (const KeptBatch batch : {KeptBatch::Save, KeptBatch::Rename})
        ::unlink(pathOf(batch).c_str());
}

}  // namespace tw::core
