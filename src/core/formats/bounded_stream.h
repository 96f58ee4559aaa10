// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <taglib/tiostream.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tw::core {

// A read-only TagLib stream over a file the caller keeps open, which caps what TagLib may
// read of it: TagLib follows the sizes a file states, and a damaged file can state sizes
// that make it read a whole large file or search it block by block. Once the budget of
// bytes or of reads is spent every read gives nothing, so TagLib stops, and the stream says
// it ran out: what TagLib made of the file is then not to be believed.
//
// TagLib reads a file's boxes, blocks and pages a few bytes at a time; the stream reads
// ahead in windows of kReadAhead bytes so that one system call serves many of those reads.
// The bytes read ahead count against the budget as well.
//
// Writes, inserts and truncation do nothing, so no TagLib object built on this stream can
// change the file. The descriptor is neither owned nor closed.
class BoundedStream : public TagLib::IOStream {
public:
    // More than the metadata of any ordinary file (pictures included) and the searches at
    // its end need.
    static constexpr std::uint64_t kByteBudget = 96ull * 1024 * 1024;
    static constexpr std::uint32_t kReadBudget = 200'000;
    static constexpr std::size_t kReadAhead = 16 * 1024;

    BoundedStream(int fd, std::uint64_t size, std::string name);

    TagLib::FileName name() const override;
    TagLib::ByteVector readBlock(unsigned long length) override;
    // What readBlock(length) gives, for a length of at most kReadAhead, without the copy:
    // valid until the next read.
    std::string_view readView(std::size_t length);
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position p = Beginning) override;
    long tell() const override { return position_; }
    long length() override { return size_; }
    void truncate(long) override {}

    // The budget ran out before TagLib was done.
    bool exhausted() const { return exhausted_; }
    // The errno of a failed read; 0 when none failed.
    int error() const { return error_; }

private:
    // Counts a read of up to `length` bytes against the budget; how many of them the file
    // has, 0 when the budget is spent.
    std::size_t startRead(unsigned long length);
    // The next `length` bytes (at most kReadAhead) from the window; none when the file or
    // the budget ends first.
    std::string_view fromWindow(std::size_t length);
    // Reads `length` bytes at `position` into `out`, from the file; fewer when a read fails
    // or the file ends early, which sets error_.
    std::size_t readAt(char* out, std::size_t length, long position);
    // Makes the window hold the bytes from `position` on; false when it holds fewer than
    // `length` of them.
    bool fillWindow(long position, std::size_t length);

    int fd_;
    long size_;
    long position_ = 0;
    std::string name_;
    std::uint64_t bytesLeft_ = kByteBudget;
    std::uint32_t readsLeft_ = kReadBudget;
    bool exhausted_ = false;
    int error_ = 0;
    std::unique_ptr<char[]> window_;
    std::size_t windowSize_ = 0;
    long windowStart_ = 0;
};

// The next `length` bytes of a stream: a view while they fit in its window, else a copy.
struct StreamBytes {
    TagLib::ByteVector longData;
    std::string_view bytes;
};
StreamBytes readStreamBytes(BoundedStream& stream, std::size_t length);

}  // namespace tw::core
