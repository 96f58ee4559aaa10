// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/record_tags.h"

namespace tw::core {

// One record an edit changed, with its tags from the other side of the edit: as they were
// before it while the step is done, as it left them while the step is undone. Undo and redo
// swap them with the record's, so a step holds one copy per record.
struct RecordChange {
    AudioFile* record;
    RecordTags other;
};

// One user action: its name for the menu ("Set Album in 5 files") and the records it
// changed. Steps of the same non-zero mergeKey that follow each other while typing goes on
// are one step (the keystrokes into one field).
struct EditStep {
    std::string name;
    int mergeKey = 0;
    std::vector<RecordChange> changes;
    std::size_t bytes = 0;  // what the step holds in memory, kept by EditHistory
};

// Runs `change`, which may edit any of `records`, and returns the step holding the records
// it changed with their tags from before. A record whose values came out as they were keeps
// its marks from before too, and is not in the step.
EditStep captureEdit(std::string name, const std::vector<AudioFile*>& records,
                     const std::function<void()>& change, int mergeKey = 0);

// The edits of the records since they were read or saved, for undo and redo.
//
// The history refers to records by address, which stays valid while records move inside the
// list; whoever removes or replaces records clears it first. It keeps at most `budget`
// bytes: the oldest steps go when a new one would pass it, and loss() then says why the
// edits before the oldest step cannot be undone.
class EditHistory {
public:
    enum class Loss { None, OverBudget, Discarded };
    static constexpr std::size_t kDefaultBudget = std::size_t{64} << 20;

    explicit EditHistory(std::size_t budget = kDefaultBudget) : budget_(budget) {}

    // Takes a step that is already done; the steps undone before it can no longer be
    // redone. A step that changed nothing is dropped; false then.
    bool push(EditStep step);
    // The next keystrokes start a step of their own (the field lost the focus).
    void closeTyping() { typingOpen_ = false; }

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // The step undo() (redo()) would take back (do again); only when canUndo (canRedo).
    const EditStep& nextUndo() const { return steps_[done_ - 1]; }
    const EditStep& nextRedo() const { return steps_[done_]; }
    // Puts the records of the step back as they were before it (after it) and returns it.
    const EditStep& undo();
    const EditStep& redo();

    // Forgets every step, for `why`.
    void clear(Loss why);
    Loss loss() const { return loss_; }
    std::size_t bytes() const { return bytes_; }
    std::size_t budget() const { return budget_; }

private:
    void mergeIntoTop(EditStep& step);
    void dropRedoSteps();

    std::size_t budget_;
    std::deque<EditStep> steps_;
    std::size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
    std::size_t bytes_ = 0;
    bool typingOpen_ = false;
    Loss loss_ = Loss::None;
};

}  // namespace tw::core
