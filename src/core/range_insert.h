// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <system_error>

namespace tw::core {

// Growing a file at its start by whole blocks without moving a byte of it: the file system
// shifts the file's block map (FALLOC_FL_INSERT_RANGE), so the inode, its hard links and
// its audio stay where they are and only the new tag has to be written into the gap. The
// gap reads as zeros until then. Undone by collapsing the same range.

// Whether the file system holding `folder` (device `device`) can: tried once per file
// system on an unnamed scratch file in the folder, then remembered for the process.
bool insertsRanges(const std::string& folder, dev_t device);

// Inserts `length` bytes (a multiple of the file system's block size) at the start of the
// open file; collapseRange takes them out again.
[[nodiscard]] std::error_code insertRange(int fd, std::uint64_t length);
[[nodiscard]] std::error_code collapseRange(int fd, std::uint64_t length);

}  // namespace tw::core
