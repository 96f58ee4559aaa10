// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/file_facts.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace tw::core {

namespace {

std::timespec toTimespec(const struct statx_timestamp& t) {
    return std::timespec{static_cast<std::time_t>(t.tv_sec), static_cast<long>(t.tv_nsec)};
}

std::optional<FileFacts> statxFacts(int dirfd, const char* path, int flags) {
    struct statx sx {};
    if (::statx(dirfd, path, flags,
                STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_CTIME | STATX_BTIME, &sx) != 0)
        return std::nullopt;
    FileFacts facts;
    facts.size = sx.stx_size;
    facts.regular = S_ISREG(sx.stx_mode);
    facts.created = toTimespec((sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_ctime);
    facts.changed = toTimespec(sx.stx_mtime);
    return facts;
}

}  // namespace

std::optional<FileFacts> factsOf(int fd) {
    return statxFacts(fd, "", AT_EMPTY_PATH);
}

std::optional<FileFacts> factsOf(const std::string& path) {
    return statxFacts(AT_FDCWD, path.c_str(), 0);
}

std::string fileTimeText(const std::timespec& time) {
    std::tm local{};
    if (!::localtime_r(&time.tv_sec, &local))
        return {};
    char text[64];
    const std::size_t n = std::strftime(text, sizeof text, "%m/%d/%Y, %H:%M.%S", &local);
    return std::string(text, n);
}

}  // namespace tw::core
