// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/range_insert.h"

#include <fcntl.h>
#include <linux/falloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace tw::core {

namespace {

std::error_code lastError() {
    return {errno, std::system_category()};
}

bool unsupported(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOSYS;
}

// A real insertion into a scratch file of the folder: asking with arguments that must fail
// would tell nothing certain, and some file systems take any length. Nothing when no
// scratch file can be made there (a folder the user may not write, say).
std::optional<bool> tryOnScratchFile(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0)
        return unsupported(errno) ? std::optional(false) : std::nullopt;
    struct stat st {};
    bool inserted = false;
    if (::fstat(fd, &st) == 0 && st.st_blksize > 0) {
        const std::vector<char> block(static_cast<std::size_t>(st.st_blksize) * 2, 1);
        inserted = ::write(fd, block.data(), block.size()) == static_cast<ssize_t>(block.size()) &&
                   ::fallocate(fd, FALLOC_FL_INSERT_RANGE, 0, st.st_blksize) == 0;
    }
    ::close(fd);
    return inserted;
}

}  // namespace

bool insertsRanges(const std::string& folder, dev_t device) {
    static std::mutex mutex;
    static std::map<dev_t, bool> known;
    const std::lock_guard lock(mutex);
    const auto found = known.find(device);
    if (found != known.end())
        return found->second;
    const std::optional<bool> tried = tryOnScratchFile(folder);
    if (tried)
        known[device] = *tried;
    return tried.value_or(false);
}

std::error_code insertRange(int fd, std::uint64_t length) {
    return ::fallocate(fd, FALLOC_FL_INSERT_RANGE, 0, static_cast<off_t>(length)) == 0
               ? std::error_code{}
               : lastError();
}

std::error_code collapseRange(int fd, std::uint64_t length) {
    return ::fallocate(fd, FALLOC_FL_COLLAPSE_RANGE, 0, static_cast<off_t>(length)) == 0
               ? std::error_code{}
               : lastError();
}

}  // namespace tw::core
