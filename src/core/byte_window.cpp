// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/byte_window.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tw::core {

namespace {
// A window grown for one large tag is given back before the next file.
constexpr std::size_t kKeepBufferLimit = 4 * 1024 * 1024;
}  // namespace

void ByteWindow::reset(int fd, std::uint64_t size) {
    if (buffer_.size() > kKeepBufferLimit)
        buffer_ = {};
    fd_ = fd;
    memory_ = nullptr;
    size_ = size;
    bufferOffset_ = 0;
    bufferLength_ = 0;
    headLength_ = 0;
    headRead_ = false;
    failed_ = false;
    error_ = 0;
}

void ByteWindow::reset(std::span<const std::uint8_t> data) {
    fd_ = -1;
    memory_ = data.data();
    size_ = data.size();
    bufferOffset_ = 0;
    bufferLength_ = 0;
    failed_ = false;
    error_ = 0;
}

std::span<const std::uint8_t> ByteWindow::bytesAt(std::uint64_t offset, std::size_t count) {
    if (offset >= size_)
        return {};
    const std::size_t available =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
    if (memory_)
        return {memory_ + offset, available};

    if (offset + available <= kChunk) {
        if (!headRead_) {
            headRead_ = true;
            (void)readInto(head_, 0, kChunk, headLength_);  // a failure stays in failed_
        }
        if (offset < headLength_)
            return {head_.data() + offset, std::min<std::size_t>(available, headLength_ - offset)};
        return {};
    }
    if (offset >= bufferOffset_ && offset + available <= bufferOffset_ + bufferLength_)
        return {buffer_.data() + (offset - bufferOffset_), available};
    if (failed_)
        return {};
    std::size_t got = 0;
    (void)readInto(buffer_, offset, std::max(available, kFarChunk), got);  // as above
    bufferOffset_ = offset;
    bufferLength_ = got;
    return {buffer_.data(), std::min(available, got)};
}

// Reads up to `count` bytes from `offset` into `into` (grown as needed); false, with the
// window failed, when a read failed or the file ended early.
bool ByteWindow::readInto(std::vector<std::uint8_t>& into, std::uint64_t offset, std::size_t count,
                          std::size_t& got) {
    if (failed_)
        return false;
    if (into.size() < count)
        into.resize(count);
    got = 0;
    const std::size_t toRead =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
    while (got < toRead) {
        const ssize_t n =
            ::pread(fd_, into.data() + got, toRead - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // An error, or the file became shorter than it was when it was opened.
            failed_ = true;
            error_ = n < 0 ? errno : 0;
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    return true;
}

std::span<const std::uint8_t> ByteWindow::someBytesAt(std::uint64_t offset, std::size_t atMost) {
    if (!memory_ && headRead_ && offset < headLength_)
        return {head_.data() + offset, std::min<std::size_t>(headLength_ - offset, atMost)};
    if (!memory_ && offset >= bufferOffset_ && offset < bufferOffset_ + bufferLength_) {
        const std::size_t held = bufferOffset_ + bufferLength_ - offset;
        return {buffer_.data() + (offset - bufferOffset_), std::min(held, atMost)};
    }
    return bytesAt(offset, atMost);
}

std::size_t ByteWindow::copyAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    const auto bytes = bytesAt(offset, out.size());
    std::copy(bytes.begin(), bytes.end(), out.begin());
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(bytes.size()), out.end(), std::uint8_t{0});
    return bytes.size();
}

}  // namespace tw::core
