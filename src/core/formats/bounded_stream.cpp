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

std::size_t BoundedStream::startRead(unsigned long length) {
    if (readsLeft_ == 0 || bytesLeft_ == 0) {
        exhausted_ = true;
        return 0;
    }
    --readsLeft_;
    const auto available = static_cast<std::uint64_t>(std::max(0L, size_ - position_));
    return static_cast<std::size_t>(std::min<std::uint64_t>(length, available));
}

std::string_view BoundedStream::readView(std::size_t length) {
    return fromWindow(startRead(std::min(length, kReadAhead)));
}

std::string_view BoundedStream::fromWindow(std::size_t length) {
    if (length == 0 || !fillWindow(position_, length))
        return {};
    const std::string_view out(window_.get() + (position_ - windowStart_), length);
    position_ += static_cast<long>(length);
    return out;
}

TagLib::ByteVector BoundedStream::readBlock(unsigned long length) {
    const std::size_t wanted = startRead(length);
    if (wanted <= kReadAhead) {
        const std::string_view bytes = fromWindow(wanted);
        if (bytes.empty())
            return {};
        return {bytes.data(), static_cast<unsigned int>(bytes.size())};
    }
    TagLib::ByteVector block;
    if (wanted > bytesLeft_) {
        exhausted_ = true;
    } else {
        block.resize(static_cast<unsigned int>(wanted));
        block.resize(static_cast<unsigned int>(readAt(block.data(), wanted, position_)));
        bytesLeft_ -= block.size();
    }
    position_ += static_cast<long>(block.size());
    return block;
}

bool BoundedStream::fillWindow(long position, std::size_t length) {
    const long windowEnd = windowStart_ + static_cast<long>(windowSize_);
    if (position >= windowStart_ && position + static_cast<long>(length) <= windowEnd)
        return true;
    const auto available = static_cast<std::uint64_t>(std::max(0L, size_ - position));
    const auto ahead =
        static_cast<std::size_t>(std::min<std::uint64_t>({kReadAhead, available, bytesLeft_}));
    if (ahead < length) {
        exhausted_ = true;
        return false;
    }
    if (!window_)  // not zeroed: a read fills what is used
        window_ = std::make_unique_for_overwrite<char[]>(kReadAhead);
    windowSize_ = readAt(window_.get(), ahead, position);
    windowStart_ = position;
    bytesLeft_ -= windowSize_;
    return windowSize_ >= length;
}

std::size_t BoundedStream::readAt(char* out, std::size_t length, long position) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got =
            ::pread(fd_, out + done, length - done, static_cast<off_t>(position) + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error_ = got < 0 ? errno : EIO;  // shorter than it was: changed meanwhile
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
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

StreamBytes readStreamBytes(BoundedStream& stream, std::size_t length) {
    StreamBytes out;
    if (length <= BoundedStream::kReadAhead) {
        out.bytes = stream.readView(length);
    } else {
        out.longData = stream.readBlock(length);
        out.bytes = {out.longData.data(), out.longData.size()};
    }
    return out;
}

}  // namespace tw::core
