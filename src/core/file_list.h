// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/audio_file.h"
#include "core/file_failure.h"

namespace tw::core {

// The records of the work folder in list order, with the selection chain that every batch
// command walks.
//
// Ownership: the list owns its records. A reference from at() or first() stays valid until
// that record is removed, replaced or the list is cleared; moving records inside the list
// (swap, the moves) keeps references pointing at the same record, not the same index.
//
// Callers edit a record's tag fields freely, but never its `selected` or `nextSelected`: the
// selection changes only through the operations below, which keep these invariants:
//   - the chain runs from firstSelected() through `nextSelected` in increasing index order
//     and ends with -1;
//   - exactly the files of the chain have `selected` set;
//   - selectedCount() is the length of the chain.
// The totals are summed from the records on every call, so a record that a save or refresh
// read again never leaves them stale.
class FileList {
public:
    FileList() = default;
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;
    FileList(FileList&&) = default;
    FileList& operator=(FileList&&) = default;

    int size() const { return static_cast<int>(files_.size()); }
    bool empty() const { return files_.empty(); }
    // The record at `index`, which must lie in 0..size()-1.
    AudioFile& at(int index) { return *files_[static_cast<std::size_t>(index)]; }
    const AudioFile& at(int index) const { return *files_[static_cast<std::size_t>(index)]; }

    int selectedCount() const { return selectedCount_; }
    int firstSelected() const { return firstSelected_; }
    std::uint64_t totalSize() const;
    std::int64_t totalSeconds() const;

    // The indices of the chain, in chain (= list) order.
    std::vector<int> selectedIndices() const;

    // Appends the record. When nothing is selected it becomes the only selected file;
    // otherwise it joins unselected.
    void add(std::unique_ptr<AudioFile> record);
    void clear();

    int countDirty() const;
    bool anyDirty() const;

    // The first file of the chain; null when nothing is selected.
    AudioFile* first();
    const AudioFile* first() const;

    void selectAll();
    // Deselects everything, then selects the file at `index` (file 0 when out of range).
    void selectOnly(int index);
    // Adds the file at `index` to the chain in index order; as selectOnly when nothing is
    // selected. A file already in the chain or an index out of range changes nothing.
    void selectAdd(int index);
    void invertSelection();

    // Puts the records in the order `order` gives: the record at order[k] moves to place k.
    // The selection follows the records. False, with nothing moved, when `order` is not a
    // permutation of 0..size()-1.
    bool reorder(const std::vector<int>& order);
    // Puts `record` in place of the one at `index`, which it takes the selection state of.
    void replace(int index, std::unique_ptr<AudioFile> record);

    // Takes every selected record out of the list. With `deleteFromDisk` each selected file
    // is moved to the desktop's trash first (desktop_trash.h: never unlinked, so it can be
    // put back); a file that cannot be moved stays in the list and is returned with the
    // reason. Afterwards file 0 is the only selected file (none for an empty list).
    std::vector<FileFailure> removeSelected(bool deleteFromDisk);

    // Appends copies of the first `limit` files of the chain to `target`, as unselected
    // records going through target.add().
    void copySelected(FileList& target, int limit) const;

    // Move every selected file one place up (down), past the nearest unselected file;
    // selected files with no unselected file above (below) them stay, and blocks keep their
    // inner order. True when anything moved.
    bool moveSelectedUp();
    bool moveSelectedDown();
    // Whether some selected file has an unselected file above (below) it.
    bool canMoveUp() const;
    bool canMoveDown() const;

    // Batch setters over the chain. The text and year setters act on both tags, creating a
    // tag that is not present; the ID3v2-only setters act on the ID3v2 tag.
    void setTitleAll(std::string_view text);
    void setArtistAll(std::string_view text);
    void setAlbumAll(std::string_view text);
    void setCommentAll(std::string_view text);
    // The leading number of `text` as the year of both tags.
    void setYearAll(std::string_view text);
    void setGenreAll(std::int32_t number);
    // A genre as typed, into the files that hold genres as text (text_genre.h); the others
    // keep theirs.
    void setTextGenreAll(std::string_view text);
    void setUrlAll(std::string_view text);
    void setPublisherAll(std::string_view text);
    void setOrigArtistAll(std::string_view text);
    void setCopyrightAll(std::string_view text);
    void setComposerAll(std::string_view text);

    // Calls `edit`(record) for every file of the chain, in order.
    template <typename Edit>
    void forEachSelected(Edit&& edit) {
        for (int index : selectedIndices())
            edit(at(index));
    }

private:
    void deselectAll();
    // Links the chain anew from the records' `selected` flags, in list order.
    void rebuildChain();
    // Swaps without fixing the chain; callers rebuild it once they are done.
    void swapRecords(int i, int j);
    bool validIndex(int index) const { return index >= 0 && index < size(); }

    std::vector<std::unique_ptr<AudioFile>> files_;
    int selectedCount_ = 0;
    int firstSelected_ = -1;
};

}  // namespace tw::core
