// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/list_session.h"

#include <algorithm>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/folder_files.h"
#include "core/folder_tree.h"
#include "core/mpeg_info.h"

namespace tw::core {

ListSession::ListSession(FileList& list, AppOptions& options, base::UserPort& port,
                         ListViews* views)
    : list_(list), options_(options), port_(port), views_(views) {}

void ListSession::listChanged() {
    if (views_)
        views_->listChanged();
}

void ListSession::rowsMoved() {
    if (views_)
        views_->rowsMoved();
}

void ListSession::folderTreeChanged() {
    if (views_)
        views_->folderTreeChanged();
}

bool ListSession::scanFolder(const std::string& folder, bool refreshTree) {
    list_.clear();
    SetCurrentFolder(options_, normalPath(folder));
    // The windows show the emptied list of the new work folder while it is read.
    listChanged();
    const std::string workFolder = options_.workFolder;
    std::vector<std::string> paths;
    const bool readable = listedAudioFiles(workFolder, options_, port_, paths);

    port_.startProgress(base::tr(base::ids::kProgressAddingFiles), static_cast<int>(paths.size()));
    MpegInfo mpeg;
    int created = 0;
    for (const std::string& path : paths) {
        // Names are relative to each file's own folder: renaming keeps it there.
        auto record = AudioFile::create(path, path.rfind('/') + 1, mpeg);
        std::string label;
        if (record) {
            // Every second name is enough to show that the scan goes on.
            if (++created % 2 == 1)
                label = record->fileName;
            list_.add(std::move(record));
        }
        port_.advanceProgress(label);
    }
    list_.selectAll();
    port_.finishProgress();

    listChanged();
    if (refreshTree)
        folderTreeChanged();
    if (!readable)
        port_.showMessage(base::UserPort::Severity::Error,
                          base::trf(base::ids::kMsgCannotReadFolder, folder));
    return readable;
}

bool ListSession::openFile(const std::string& path, bool addMode) {
    const std::string fullPath = normalPath(path);
    const std::string folder = fullPath.substr(0, fullPath.rfind('/') + 1);
    if (addMode) {
        const bool inTree = options_.includeSubfolders && folder.starts_with(options_.workFolder);
        if (folder != options_.workFolder && !inTree)
            return false;
        // The same file twice would let one record's save undo the other's.
        for (int index = 0; index < list_.size(); ++index)
            if (list_.at(index).path == fullPath)
                return false;
    } else {
        list_.clear();
        SetCurrentFolder(options_, folder);
    }

    MpegInfo mpeg;
    auto record = AudioFile::create(fullPath, folder.size(), mpeg);
    const bool added = record != nullptr;
    if (record)
        list_.add(std::move(record));

    listChanged();
    if (!addMode)
        folderTreeChanged();
    return added;
}

bool ListSession::refreshSelected() {
    if (!confirmDropSelectedEdits())
        return false;
    MpegInfo mpeg;
    for (int index : list_.selectedIndices()) {
        const AudioFile& old = list_.at(index);
        auto record = AudioFile::create(old.path, old.path.size() - old.fileName.size(), mpeg);
        if (record)
            list_.replace(index, std::move(record));
    }
    listChanged();
    return true;
}

bool ListSession::moveSelectedUp() {
    const bool moved = list_.moveSelectedUp();
    if (moved)
        rowsMoved();
    return moved;
}

bool ListSession::moveSelectedDown() {
    const bool moved = list_.moveSelectedDown();
    if (moved)
        rowsMoved();
    return moved;
}

bool ListSession::removeSelected() {
    if (!confirmDropSelectedEdits())
        return false;
    list_.removeSelected(false);
    listChanged();
    return true;
}

bool ListSession::deleteSelected() {
    if (port_.askYesNo(base::tr(base::ids::kMsgConfirmDeleteFiles)) != base::UserPort::Answer::Yes)
        return false;
    const std::vector<FileFailure> failed = list_.removeSelected(true);
    listChanged();
    if (!failed.empty())
        port_.showFailedFiles(base::tr(base::ids::kFailedFilesCaption),
                              base::tr(base::ids::kMsgCannotDeleteFiles), failureLines(failed));
    return true;
}

bool ListSession::confirmDiscard() {
    if (!list_.anyDirty())
        return true;
    return port_.askYesNo(base::tr(base::ids::kMsgConfirmDiscardChanges) + options_.workFolder) ==
           base::UserPort::Answer::Yes;
}

bool ListSession::confirmDropSelectedEdits() {
    const std::vector<int> selected = list_.selectedIndices();
    const bool anyDirty = std::any_of(selected.begin(), selected.end(),
                                      [this](int index) { return list_.at(index).dirty(); });
    return !anyDirty || port_.askYesNo(base::tr(base::ids::kMsgDiscardSelectedChanges)) ==
                            base::UserPort::Answer::Yes;
}

bool ListSession::refreshFolder() {
    if (!confirmDiscard())
        return false;
    const std::string folder = options_.workFolder;
    return scanFolder(folder, true);
}

bool ListSession::openFolder(const std::string& folder) {
    if (!confirmDiscard()) {
        folderTreeChanged();
        return false;
    }
    return scanFolder(folder, false);
}

}  // namespace tw::core
