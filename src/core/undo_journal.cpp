// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/undo_journal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "base/app_paths.h"
#include "base/file_ops.h"

namespace tw::core {

namespace {

constexpr std::string_view kPrefix = "undo-";
constexpr std::string_view kSuffix = ".journal";

std::error_code lastError() {
    return {errno, std::generic_category()};
}

}  // namespace

base::Outcome makePrivateFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (!error && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        error = lastError();
    if (error)
        return base::Failure::ofSystem(folder.string(), error);
    return {};
}

UndoJournal::UndoJournal(std::filesystem::path folder) : folder_(std::move(folder)) {}

UndoJournal::~UndoJournal() {
    // Still under the lock, so no roll-back can be reading it.
    if (fd_.valid() && length_ == 0)
        ::unlink(file_.c_str());
}

void UndoJournal::abandon() {
    fd_.reset();
}

base::Outcome UndoJournal::open() {
    if (base::Outcome made = makePrivateFolder(folder_); !made)
        return made;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::filesystem::path path =
            folder_ / (std::string(kPrefix) + base::randomHex(8) + std::string(kSuffix));
        const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return base::Failure::ofSystem(folder_.string(), lastError());
        // A roll-back that starts meanwhile may find the new, empty file, take its lock and
        // remove it; the file is ours only if it still has its name once we hold the lock.
        struct stat held {};
        struct stat named {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &held) == 0 && held.st_nlink > 0 &&
            ::stat(path.c_str(), &named) == 0 && named.st_ino == held.st_ino &&
            named.st_dev == held.st_dev) {
            fd_.reset(fd);
            file_ = path;
            // The name must survive a power cut as long as the records do.
            base::syncFolder(folder_.string());
            return {};
        }
        ::close(fd);
    }
    return base::Failure::ofSystem(folder_.string(), std::make_error_code(std::errc::file_exists));
}

base::Outcome UndoJournal::append(std::span<const std::uint8_t> records) {
    if (!fd_.valid()) {
        if (base::Outcome opened = open(); !opened)
            return opened;
    }
    if (const std::error_code error = base::writeAt(fd_.get(), length_, records))
        return base::Failure::ofSystem(file_.string(), error);
    length_ += records.size();
    return {};
}

base::Outcome UndoJournal::flush() {
    if (!fd_.valid() || length_ == 0)
        return {};
    if (::fdatasync(fd_.get()) != 0)
        return base::Failure::ofSystem(file_.string(), lastError());
    return {};
}

base::Outcome UndoJournal::clear() {
    if (!fd_.valid() || length_ == 0)
        return {};
    if (::ftruncate(fd_.get(), 0) != 0)
        return base::Failure::ofSystem(file_.string(), lastError());
    length_ = 0;
    return {};
}

UndoJournal& processUndoJournal() {
    static std::unique_ptr<UndoJournal> journal;
    static pid_t owner = 0;
    const std::filesystem::path folder = base::appPaths().userStateFolder;
    if (journal && owner != ::getpid()) {
        journal->abandon();
        journal.reset();
    }
    if (!journal || journal->folder() != folder) {
        journal = std::make_unique<UndoJournal>(folder);
        owner = ::getpid();
    }
    return *journal;
}

bool isUndoJournalName(std::string_view name) {
    return name.starts_with(kPrefix) && name.ends_with(kSuffix);
}

}  // namespace tw::core
