// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/file_list.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/desktop_trash.h"

namespace tw::core {

std::uint64_t FileList::totalSize() const {
    std::uint64_t total = 0;
    for (const auto& file : files_)
        total += file->size;
    return total;
}

std::int64_t FileList::totalSeconds() const {
    std::int64_t total = 0;
    for (const auto& file : files_)
        total += file->playSeconds;
    return total;
}

std::vector<int> FileList::selectedIndices() const {
    std::vector<int> chain;
    chain.reserve(static_cast<std::size_t>(selectedCount_));
    // The index must grow at every step, so even a damaged chain ends.
    for (int index = firstSelected_; validIndex(index);) {
        const AudioFile& file = at(index);
        chain.push_back(index);
        if (!file.selected || file.nextSelected <= index)
            break;
        index = file.nextSelected;
    }
    return chain;
}

void FileList::add(std::unique_ptr<AudioFile> record) {
    if (!record)
        return;
    record->selected = false;
    record->nextSelected = -1;
    files_.push_back(std::move(record));
    if (selectedCount_ == 0) {
        firstSelected_ = size() - 1;
        files_.back()->selected = true;
        selectedCount_ = 1;
    }
}

void FileList::clear() {
    files_.clear();
    selectedCount_ = 0;
    firstSelected_ = -1;
}

int FileList::countDirty() const {
    int count = 0;
    for (const auto& file : files_)
        count += file->dirty() ? 1 : 0;
    return count;
}

bool FileList::anyDirty() const {
    for (const auto& file : files_)
        if (file->dirty())
            return true;
    return false;
}

AudioFile* FileList::first() {
    return validIndex(firstSelected_) ? &at(firstSelected_) : nullptr;
}

const AudioFile* FileList::first() const {
    return validIndex(firstSelected_) ? &at(firstSelected_) : nullptr;
}

void FileList::deselectAll() {
    for (auto& file : files_) {
        file->selected = false;
        file->nextSelected = -1;
    }
    selectedCount_ = 0;
    firstSelected_ = -1;
}

void FileList::rebuildChain() {
    selectedCount_ = 0;
    firstSelected_ = -1;
    AudioFile* previous = nullptr;
    for (int index = 0; index < size(); ++index) {
        AudioFile& file = at(index);
        file.nextSelected = -1;
        if (!file.selected)
            continue;
        if (previous)
            previous->nextSelected = index;
        else
            firstSelected_ = index;
        previous = &file;
        ++selectedCount_;
    }
}

void FileList::selectAll() {
    for (auto& file : files_)
        file->selected = true;
    rebuildChain();
}

void FileList::selectOnly(int index) {
    deselectAll();
    if (empty())
        return;
    if (!validIndex(index))
        index = 0;
    at(index).selected = true;
    firstSelected_ = index;
    selectedCount_ = 1;
}

void FileList::selectAdd(int index) {
    if (selectedCount_ == 0) {
        selectOnly(index);
        return;
    }
    if (!validIndex(index) || at(index).selected)
        return;
    AudioFile& file = at(index);
    if (index < firstSelected_) {
        file.nextSelected = firstSelected_;
        firstSelected_ = index;
    } else {
        int previous = index - 1;
        while (!at(previous).selected)
            --previous;  // stops at firstSelected_ at the latest
        file.nextSelected = at(previous).nextSelected;
        at(previous).nextSelected = index;
    }
    file.selected = true;
    ++selectedCount_;
}

void FileList::invertSelection() {
    for (auto& file : files_)
        file->selected = !file->selected;
    rebuildChain();
}

void FileList::swapRecords(int i, int j) {
    std::swap(files_[static_cast<std::size_t>(i)], files_[static_cast<std::size_t>(j)]);
}

void FileList::replace(int index, std::unique_ptr<AudioFile> record) {
    if (!validIndex(index) || !record)
        return;
    record->selected = at(index).selected;
    record->nextSelected = at(index).nextSelected;
    files_[static_cast<std::size_t>(index)] = std::move(record);
}

std::vector<FileFailure> FileList::removeSelected(bool deleteFromDisk) {
    std::vector<FileFailure> failed;
    if (deleteFromDisk) {
        for (int index : selectedIndices()) {
            AudioFile& file = at(index);
            // Only files go to the trash, never a folder that has come to stand under the
            // file's name; a file that is already gone counts as deleted.
            struct stat st {};
            std::optional<base::Message> why;
            if (::lstat(file.path.c_str(), &st) != 0) {
                if (errno == ENOENT)
                    continue;
                why = base::Message::verbatim(std::strerror(errno));
            } else if (S_ISDIR(st.st_mode)) {
                why = base::Message::verbatim(std::strerror(EISDIR));
            } else {
                why = moveToTrash(file.path);
            }
            if (!why)
                continue;
            // The file is still on the disk, so its record stays in the list.
            failed.push_back({file.fileName, base::Message(base::ids::kDeleteToTrashFailed, *why)});
            file.selected = false;
        }
    }
    std::erase_if(files_, [](const auto& file) { return file->selected; });
    deselectAll();
    if (!empty())
        selectOnly(0);
    return failed;
}

void FileList::copySelected(FileList& target, int limit) const {
    int copied = 0;
    for (int index : selectedIndices()) {
        if (copied++ >= limit)
            break;
        target.add(std::make_unique<AudioFile>(at(index)));
    }
}

bool FileList::moveSelectedUp() {
    bool passedUnselected = false;
    bool moved = false;
    for (int index = 0; index < size(); ++index) {
        if (!at(index).selected) {
            passedUnselected = true;
        } else if (passedUnselected) {
            swapRecords(index, index - 1);
            moved = true;
        }
    }
    if (moved)
        rebuildChain();
    return moved;
}

bool FileList::moveSelectedDown() {
    bool passedUnselected = false;
    bool moved = false;
    for (int index = size() - 1; index >= 0; --index) {
        if (!at(index).selected) {
            passedUnselected = true;
        } else if (passedUnselected) {
            swapRecords(index, index + 1);
            moved = true;
        }
    }
    if (moved)
        rebuildChain();
    return moved;
}

bool FileList::canMoveUp() const {
    bool passedUnselected = false;
    for (const auto& file : files_) {
        if (!file->selected)
            passedUnselected = true;
        else if (passedUnselected)
            return true;
    }
    return false;
}

bool FileList::canMoveDown() const {
    bool passedUnselected = false;
    for (auto it = files_.rbegin(); it != files_.rend(); ++it) {
        if (!(*it)->selected)
            passedUnselected = true;
        else if (passedUnselected)
            return true;
    }
    return false;
}

}  // namespace tw::core
