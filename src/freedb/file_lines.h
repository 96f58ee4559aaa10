// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "base/code_page.h"
#include "freedb/line_source.h"

namespace tw::freedb {

// Reads a file line by line as raw bytes: a line ends at "\n", which is not part of it.
//
// With a line limit, the bytes of a longer line past the limit are skipped, so a broken file
// cannot make one line grow without bound; without one (0) lines are kept whole, for copies
// that must not change what they do not understand.
class FileLineReader {
public:
    FileLineReader(const std::filesystem::path& path, std::size_t lineLimit);

    bool isOpen() const { return file_.is_open(); }
    // The next line; false at the end of the file (or when it cannot be read on).
    bool next(std::string& line);

private:
    std::ifstream file_;
    std::size_t lineLimit_;
};

// The lines of a local album database file as the xmcd reader wants them: each line without
// its line end ("\n", and a "\r" before it) but with every blank, decoded as UTF-8 when it
// is valid and as ISO-8859-15 otherwise (files written by older versions), without control
// characters other than the tab. Lines are cut at kLineLimit bytes.
class DatabaseFileLines final : public LineSource {
public:
    static constexpr std::size_t kLineLimit = 64 * 1024;

    explicit DatabaseFileLines(const std::filesystem::path& path);

    bool isOpen() const { return reader_.isOpen(); }
    [[nodiscard]] bool receiveLine(std::string& line) override;
    // Skips lines, undecoded, until one (without trailing white space) satisfies
    // `isWanted`; true when one did. For finding ASCII marker lines fast.
    bool skipUntil(const std::function<bool(std::string_view)>& isWanted);
    // The line receiveLine returned last; empty once it failed.
    const std::string& lastLine() const { return last_; }

private:
    FileLineReader reader_;
    base::CodePage codePage_;
    std::string last_;
};

}  // namespace tw::freedb
