// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tw::freedb {

// Cuts a byte stream into lines at line feeds. Bytes are fed as they arrive; complete lines
// are taken one at a time. A line longer than the limit (line feed excluded) puts the
// splitter into the overflowed state, in which it takes no more lines: the caller then fails
// the reply instead of holding an unbounded buffer. The splitter owns its buffer.
class LineSplitter {
public:
    static constexpr std::size_t kDefaultLimit = 64 * 1024;

    explicit LineSplitter(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    void feed(std::string_view bytes);

    // Moves the next complete line (without its line feed) into `line`; false when no
    // complete line is buffered or the splitter has overflowed.
    bool takeLine(std::string& line);

    // The buffered bytes after the last line taken, handed over (the splitter is then
    // empty). Used when the rest of a stream needs another decoder.
    std::string takeRest();

    bool overflowed() const { return overflowed_; }
    bool empty() const { return buffer_.size() == start_; }
    void clear();

private:
    void compact();

    std::size_t limit_;
    std::string buffer_;
    std::size_t start_ = 0;    // first byte not yet taken
    std::size_t scanned_ = 0;  // bytes from start_ known to hold no line feed
    bool overflowed_ = false;
};

}  // namespace tw::freedb
