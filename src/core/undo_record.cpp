// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/undo_record.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace tw::core {

namespace {

constexpr std::uint8_t kMagic[4] = {'T', 'W', 'U', '1'};
constexpr std::size_t kHeaderSize = 4 + 4 + 8;  // magic, payload length, hash
// A record larger than this is damage: a region never exceeds an ID3v2 tag's limit.
constexpr std::uint64_t kMostPayload = 256ull * 1024 * 1024;
// So is a region that starts behind this: no file comes near it.
constexpr std::uint64_t kMostOffset = 1ull << 60;

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;
constexpr std::uint64_t kSeed = 0x27D4EB2F165667C5ull;

std::uint64_t rotl(std::uint64_t x, int bits) {
    return (x << bits) | (x >> (64 - bits));
}

// Eight bytes at a time, mixed as the well-known 64-bit multiply-rotate hashes do, then
// avalanched: every input bit reaches every output bit.
std::uint64_t hash64(std::span<const std::uint8_t> bytes, std::uint64_t hash) {
    hash += bytes.size() * kPrime1;
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        hash = rotl(hash ^ (word * kPrime2), 31) * kPrime1;
    }
    for (; at < bytes.size(); ++at)
        hash = rotl(hash ^ (bytes[at] * kPrime1), 11) * kPrime2;
    hash ^= hash >> 33;
    hash *= kPrime2;
    hash ^= hash >> 29;
    return hash;
}

// How many blocks forEachBlock(offset, length) visits.
std::uint64_t blockCount(std::uint64_t offset, std::uint64_t length) {
    return length == 0 ? 0 : (offset + length - 1) / kUndoBlock - offset / kUndoBlock + 1;
}

