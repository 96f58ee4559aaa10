// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tw::core {

// Random access to the bytes of an open file, or of a buffer, through reusable buffers:
// a reader asks for bytes at any offset and gets them from memory, with one pread() per
// 16 KiB window instead of a seek and a read per access. The first window of the file (where
// the tags and the stream start) is kept apart, so that reading elsewhere (behind a large
// picture) does not make it read again.
//
// Borrows the descriptor or the buffer (the caller keeps them alive and closes them); the
// window's own buffer is kept across reset() calls so that scanning many files allocates
// once. One thread.
class ByteWindow {
public:
    static constexpr std::size_t kChunk = 16 * 1024;
    // Reads behind the first window take at least this much (a page): what is read there is
    // mostly a frame header behind a large picture and the first audio frame, and copying
    // more than that costs as much as the picture saves.
    static constexpr std::size_t kFarChunk = 4 * 1024;

    // Over the file `fd` of `size` bytes.
    void reset(int fd, std::uint64_t size);
    // Over a buffer.
    void reset(std::span<const std::uint8_t> data);

    std::uint64_t size() const { return size_; }
    // A read of the file failed (so the bytes handed out may be short).
    bool failed() const { return failed_; }
    // The errno of the failed read; 0 when the file became shorter than it was said to be.
    int error() const { return error_; }

    // Up to `count` bytes from `offset`: fewer at the end of the input or after a failed
    // read, none at or behind the end. Valid until the next call.
    std::span<const std::uint8_t> bytesAt(std::uint64_t offset, std::size_t count);

    // Up to `atMost` bytes from `offset` for a reader that takes them piece by piece (a
    // search): what the window already holds from there when it holds `offset`, else what
    // bytesAt reads. Empty only at or behind the end, or after a failed read.
    std::span<const std::uint8_t> someBytesAt(std::uint64_t offset, std::size_t atMost);

    // Copies up to out.size() bytes from `offset` into `out`, zero-filling what is not
    // there; returns how many were read.
    std::size_t copyAt(std::uint64_t offset, std::span<std::uint8_t> out);

private:
    [[nodiscard]] bool readInto(std::vector<std::uint8_t>& into, std::uint64_t offset,
                                std::size_t count, std::size_t& got);

    int fd_ = -1;
    const std::uint8_t* memory_ = nullptr;
    std::uint64_t size_ = 0;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::uint8_t> head_;  // the first kChunk bytes, once read
    std::size_t headLength_ = 0;
    bool headRead_ = false;
    std::uint64_t bufferOffset_ = 0;
    std::size_t bufferLength_ = 0;
    bool failed_ = false;
    int error_ = 0;
};

}  // namespace tw::core
