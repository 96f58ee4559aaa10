// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/line_splitter.h"

namespace tw::freedb {

void LineSplitter::feed(std::string_view bytes) {
    if (overflowed_)
        return;
    compact();
    buffer_.append(bytes);
}

bool LineSplitter::takeLine(std::string& line) {
    if (overflowed_)
        return false;
    const std::size_t feed = buffer_.find('\n', start_ + scanned_);
    if (feed == std::string::npos) {
        scanned_ = buffer_.size() - start_;
        if (scanned_ > limit_) {
            overflowed_ = true;
            buffer_.clear();
            start_ = scanned_ = 0;
        }
        return false;
    }
    if (feed - start_ > limit_) {
        overflowed_ = true;
        buffer_.clear();
        start_ = scanned_ = 0;
        return false;
    }
    line.assign(buffer_, start_, feed - start_);
    start_ = feed + 1;
    scanned_ = 0;
    return true;
}

std::string LineSplitter::takeRest() {
    std::string rest = buffer_.substr(start_);
    clear();
    return rest;
}

void LineSplitter::clear() {
    buffer_.clear();
    start_ = scanned_ = 0;
    overflowed_ = false;
}

void LineSplitter::compact() {
    // Dropping the taken front only when it is the larger part keeps feeding linear.
    if (start_ > 0 && start_ * 2 >= buffer_.size()) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
}

}  // namespace tw::freedb
