// SPDX-License-Identifier: GPL-2.0-or-later
// The undo journal as the roll-back finds it after a crash (and the kept undo of the last
// save or rename, made of the same records): any bytes, read as records up to
// the first damaged one; and records built from the input, cut off and damaged where the
// input says, read back as exactly the whole records before the damage.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/undo_record.h"

namespace {

using tw::core::UndoRecord;
using tw::core::UndoRegion;

// Takes bytes from the front of the input; zeros once it is used up.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}
    std::uint64_t number(std::uint64_t below) {
        std::uint64_t value = 0;
        for (int i = 0; i < 4 && !bytes_.empty(); ++i) {
            value = value << 8 | bytes_.front();
            bytes_ = bytes_.subspan(1);
        }
        return below == 0 ? value : value % below;
    }
    std::span<const std::uint8_t> bytes(std::size_t count) {
        const std::size_t taken = std::min(count, bytes_.size());
        const auto out = bytes_.first(taken);
        bytes_ = bytes_.subspan(taken);
        return out;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const UndoRecord& record : tw::core::readUndoRecords({data, size})) {
        std::vector<std::uint8_t> again;
        tw::core::appendUndoRecord(record, again);
        if (tw::core::readUndoRecords(again) != std::vector{record})
            __builtin_trap();
    }

    Input in(data, size);
    std::vector<UndoRecord> records(in.number(4));
    std::vector<std::uint8_t> journal;
    std::vector<std::size_t> ends;
    for (UndoRecord& record : records) {
        record.kind = static_cast<UndoRecord::Kind>(
            in.number(static_cast<std::uint64_t>(UndoRecord::Kind::Renamed)) + 1);
        const auto path = in.bytes(in.number(64));
        record.path.assign(path.begin(), path.end());
        if (record.kind == UndoRecord::Kind::Renamed) {
            const auto former = in.bytes(in.number(64));
            record.formerPath.assign(former.begin(), former.end());
        }
        record.oldSize = in.number(0);
        record.newSize = in.number(0);
        record.inserted = in.number(0);
        for (std::uint64_t r = in.number(3); r > 0; --r) {
            const std::uint64_t offset = in.number(100000);
            const auto oldBytes = in.bytes(in.number(1500));
            const auto newBytes = in.bytes(in.number(1500));
            record.regions.push_back(UndoRegion::between(offset, oldBytes, newBytes));
        }
        tw::core::appendUndoRecord(record, journal);
        ends.push_back(journal.size());
    }
    // Whole records, and records cut off at the end as by a kill, are never taken for damage.
    const tw::core::UndoJournalContents read = tw::core::readUndoJournal(journal);
    if (read.records != records || read.damaged)
        __builtin_trap();
    if (journal.empty())
        return 0;
    const std::size_t at = in.number(journal.size());
    std::size_t whole = 0;
    while (whole < ends.size() && ends[whole] <= at)
        ++whole;
    const std::vector<UndoRecord> before(records.begin(),
                                         records.begin() + static_cast<long>(whole));
    const tw::core::UndoJournalContents cut =
        tw::core::readUndoJournal(std::span(journal).first(at));
    if (cut.records != before || cut.damaged)
        __builtin_trap();
    journal[at] ^= static_cast<std::uint8_t>(in.number(255) + 1);
    if (tw::core::readUndoRecords(journal) != before)
        __builtin_trap();
    return 0;
}
