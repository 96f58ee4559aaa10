// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace tw::core {

// What the file system says about a file: its size, kind and times.
struct FileFacts {
    std::uint64_t size = 0;
    bool regular = false;
    // The birth time where the file system keeps one, else the last status change.
    std::timespec created{};
    std::timespec changed{};  // last write
};

// The facts of an open file, or of a path (following symbolic links); none when the file
// system cannot be asked.
std::optional<FileFacts> factsOf(int fd);
std::optional<FileFacts> factsOf(const std::string& path);

// A time as the list shows it: local time, "%m/%d/%Y, %H:%M.%S" (03/15/2008, 14:05.09).
std::string fileTimeText(const std::timespec& time);

}  // namespace tw::core
