// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <span>
#include <system_error>
#include <vector>

namespace tw::core {

// Makes the written data of every open file `fds` durable, paying for those files only
// (unlike syncfs(), whose cost grows with every other program's dirty pages on the file
// system): the writeback of all of them is started first, so the disk gets their pages in
// one stream, then each is flushed with fdatasync() from a few threads at once, so that
// the cache flushes they ask of the disk are merged instead of waited for one by one.
// The outcome of each, in the order given.
std::vector<std::error_code> flushTogether(std::span<const int> fds);

}  // namespace tw::core
