// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <string_view>

#include "base/file_ops.h"

namespace tw::freedb {

// Writes a database or INI file so that a crash or a failure never leaves it half-written:
// the bytes go to a hidden temporary file beside the target (base::ReplacementFile), which
// is flushed and renamed over the target by commit(). Until then the target is untouched;
// an uncommitted writer removes its temporary file when it goes. The temporary file's name
// holds a dot, so the database's listings of names without an extension never see it.
//
// Owns the temporary file. One thread, one use.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::filesystem::path& target) : file_(target.string()) {}

    // False when the temporary file could not be made or a write failed.
    bool ok() const { return !failed_ && !file_.error(); }

    // Appends bytes; a failure is remembered and makes commit() fail.
    void append(std::string_view bytes);
    // Puts the bytes in place of the target. True when the target now holds them.
    [[nodiscard]] bool commit();

private:
    base::ReplacementFile file_;
    bool failed_ = false;
};

// The whole of `content` as the new content of `target`, through an AtomicFileWriter.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& target,
                                       std::string_view content);

}  // namespace tw::freedb
