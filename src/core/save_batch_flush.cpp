// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/save_batch_flush.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <optional>
#include <thread>

namespace tw::core {

namespace {

// Enough flushes in flight for the block layer to merge them; more threads only cost
// their start.
constexpr std::size_t kFlushThreads = 8;
// Below this many files a thread costs more than it saves.
constexpr std::size_t kFilesPerThread = 4;
// Other programs' dirty data a syncfs() may wait for: a fraction of a second on any disk,
// while a flush per file costs a cache flush each.
constexpr std::uint64_t kOthersDirtyForSyncfs = 8 * 1024 * 1024;

// The kB of the line "name: N kB" of /proc/meminfo.
std::optional<std::uint64_t> meminfoBytes(std::string_view text, std::string_view name) {
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with(name) || line.size() <= name.size() || line[name.size()] != ':')
            continue;
        line.remove_prefix(name.size() + 1);
        while (!line.empty() && line.front() == ' ')
            line.remove_prefix(1);
        std::uint64_t kilobytes = 0;
        const auto [rest, ec] = std::from_chars(line.data(), line.data() + line.size(), kilobytes);
        if (ec != std::errc{} || rest == line.data() || kilobytes > (UINT64_MAX >> 10))
            return std::nullopt;
        return kilobytes << 10;
    }
    return std::nullopt;
}

}  // namespace

bool fileSystemFlushIsCheap(std::string_view meminfoText, std::uint64_t ownBytes) {
    const auto dirty = meminfoBytes(meminfoText, "Dirty");
    const auto writeback = meminfoBytes(meminfoText, "Writeback");
    if (!dirty || !writeback)
        return false;
    const std::uint64_t pending = *dirty + *writeback;
    return pending <= ownBytes || pending - ownBytes <= kOthersDirtyForSyncfs;
}

std::string readMeminfo() {
    std::string text;
    const int fd = ::open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char buffer[8192];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0 && text.size() < 65536;)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(fd);
    return text;
}

std::vector<base::Outcome> flushTogether(std::span<const FileToFlush> files) {
    std::vector<base::Outcome> outcomes(files.size());
    // Only a hint: a file system without it is flushed by fdatasync() all the same.
    for (const FileToFlush& file : files)
        (void)::sync_file_range(file.fd, 0, 0, SYNC_FILE_RANGE_WRITE);

    std::atomic<std::size_t> next = 0;
    auto flushSome = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++)
            if (::fdatasync(files[i].fd) != 0)
                outcomes[i] = base::Failure::ofSystem(std::string(files[i].path),
                                                      {errno, std::system_category()});
    };
    const std::size_t helpers = std::min(kFlushThreads, files.size() / kFilesPerThread + 1) - 1;
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
