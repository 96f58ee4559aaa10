// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace tw::core {

// An open file to flush, and the path its failure names.
struct FileToFlush {
    int fd = -1;
    std::string_view path;
};

// Makes the written data of every open file of `files` durable, paying for those files only
// (unlike syncfs(), whose cost grows with every other program's dirty pages on the file
// system): the writeback of all of them is started first, so the disk gets their pages in
// one stream, then each is flushed with fdatasync() from a few threads at once, so that
// the cache flushes they ask of the disk are merged instead of waited for one by one.
// The outcome of each, in the order given.
std::vector<base::Outcome> flushTogether(std::span<const FileToFlush> files);

// Whether one syncfs() is the cheaper flush for a batch that wrote about `ownBytes`: the
// machine's dirty and in-writeback pages (`meminfoText`, the text of /proc/meminfo) exceed
// them by little. False when the text does not say (unknown means the bounded way).
bool fileSystemFlushIsCheap(std::string_view meminfoText, std::uint64_t ownBytes);
// The text of /proc/meminfo; empty where there is none.
std::string readMeminfo();

}  // namespace tw::core
