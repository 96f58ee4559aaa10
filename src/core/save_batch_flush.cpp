// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/save_batch_flush.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>

namespace tw::core {

namespace {

// Enough flushes in flight for the block layer to merge them; more threads only cost
// their start.
constexpr std::size_t kFlushThreads = 8;
// Below this many files a thread costs more than it saves.
constexpr std::size_t kFilesPerThread = 4;

}  // namespace

std::vector<std::error_code> flushTogether(std::span<const int> fds) {
    std::vector<std::error_code> outcomes(fds.size());
    // Only a hint: a file system without it is flushed by fdatasync() all the same.
    for (const int fd : fds)
        (void)::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);

    std::atomic<std::size_t> next = 0;
    auto flushSome = [&] {
        for (std::size_t i = next++; i < fds.size(); i = next++)
            if (::fdatasync(fds[i]) != 0)
                outcomes[i] = {errno, std::system_category()};
    };
    const std::size_t helpers = std::min(kFlushThreads, fds.size() / kFilesPerThread + 1) - 1;
    {
        std::vector<std::jthread> threads;
        threads.reserve(helpers);
        for (std::size_t i = 0; i < helpers; ++i)
            threads.emplace_back(flushSome);
        flushSome();
    }
    return outcomes;
}

}  // namespace tw::core
