// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "base/file_ops.h"
#include "base/result.h"
#include "export/text_sink.h"

namespace tw::exports {

// A playlist or export file, written whole and put in place at once.
//
// The text goes to a hidden temporary file in the target's folder; commit() gives it the
// mode of the file it replaces (a new file gets the mode any new file of the user gets),
// flushes it and renames it over the target. Until then the target is untouched, so a
// failed or interrupted write never leaves a half-written file where a good one stood.
// A target that exists but may not be written by the user is not replaced: the write fails
// as creating it would.
//
// Writes are buffered; the first failure is kept and every later write is skipped. An
// OutputFile destroyed without a successful commit() removes its temporary file.
// Owns the temporary file. One thread, one use.
class OutputFile final : public TextSink {
public:
    explicit OutputFile(std::string path);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    const std::string& path() const { return path_; }
    // Whether the temporary file was made and every write so far succeeded.
    bool ok() const { return !error_; }

    void write(std::string_view text) override;
    // Puts the written text in place of the target; the first failure of the whole write,
    // naming the target, when anything failed.
    base::Outcome commit();

private:
    void flush();

    std::string path_;
    base::ReplacementFile file_;
    std::string buffer_;
    std::error_code error_;
};

// Whether `path` names a file that exists and may be opened for reading and writing.
bool fileExistsForWriting(const std::string& path);

}  // namespace tw::exports