void putNumber(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Reads a payload without ever reading past it; any shortfall makes the record damaged.
class PayloadReader {
public:
    explicit PayloadReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::optional<std::uint64_t> number(int size) {
        if (!has(static_cast<std::uint64_t>(size)))
            return std::nullopt;
        std::uint64_t value = 0;
        for (int i = 0; i < size; ++i)
            value |= static_cast<std::uint64_t>(bytes_[at_ + static_cast<std::size_t>(i)])
                     << (8 * i);
        at_ += static_cast<std::size_t>(size);
        return value;
    }
    std::optional<std::span<const std::uint8_t>> bytes(std::uint64_t count) {
        if (!has(count))
            return std::nullopt;
        const auto out = bytes_.subspan(at_, static_cast<std::size_t>(count));
        at_ += static_cast<std::size_t>(count);
        return out;
    }
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    bool has(std::uint64_t count) const { return count <= bytes_.size() - at_; }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

std::optional<UndoRecord> parsePayload(std::span<const std::uint8_t> payload) {
    PayloadReader in(payload);
    UndoRecord record;
    const auto kind = in.number(1);
    const auto device = in.number(8);
    const auto inode = in.number(8);
    const auto oldSize = in.number(8);
    const auto newSize = in.number(8);
    const auto inserted = in.number(8);
    const auto pathLength = in.number(4);
    if (!kind || !device || !inode || !oldSize || !newSize || !inserted || !pathLength)
        return std::nullopt;
    if (*kind < static_cast<std::uint8_t>(UndoRecord::Kind::InPlace) ||
        *kind > static_cast<std::uint8_t>(UndoRecord::Kind::Renamed))
        return std::nullopt;
    record.kind = static_cast<UndoRecord::Kind>(*kind);
    record.device = *device;
    record.inode = *inode;
    record.oldSize = *oldSize;
    record.newSize = *newSize;
    record.inserted = *inserted;
    const auto path = in.bytes(*pathLength);
    const auto regions = in.number(4);
    if (!path || !regions)
        return std::nullopt;
    record.path.assign(path->begin(), path->end());
    if (record.kind == UndoRecord::Kind::Renamed) {
        const auto formerLength = in.number(4);
        const auto former = formerLength ? in.bytes(*formerLength) : std::nullopt;
        if (!former)
            return std::nullopt;
        record.formerPath.assign(former->begin(), former->end());
    }
    for (std::uint64_t r = 0; r < *regions; ++r) {
        UndoRegion region;
        const auto offset = in.number(8);
        const auto oldLength = in.number(4);
        const auto newLength = in.number(4);
        if (!offset || !oldLength || !newLength || *offset > kMostOffset)
            return std::nullopt;
        const auto old = in.bytes(*oldLength);
        if (!old)
            return std::nullopt;
        region.offset = *offset;
        region.oldBytes.assign(old->begin(), old->end());
        region.newLength = *newLength;
        const std::uint64_t hashes = blockCount(region.offset, region.newLength);
        for (std::uint64_t h = 0; h < hashes; ++h) {
            const auto hash = in.number(8);
            if (!hash)
                return std::nullopt;
            region.newHashes.push_back(*hash);
        }
        record.regions.push_back(std::move(region));
    }
    if (!in.atEnd())
        return std::nullopt;
    return record;
}

}  // namespace

std::uint64_t blockHash(std::span<const std::uint8_t> bytes) {
    return hash64(bytes, kSeed);
}

UndoRegion UndoRegion::between(std::uint64_t offset, std::span<const std::uint8_t> oldBytes,
                               std::span<const std::uint8_t> newBytes) {
    UndoRegion region;
    region.offset = offset;
    region.oldBytes.assign(oldBytes.begin(), oldBytes.end());
    region.newLength = newBytes.size();
    forEachBlock(offset, newBytes.size(), [&](std::uint64_t at, std::uint64_t length) {
        region.newHashes.push_back(blockHash(newBytes.subspan(static_cast<std::size_t>(at - offset),
                                                              static_cast<std::size_t>(length))));
    });
    return region;
}

void appendUndoRecord(const UndoRecord& record, std::vector<std::uint8_t>& out) {
    const std::size_t start = out.size();
    out.insert(out.end(), std::begin(kMagic), std::end(kMagic));
    out.resize(out.size() + 4 + 8);  // length and hash, filled in below
    const std::size_t payload = out.size();
    putNumber(out, static_cast<std::uint8_t>(record.kind), 1);
    putNumber(out, record.device, 8);
    putNumber(out, record.inode, 8);
    putNumber(out, record.oldSize, 8);
    putNumber(out, record.newSize, 8);
    putNumber(out, record.inserted, 8);
    putNumber(out, record.path.size(), 4);
    out.insert(out.end(), record.path.begin(), record.path.end());
    putNumber(out, record.regions.size(), 4);
    if (record.kind == UndoRecord::Kind::Renamed) {
        putNumber(out, record.formerPath.size(), 4);
        out.insert(out.end(), record.formerPath.begin(), record.formerPath.end());
    }
    for (const UndoRegion& region : record.regions) {
        putNumber(out, region.offset, 8);
        putNumber(out, region.oldBytes.size(), 4);
        putNumber(out, region.newLength, 4);
        out.insert(out.end(), region.oldBytes.begin(), region.oldBytes.end());
        for (const std::uint64_t hash : region.newHashes)
            putNumber(out, hash, 8);
    }

    std::vector<std::uint8_t> header;
    const std::uint64_t length = out.size() - payload;
    putNumber(header, length, 4);
    const std::uint64_t hash = hash64(std::span(out).subspan(payload), hash64(header, kSeed));
    putNumber(header, hash, 8);
    std::copy(header.begin(), header.end(), out.begin() + static_cast<std::ptrdiff_t>(start + 4));
}

UndoJournalContents readUndoJournal(std::span<const std::uint8_t> journal) {
    UndoJournalContents contents;
    while (!journal.empty()) {
        // A kill in the middle of an append leaves a header or a payload cut off at the end.
        if (journal.size() < kHeaderSize)
            break;
        if (!std::equal(std::begin(kMagic), std::end(kMagic), journal.begin())) {
            contents.damaged = true;
            break;
        }
        PayloadReader header(journal.subspan(4, 12));
        const std::uint64_t length = *header.number(4);
        const std::uint64_t hash = *header.number(8);
        if (length > kMostPayload) {
            contents.damaged = true;
            break;
        }
        if (length > journal.size() - kHeaderSize)
            break;
        const auto payload = journal.subspan(kHeaderSize, static_cast<std::size_t>(length));
        auto record = hash64(payload, hash64(journal.subspan(4, 4), kSeed)) == hash
                          ? parsePayload(payload)
                          : std::nullopt;
        if (!record) {
            contents.damaged = true;
            break;
        }
        contents.records.push_back(std::move(*record));
        journal = journal.subspan(kHeaderSize + static_cast<std::size_t>(length));
    }
    return contents;
}

std::vector<UndoRecord> readUndoRecords(std::span<const std::uint8_t> journal) {
    return readUndoJournal(journal).records;
}

}  // namespace tw::core
