// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/folder_tree.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <utility>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/app_options.h"
#include "core/folder_files.h"
#include "core/list_sort.h"

namespace tw::core {

namespace {

using FolderId = std::pair<dev_t, ino_t>;

struct PendingFolder {
    std::string path;  // ends with the separator
    int depth;
};

}  // namespace

bool audioFilesInTree(const std::string& folder, bool mp3Only, std::vector<std::string>& paths,
                      std::vector<SkippedFolder>& skipped) {
    using Why = SkippedFolder::Why;
    std::set<FolderId> read;
    // An explicit stack, not recursion: a deep tree costs memory, never the call stack.
    std::vector<PendingFolder> pending{{folder, 0}};
    std::vector<std::string> subFolders;
    while (!pending.empty()) {
        PendingFolder current = std::move(pending.back());
        pending.pop_back();
        const bool top = current.depth == 0;
        struct stat facts {};
        if (::stat(current.path.c_str(), &facts) != 0) {
            if (top)
                return false;
            skipped.push_back({Why::Unreadable, current.path,
                               base::Message::verbatim(
                                   std::error_code(errno, std::generic_category()).message())});
            continue;
        }
        if (!read.insert({facts.st_dev, facts.st_ino}).second) {
            skipped.push_back({Why::ReachedAgain, current.path, {}});
            continue;
        }
        subFolders.clear();
        if (const base::Outcome listed = readFolder(current.path, mp3Only, paths, &subFolders);
            !listed) {
            if (top)
                return false;
            skipped.push_back({Why::Unreadable, current.path, listed.failure().why});
        }
        if (current.depth == kMaxFolderDepth) {
            for (const std::string& name : subFolders)
                skipped.push_back({Why::TooDeep, current.path + name + '/', {}});
            continue;
        }
        // Pushed last to first, so the first in natural order is read next.
        std::sort(subFolders.begin(), subFolders.end(),
                  [](const std::string& a, const std::string& b) { return listsBefore(b, a); });
        for (const std::string& name : subFolders)
            pending.push_back({current.path + name + '/', current.depth + 1});
    }
    return true;
}

std::string skippedFoldersReport(const std::vector<SkippedFolder>& skipped) {
    using Why = SkippedFolder::Why;
    std::string report;
    for (const Why why : {Why::ReachedAgain, Why::Unreadable, Why::TooDeep}) {
        const auto ofKind = [why](const SkippedFolder& s) { return s.why == why; };
        const auto first = std::find_if(skipped.begin(), skipped.end(), ofKind);
        if (first == skipped.end())
            continue;
        const std::string count =
            std::to_string(std::count_if(skipped.begin(), skipped.end(), ofKind));
        if (!report.empty())
            report += ' ';
        switch (why) {
            case Why::ReachedAgain:
                report += base::trf(base::ids::kTreeSkippedLoops, count, first->folder);
                break;
            case Why::Unreadable:
                report += base::trf(base::ids::kTreeSkippedUnreadable, count, first->folder,
                                    base::worded(first->reason));
                break;
            case Why::TooDeep:
                report += base::trf(base::ids::kTreeSkippedTooDeep, count,
                                    std::to_string(kMaxFolderDepth), first->folder);
                break;
        }
    }
    return report;
}

bool listedAudioFiles(const std::string& folder, const AppOptions& options, base::UserPort& port,
                      std::vector<std::string>& paths) {
    if (!options.includeSubfolders)
        return audioFilesIn(folder, options.mp3FilesOnly, paths);
    std::vector<SkippedFolder> skipped;
    const bool readable = audioFilesInTree(folder, options.mp3FilesOnly, paths, skipped);
    if (const std::string report = skippedFoldersReport(skipped); !report.empty())
        port.showStatus(report);
    return readable;
}

}  // namespace tw::core
