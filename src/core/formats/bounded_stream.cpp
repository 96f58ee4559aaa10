// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/bounded_stream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace tw::core {

BoundedStream::BoundedStream(int fd, std::uint64_t size, std::string name)
    : fd_(fd),
      size_(static_cast<long>(std::min<std::uint64_t>(size, std::numeric_limits<long>::max() / 2))),
      name_(std::move(name)) {}

TagLib::FileName BoundedStream::name() const {
    return name_.c_str();
}

TagLib::ByteVector BoundedStream::readBlock(unsigned long length) {
    if (readsLeft_ == 0 || bytesLeft_ == 0) {
        exhausted_ = true;
        return {};
    }
    --readsLeft_;
    const auto available = static_cast<std::uint64_t>(std::max(0L, size_ - position_));
    std::uint64_t wanted = std::min<std::uint64_t>(length, available);
    if (wanted > bytesLeft_) {
        exhausted_ = true;
        wanted = bytesLeft_;
    }
    TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
    std::size_t done = 0;
    while (done < wanted) {
        const ssize_t got =
            ::pread(fd_, block.data() + done, wanted - done, static_cast<off_t>(position_ + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error_ = got < 0 ? errno : EIO;  // shorter than it was: changed meanwhile
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    block.resize(static_cast<unsigned int>(done));
    position_ += static_cast<long>(done);
    bytesLeft_ -= done;
    return block;
}

void BoundedStream::seek(long offset, Position p) {
    long base = 0;
    if (p == Current)
        base = position_;
    else if (p == End)
        base = size_;
    // Sizes read from a damaged file can point anywhere; the position stays where a read
    // gives nothing rather than wrapping around.
    const long limit = std::numeric_limits<long>::max() / 2;
    position_ = std::clamp(offset, -limit, limit) + base;
    position_ = std::clamp(position_, 0L, limit);
}

}  // namespace tw::core
