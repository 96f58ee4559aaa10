// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/rename_plan.h"

#include <filesystem>
#include <system_error>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/audio_file.h"
#include "rename/target_folder.h"

namespace tw::rename {

namespace {

namespace fs = std::filesystem;
namespace ids = base::ids;

// The longest name of one folder or file, and of a whole path, that Linux file systems take.
constexpr std::size_t kMaxPartLength = 255;
constexpr std::size_t kMaxPathLength = 4095;

std::string normal(const std::string& path) {
    return fs::path(path).lexically_normal().string();
}

bool hasTooLongPart(std::string_view fileName) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = fileName.find('/', start);
        if ((end == std::string_view::npos ? fileName.size() : end) - start > kMaxPartLength)
            return true;
        if (end == std::string_view::npos)
            return false;
        start = end + 1;
    }
}

bool existsOnDisk(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Whether two paths name one file (a change of letter case on a file system that ignores it).
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

RenameCheck refused(std::string reason) {
    RenameCheck check;
    check.status = RenameStatus::Refused;
    check.reason = std::move(reason);
    return check;
}

}  // namespace

bool RenameCheck::fails() const {
    switch (status) {
        case RenameStatus::Rename:
        case RenameStatus::NewFolder:
        case RenameStatus::Unchanged:
            return false;
        default:
            return true;
    }
}

std::string refusalReason(NameRefusal refusal) {
    switch (refusal) {
        case NameRefusal::None:
            return {};
        case NameRefusal::Empty:
            return base::tr(ids::kRenameNoName);
        case NameRefusal::TooLong:
            return base::tr(ids::kRenameNameTooLong);
        case NameRefusal::LeavesAllowedFolders:
            return base::tr(ids::kRenameLeavesFolders);
    }
    return {};
}

bool RenamePlanner::folderExists(const std::string& folder) {
    auto [it, added] = folderCache_.try_emplace(folder, false);
    if (added) {
        std::error_code error;
        it->second = fs::is_directory(folder, error);
    }
    return it->second;
}

bool RenamePlanner::pathTaken(const std::string& path) const {
    return !vacated_.contains(path) && existsOnDisk(path);
}

RenameCheck RenamePlanner::next(const core::AudioFile& file, const Expansion& expansion) {
    const int place = place_++;
    if (expansion.refusal != NameRefusal::None)
        return refused(refusalReason(expansion.refusal));
    const std::string fileName = core::AudioFile::fileNameFor(expansion.name);
    const std::string workFolder = workFolderOf(file);
    if (fileName.empty() || workFolder.empty())
        return refused(refusalReason(NameRefusal::Empty));
    if (hasTooLongPart(fileName) || workFolder.size() + fileName.size() > kMaxPathLength)
        return refused(refusalReason(NameRefusal::TooLong));

    const std::string current = normal(file.path);
    const std::string target = normal(workFolder + fileName);
    const TargetFolder folder = targetFolderOf(workFolder, fileName);
    RenameCheck check;
    check.folder = folder.path;
    if (target == current) {
        check.status = RenameStatus::Unchanged;
        return check;
    }

    if (foldersToMake_.contains(folder.path)) {
        check.status = RenameStatus::NewFolder;
    } else if (!folderExists(folder.path)) {
        if (!createFolders_ || !mayCreateFolder(folder)) {
            check.status = RenameStatus::MissingFolder;
            check.reason =
                base::trf(createFolders_ ? ids::kRenameFolderNotCreated : ids::kRenameFolderMissing,
                          folder.path);
            return check;
        }
        check.status = RenameStatus::NewFolder;
    }
    if (const auto it = takenBy_.find(target); it != takenBy_.end()) {
        check.status = RenameStatus::TakenByRow;
        check.takenBy = it->second;
        check.reason = base::trf(ids::kRenameTakenByRow, it->second + 1);
        return check;
    }
    if (pathTaken(target) && !sameFile(target, current)) {
        check.status = RenameStatus::TakenByFile;
        check.reason = base::tr(ids::kRenameTakenByFile);
        return check;
    }

    if (check.status == RenameStatus::NewFolder) {
        // The folder and the parents it needs exist for every later file.
        const std::string root = normal(folder.root);
        for (fs::path made = fs::path(folder.path).parent_path();
             made.string().size() > root.size(); made = made.parent_path())
            foldersToMake_.insert(made.string() + '/');
    }
    takenBy_[target] = place;
    takenBy_.erase(current);
    vacated_.insert(current);
    return check;
}

}  // namespace tw::rename
