// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/edit_history.h"

#include <algorithm>
#include <unordered_set>

namespace tw::core {

namespace {

std::size_t bytesOf(const RecordChange& change) {
    return sizeof(RecordChange) - sizeof(RecordTags) + change.other.bytes();
}

std::size_t bytesOf(const EditStep& step) {
    std::size_t total = sizeof(EditStep) + step.name.capacity();
    for (const RecordChange& change : step.changes)
        total += bytesOf(change);
    return total;
}

void swapAll(EditStep& step) {
    for (RecordChange& change : step.changes)
        change.other.swapWith(*change.record);
}

}  // namespace

EditStep captureEdit(std::string name, const std::vector<AudioFile*>& records,
                     const std::function<void()>& change, int mergeKey) {
    std::vector<RecordTags> before;
    before.reserve(records.size());
    for (const AudioFile* record : records)
        before.push_back(RecordTags::of(*record));
    change();
    EditStep step{std::move(name), mergeKey, {}, 0};
    for (std::size_t i = 0; i < records.size(); ++i) {
        AudioFile& record = *records[i];
        if (before[i].sameAs(record))
            continue;
        if (before[i].sameValuesAs(record))
            before[i].swapWith(record);
        else
            step.changes.push_back({&record, std::move(before[i])});
    }
    return step;
}

bool EditHistory::push(EditStep step) {
    if (step.changes.empty())
        return false;
    dropRedoSteps();
    if (typingOpen_ && step.mergeKey != 0 && canUndo() && steps_.back().mergeKey == step.mergeKey) {
        mergeIntoTop(step);
    } else {
        step.bytes = bytesOf(step);
        bytes_ += step.bytes;
        steps_.push_back(std::move(step));
        ++done_;
    }
    typingOpen_ = canUndo() && steps_.back().mergeKey != 0;
    while (bytes_ > budget_ && !steps_.empty()) {
        bytes_ -= steps_.front().bytes;
        steps_.pop_front();
        --done_;
        loss_ = Loss::OverBudget;
    }
    return true;
}

// The top step keeps its tags from before for the records it holds; the records the new
// keystroke changed first join it.
void EditHistory::mergeIntoTop(EditStep& step) {
    EditStep& top = steps_.back();
    bytes_ -= top.bytes;
    // The same selection, as while typing into one field, needs no look-up.
    std::size_t same = 0;
    while (same < step.changes.size() && same < top.changes.size() &&
           step.changes[same].record == top.changes[same].record)
        ++same;
    if (same < step.changes.size()) {
        std::unordered_set<const AudioFile*> held;
        for (const RecordChange& change : top.changes)
            held.insert(change.record);
        for (std::size_t i = same; i < step.changes.size(); ++i)
            if (!held.contains(step.changes[i].record)) {
                top.bytes += bytesOf(step.changes[i]);
                top.changes.push_back(std::move(step.changes[i]));
            }
    }
    // Typing back what was there leaves those records as they were, marks included.
    std::erase_if(top.changes, [&top](RecordChange& change) {
        if (!change.other.sameValuesAs(*change.record))
            return false;
        change.other.swapWith(*change.record);
        top.bytes -= bytesOf(change);
        return true;
    });
    if (top.changes.empty()) {
        steps_.pop_back();
        --done_;
        return;
    }
    top.name = std::move(step.name);
    bytes_ += top.bytes;
}

void EditHistory::dropRedoSteps() {
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
}

const EditStep& EditHistory::undo() {
    typingOpen_ = false;
    EditStep& step = steps_[--done_];
    swapAll(step);
    return step;
}

const EditStep& EditHistory::redo() {
    typingOpen_ = false;
    EditStep& step = steps_[done_++];
    swapAll(step);
    return step;
}

void EditHistory::clear(Loss why) {
    steps_.clear();
    done_ = 0;
    bytes_ = 0;
    typingOpen_ = false;
    loss_ = why;
}

}  // namespace tw::core
