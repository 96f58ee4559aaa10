// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <taglib/tiostream.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/formats/format_layout.h"

namespace tw::core {

// A TagLib stream that reads a file the caller keeps open but keeps every write in memory:
// what TagLib's save makes of the file is a list of pieces, each either a range of the file
// as it is or bytes TagLib wrote, and the file itself is never written. The save path then
// decides how those pieces reach the disk (in place, into inserted blocks or as a new file).
//
// New bytes are bounded (kMostNewBytes) and so are reads (a damaged file can make TagLib
// follow sizes across the whole disk): past either bound the stream refuses further work
// and says so, and what TagLib made of it is not to be written.
//
// The descriptor is neither owned nor closed.
class OverlayStream : public TagLib::IOStream {
public:
    static constexpr std::uint64_t kMostNewBytes = 64ull * 1024 * 1024;
    // A real file's edit leaves a handful of pieces; a hostile one could ask for millions,
    // each edit then moving all of them.
    static constexpr std::size_t kMostPieces = 4096;

    struct Piece {
        std::uint64_t start = 0;   // where it lies in the result
        std::uint64_t length = 0;  // never 0
        bool fromFile = false;     // a range of the file, else bytes TagLib wrote
        std::uint64_t at = 0;      // its offset in the file, or in the written bytes
    };

    OverlayStream(int fd, std::uint64_t size, std::string name);

    TagLib::FileName name() const override;
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector& data) override;
    void insert(const TagLib::ByteVector& data, unsigned long start,
                unsigned long replace) override;
    void removeBlock(unsigned long start, unsigned long length) override;
    bool readOnly() const override { return false; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position p = Beginning) override;
    long tell() const override { return static_cast<long>(position_); }
    long length() override { return static_cast<long>(size_); }
    void truncate(long length) override;

    // The result, as pieces in order, and its length.
    const std::vector<Piece>& pieces() const { return pieces_; }
    std::uint64_t size() const { return size_; }
    std::uint64_t originalSize() const { return originalSize_; }
    // The written bytes of a piece that is not from the file.
    std::span<const std::uint8_t> writtenBytes(const Piece& piece) const;
    // Copies `out.size()` bytes of the result at `offset`; false when the file could not be
    // read there.
    [[nodiscard]] bool readResult(std::uint64_t offset, std::span<std::uint8_t> out);
    // About how many bytes it holds in memory.
    std::size_t heldBytes() const { return written_.size() + pieces_.size() * sizeof(Piece); }
    // Whether the result differs from the file at all.
    bool changed() const;
    // Whether the `length` bytes at `start` of the result are the file's bytes at `from`,
    // untouched by TagLib.
    bool holdsFileBytes(std::uint64_t start, std::uint64_t from, std::uint64_t length) const;
    // Reads the file itself (within the read bound).
    [[nodiscard]] bool readOriginal(std::uint64_t offset, std::span<std::uint8_t> out);
    // readOriginal and readResult for the walks over a file's boxes and blocks; the stream
    // must outlive them.
    ByteReader originalReader();
    ByteReader resultReader();

    // A bound was passed: what TagLib did is not the whole of what it meant to do.
    bool exhausted() const { return exhausted_; }
    // The errno of a failed read of the file; 0 when none failed.
    int error() const { return error_; }

private:
    std::size_t pieceAt(std::uint64_t offset) const;
    std::size_t splitAt(std::uint64_t offset);
    void replace(std::uint64_t start, std::uint64_t oldLength, std::span<const std::uint8_t> bytes);
    void renumberFrom(std::size_t index);

    int fd_;
    std::string name_;
    std::uint64_t originalSize_;
    std::uint64_t size_;
    std::uint64_t position_ = 0;
    std::vector<Piece> pieces_;
    std::vector<std::uint8_t> written_;
    std::uint64_t readBudget_;
    bool exhausted_ = false;
    int error_ = 0;
};

}  // namespace tw::core
