// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/formats/overlay_stream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "core/formats/bounded_stream.h"

namespace tw::core {

namespace {

std::span<const std::uint8_t> bytesOf(const TagLib::ByteVector& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()};
}

}  // namespace

OverlayStream::OverlayStream(int fd, std::uint64_t size, std::string name)
    : fd_(fd),
      name_(std::move(name)),
      originalSize_(size),
      size_(size),
      // A save reads the file's metadata and, where it renumbers Ogg pages, the whole file
      // once; anything beyond twice that is a damaged size being followed.
      readBudget_(BoundedStream::kByteBudget + 2 * size) {
    if (size > 0)
        pieces_.push_back({.start = 0, .length = size, .fromFile = true, .at = 0});
}

TagLib::FileName OverlayStream::name() const {
    return name_.c_str();
}

std::size_t OverlayStream::pieceAt(std::uint64_t offset) const {
    const auto after =
        std::upper_bound(pieces_.begin(), pieces_.end(), offset,
                         [](std::uint64_t at, const Piece& piece) { return at < piece.start; });
    return static_cast<std::size_t>(after - pieces_.begin()) - (after == pieces_.begin() ? 0 : 1);
}

// Makes a piece start at `offset` (at most size_); returns its index (pieces_.size() at
// the end).
std::size_t OverlayStream::splitAt(std::uint64_t offset) {
    if (offset >= size_)
        return pieces_.size();
    const std::size_t index = pieceAt(offset);
    Piece& piece = pieces_[index];
    if (piece.start == offset)
        return index;
    const std::uint64_t head = offset - piece.start;
    Piece tail{.start = offset,
               .length = piece.length - head,
               .fromFile = piece.fromFile,
               .at = piece.at + head};
    piece.length = head;
    pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(index) + 1, tail);
    return index + 1;
}

void OverlayStream::renumberFrom(std::size_t index) {
    std::uint64_t start = index == 0 ? 0 : pieces_[index - 1].start + pieces_[index - 1].length;
    for (std::size_t i = index; i < pieces_.size(); ++i) {
        pieces_[i].start = start;
        start += pieces_[i].length;
    }
    size_ = start;
}

// The `oldLength` bytes at `start` (clamped to the end) become `bytes`.
void OverlayStream::replace(std::uint64_t start, std::uint64_t oldLength,
                            std::span<const std::uint8_t> bytes) {
    if (exhausted_)
        return;
    if (written_.size() + bytes.size() > kMostNewBytes || pieces_.size() > kMostPieces) {
        exhausted_ = true;
        return;
    }
    start = std::min(start, size_);
    const std::uint64_t end = start + std::min(oldLength, size_ - start);
    const std::size_t first = splitAt(start);
    const std::size_t last = splitAt(end);
    pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(first),
                  pieces_.begin() + static_cast<std::ptrdiff_t>(last));
    if (!bytes.empty()) {
        // TagLib writes MP4 chunk offsets four bytes at a time: a write that continues the
        // one before it extends that piece instead of adding one per entry.
        Piece* before = first > 0 ? &pieces_[first - 1] : nullptr;
        if (before && !before->fromFile && before->at + before->length == written_.size())
            before->length += bytes.size();
        else
            pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(first),
                           Piece{.start = start,
                                 .length = bytes.size(),
                                 .fromFile = false,
                                 .at = written_.size()});
        written_.insert(written_.end(), bytes.begin(), bytes.end());
    }
    renumberFrom(first);
}

TagLib::ByteVector OverlayStream::readBlock(unsigned long length) {
    const std::uint64_t wanted =
        std::min<std::uint64_t>(length, size_ - std::min(position_, size_));
    TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
    if (!readResult(position_, {reinterpret_cast<std::uint8_t*>(block.data()), block.size()}))
        return {};
    position_ += wanted;
    return block;
}

bool OverlayStream::readOriginal(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (out.size() > readBudget_) {
        exhausted_ = true;
        return false;
    }
    readBudget_ -= out.size();
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got =
            ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error_ = got < 0 ? errno : EIO;  // shorter than it was: changed meanwhile
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool OverlayStream::readResult(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset + out.size() > size_ || exhausted_)
        return false;
    std::size_t done = 0;
    for (std::size_t i = pieceAt(offset); done < out.size() && i < pieces_.size(); ++i) {
        const Piece& piece = pieces_[i];
        const std::uint64_t skip = offset + done - piece.start;
        const std::size_t take = static_cast<std::size_t>(
            std::min<std::uint64_t>(piece.length - skip, out.size() - done));
        if (piece.fromFile) {
            if (!readOriginal(piece.at + skip, out.subspan(done, take)))
                return false;
        } else {
            std::memcpy(out.data() + done, written_.data() + piece.at + skip, take);
        }
        done += take;
    }
    return done == out.size();
}

std::span<const std::uint8_t> OverlayStream::writtenBytes(const Piece& piece) const {
    return std::span(written_).subspan(static_cast<std::size_t>(piece.at),
                                       static_cast<std::size_t>(piece.length));
}

bool OverlayStream::changed() const {
    if (size_ != originalSize_)
        return true;
    return !std::all_of(pieces_.begin(), pieces_.end(), [](const Piece& piece) {
        return piece.fromFile && piece.at == piece.start;
    });
}

bool OverlayStream::holdsFileBytes(std::uint64_t start, std::uint64_t from,
                                   std::uint64_t length) const {
    if (start + length > size_ || from + length > originalSize_)
        return false;
    for (std::size_t i = pieceAt(start); i < pieces_.size() && pieces_[i].start < start + length;
         ++i) {
        const Piece& piece = pieces_[i];
        if (!piece.fromFile || piece.at + start != piece.start + from)
            return false;
    }
    return true;
}

void OverlayStream::writeBlock(const TagLib::ByteVector& data) {
    const auto bytes = bytesOf(data);
    if (position_ > size_) {
        // TagLib does not write behind the end; were it to, the gap reads as zeros.
        const std::vector<std::uint8_t> gap(static_cast<std::size_t>(position_ - size_), 0);
        replace(size_, 0, gap);
    }
    replace(position_, bytes.size(), bytes);
    position_ += bytes.size();
}

void OverlayStream::insert(const TagLib::ByteVector& data, unsigned long start,
                           unsigned long replaceLength) {
    replace(start, replaceLength, bytesOf(data));
}

void OverlayStream::removeBlock(unsigned long start, unsigned long length) {
    replace(start, length, {});
}

void OverlayStream::seek(long offset, Position p) {
    long base = 0;
    if (p == Current)
        base = static_cast<long>(position_);
    else if (p == End)
        base = static_cast<long>(size_);
    const long limit = std::numeric_limits<long>::max() / 2;
    position_ =
        static_cast<std::uint64_t>(std::clamp(std::clamp(offset, -limit, limit) + base, 0L, limit));
}

void OverlayStream::truncate(long length) {
    const auto wanted = static_cast<std::uint64_t>(std::max(0L, length));
    if (wanted < size_)
        replace(wanted, size_ - wanted, {});
    else if (wanted > size_)
        replace(size_, 0, std::vector<std::uint8_t>(static_cast<std::size_t>(wanted - size_), 0));
}

ByteReader OverlayStream::originalReader() {
    return [this](std::uint64_t at, std::span<std::uint8_t> out) { return readOriginal(at, out); };
}

ByteReader OverlayStream::resultReader() {
    return [this](std::uint64_t at, std::span<std::uint8_t> out) { return readResult(at, out); };
}

}  // namespace tw::core
