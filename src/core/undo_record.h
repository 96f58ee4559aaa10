// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tw::core {

// The records of the undo journal, and how they are laid out in its file.
//
// A save that writes into a file in place first records, for each region it overwrites,
// the bytes the file held there and a hash of each block of the bytes it will write. After
// a kill or a power cut, the roll-back at the next start checks that every block of such a
// region still holds either its old or its new bytes (so that nobody else changed the file
// since) and puts the old bytes back. A save that writes a new file records the name the
// new file will have until it is renamed over the old one, so that the roll-back can take
// away a name a kill left behind.
//
// The same records, with three kinds of their own, keep what undoing the last save or rename
// batch takes once it is complete (kept_undo.h).
//
// Blocks are the pieces a region splits into at every multiple of kUndoBlock bytes of the
// file: the unit in which the disk and the page cache write, so a write cut off half-way
// leaves each block whole, either old or new.
inline constexpr std::uint64_t kUndoBlock = 512;

// The hash that tells a block's new bytes from anything else (64 bits; not meant to resist
// an attacker, only to notice different bytes).
std::uint64_t blockHash(std::span<const std::uint8_t> bytes);

// Calls f(offset, length) for each block of the `length` bytes at `offset`.
template <typename F>
void forEachBlock(std::uint64_t offset, std::uint64_t length, F f) {
    const std::uint64_t end = offset + length;
    while (offset < end) {
        const std::uint64_t next = std::min(end, (offset / kUndoBlock + 1) * kUndoBlock);
        f(offset, next - offset);
        offset = next;
    }
}

// One region of a file a save overwrites in place.
struct UndoRegion {
    std::uint64_t offset = 0;
    // What the file held here before the save (empty where the save makes the file longer).
    std::vector<std::uint8_t> oldBytes;
    // How many bytes the save writes here (0 where it makes the file shorter), and the
    // blockHash of each of their blocks.
    std::uint64_t newLength = 0;
    std::vector<std::uint64_t> newHashes;

    // The region that replaces `oldBytes` with `newBytes` at `offset`.
    static UndoRegion between(std::uint64_t offset, std::span<const std::uint8_t> oldBytes,
                              std::span<const std::uint8_t> newBytes);
    bool operator==(const UndoRegion&) const = default;
};

struct UndoRecord {
    enum class Kind : std::uint8_t {
        InPlace = 1,    // path: the file; regions: what the save overwrites
        NewName = 2,    // path: the hidden name of a new file until it replaces the old one
        Rewritten = 3,  // path: a file a save replaced with a new file (nothing to undo it)
        Dropped = 4,    // path: a file whose old bytes went to keep within the bound
        Renamed = 5,    // path: a file's name now, formerPath: the name it had; device, inode
    };
    Kind kind = Kind::InPlace;
    std::string path;
    // The file as the save found it open (InPlace only): it must still be this inode, and
    // of its old, its grown or its new size, to be rolled back.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t oldSize = 0;
    std::uint64_t newSize = 0;
    // Bytes inserted at the start of the file before anything is written (range_insert.h);
    // the regions' offsets count them. They read as zeros until the tag is written there.
    std::uint64_t inserted = 0;
    std::vector<UndoRegion> regions;
    std::string formerPath = {};  // Renamed only

    bool operator==(const UndoRecord&) const = default;
};

// Appends the record to a journal's bytes: a header with its length and a hash of it, so
// that a record cut off or damaged is recognised as such.
void appendUndoRecord(const UndoRecord& record, std::vector<std::uint8_t>& out);

// What a journal's bytes hold: its records, in order, up to the first one that is cut off
// or damaged. A record is written and flushed before the file it names is touched, so a
// record cut off at the journal's end names nothing that was written yet. A damaged one
// (bytes that are no record, a hash that does not match) may have been whole once: what it
// and the records behind it named can be half-written, and the journal is not whole.
struct UndoJournalContents {
    std::vector<UndoRecord> records;
    bool damaged = false;
};
UndoJournalContents readUndoJournal(std::span<const std::uint8_t> journal);

// readUndoJournal's records alone.
std::vector<UndoRecord> readUndoRecords(std::span<const std::uint8_t> journal);

}  // namespace tw::core
