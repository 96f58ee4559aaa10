// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/rename_plan.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

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

RenameCheck refused(base::Message reason) {
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

base::Message refusalReason(NameRefusal refusal) {
    switch (refusal) {
        case NameRefusal::None:
            return {};
        case NameRefusal::Empty:
            return base::Message(ids::kRenameNoName);
        case NameRefusal::NoValues:
            return base::Message(ids::kRenameNoValues);
        case NameRefusal::TooLong:
            return base::Message(ids::kRenameNameTooLong);
        case NameRefusal::LeavesAllowedFolders:
            return base::Message(ids::kRenameLeavesFolders);
    }
    return {};
}

namespace {

// The first pass: each file on its own, with the folders earlier files make.
class FileChecker {
public:
    explicit FileChecker(bool createFolders) : createFolders_(createFolders) {}

    RenameCheck check(const core::AudioFile& file, const Expansion& expansion) {
        if (expansion.refusal != NameRefusal::None)
            return refused(refusalReason(expansion.refusal));
        const std::string workFolder = workFolderOf(file);
        const std::string fileName = nameInWorkFolder(
            workFolder,
            core::AudioFile::fileNameFor(expansion.name, core::keptExtension(file.fileName)));
        if (fileName.empty() || workFolder.empty())
            return refused(refusalReason(NameRefusal::Empty));
        if (hasTooLongPart(fileName) || workFolder.size() + fileName.size() > kMaxPathLength)
            return refused(refusalReason(NameRefusal::TooLong));

        RenameCheck check;
        check.name = fileName;
        check.from = normal(file.path);
        check.to = normal(workFolder + fileName);
        const TargetFolder folder = targetFolderOf(workFolder, fileName);
        check.folder = folder.path;
        if (check.to == check.from) {
            check.status = RenameStatus::Unchanged;
            return check;
        }
        if (foldersToMake_.contains(folder.path)) {
            check.status = RenameStatus::NewFolder;
        } else if (!folderExists(folder.path)) {
            if (!createFolders_ || !mayCreateFolder(folder)) {
                check.status = RenameStatus::MissingFolder;
                check.reason = base::Message(
                    createFolders_ ? ids::kRenameFolderNotCreated : ids::kRenameFolderMissing,
                    folder.path);
                return check;
            }
            check.status = RenameStatus::NewFolder;
            // The folder and the parents it needs exist for every later file.
            const std::string root = normal(folder.root);
            for (fs::path made = fs::path(folder.path).parent_path();
                 made.string().size() > root.size(); made = made.parent_path())
                foldersToMake_.insert(made.string() + '/');
        } else if (::access(folder.path.c_str(), W_OK) != 0) {
            check.status = RenameStatus::NotWritable;
            check.reason = base::Message(ids::kRenameFolderNotWritable, folder.path);
        }
        return check;
    }

private:
    bool folderExists(const std::string& folder) {
        auto [it, added] = folderCache_.try_emplace(folder, false);
        if (added) {
            std::error_code error;
            it->second = fs::is_directory(folder, error);
        }
        return it->second;
    }

    bool createFolders_;
    std::unordered_set<std::string> foldersToMake_;      // folders earlier files make
    std::unordered_map<std::string, bool> folderCache_;  // folder -> exists on disk
};

// The file of the run that holds `path` now, if any.
int holderOf(const std::unordered_map<std::string, int>& holders, const std::string& path) {
    const auto it = holders.find(path);
    return it == holders.end() ? -1 : it->second;
}

std::unordered_map<std::string, int> currentPaths(const std::vector<RenameCheck>& plan) {
    std::unordered_map<std::string, int> holders;
    for (std::size_t i = 0; i < plan.size(); ++i)
        if (!plan[i].from.empty())
            holders.emplace(plan[i].from, static_cast<int>(i));
    return holders;
}

}  // namespace

bool RenameCheck::moves() const {
    return status == RenameStatus::Rename || status == RenameStatus::NewFolder;
}

std::vector<RenameCheck> planRenames(const std::vector<const core::AudioFile*>& files,
                                     const std::vector<Expansion>& expansions, bool createFolders) {
    FileChecker checker(createFolders);
    std::vector<RenameCheck> plan;
    plan.reserve(files.size());
    std::unordered_map<std::string, int> claimedBy;
    for (std::size_t i = 0; i < files.size(); ++i) {
        RenameCheck check = checker.check(*files[i], expansions[i]);
        if (check.moves()) {
            const auto [claim, first] = claimedBy.try_emplace(check.to, static_cast<int>(i));
            if (!first) {
                check.status = RenameStatus::TakenByRow;
                check.takenBy = claim->second;
                check.reason = base::Message(ids::kRenameTakenByRow, claim->second + 1);
            }
        }
        plan.push_back(std::move(check));
    }

    markTakenNames(plan);
    return plan;
}

void markTakenNames(std::vector<RenameCheck>& plan) {
    const std::unordered_map<std::string, int> holders = currentPaths(plan);
    for (bool changed = true; changed;) {
        changed = false;
        for (RenameCheck& check : plan) {
            if (!check.moves())
                continue;
            const int holder = holderOf(holders, check.to);
            const bool vacated = holder >= 0 && plan[static_cast<std::size_t>(holder)].moves();
            if (vacated || !existsOnDisk(check.to) || sameFile(check.to, check.from))
                continue;
            check.status = RenameStatus::TakenByFile;
            check.reason = base::Message(ids::kRenameTakenByFile);
            changed = true;
        }
    }
}

std::vector<RenameStep> renameOrder(const std::vector<RenameCheck>& plan) {
    enum class State { Waiting, Parked, Done };
    const std::unordered_map<std::string, int> holders = currentPaths(plan);
    std::vector<State> states(plan.size(), State::Done);
    std::vector<int> blockers(plan.size(), -1);
    std::size_t waiting = 0;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        if (!plan[i].moves())
            continue;
        states[i] = State::Waiting;
        ++waiting;
        const int holder = holderOf(holders, plan[i].to);
        if (holder != static_cast<int>(i) && holder >= 0 &&
            plan[static_cast<std::size_t>(holder)].moves())
            blockers[i] = holder;
    }

    std::vector<RenameStep> steps;
    while (waiting > 0) {
        bool moved = false;
        for (std::size_t i = 0; i < plan.size(); ++i) {
            if (states[i] == State::Done)
                continue;
            const int blocker = blockers[i];
            if (blocker >= 0 && states[static_cast<std::size_t>(blocker)] == State::Waiting)
                continue;
            steps.push_back({static_cast<int>(i), false});
            states[i] = State::Done;
            --waiting;
            moved = true;
        }
        if (moved)
            continue;
        // Every waiting file waits for another: they form cycles. Parking one frees its
        // name for the file before it in the cycle.
        for (std::size_t i = 0; i < plan.size(); ++i) {
            if (states[i] == State::Waiting) {
                steps.push_back({static_cast<int>(i), true});
                states[i] = State::Parked;
                break;
            }
        }
    }
    return steps;
}

}  // namespace tw::rename
