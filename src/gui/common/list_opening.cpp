// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/common/list_opening.h"

#include <filesystem>

#include "core/app_options.h"
#include "core/formats/audio_format.h"
#include "core/list_session.h"

namespace tw::gui {

namespace {

bool isAudioName(const std::string& path) {
    return core::isListedAudioName(path, core::options().mp3FilesOnly);
}

bool isFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

bool openFolderAsked(core::ListSession& session, const std::string& folder, bool refreshTree) {
    if (!session.confirmDiscard())
        return false;
    (void)session.scanFolder(folder, refreshTree);  // an unreadable folder is told by it
    return true;
}

bool openFilesAsked(core::ListSession& session, const std::vector<std::string>& paths) {
    if (paths.empty() || !session.confirmDiscard())
        return false;
    // A file that could not be read is listed as such; one of another folder is left out.
    (void)session.openFile(paths.front(), false);
    for (std::size_t i = 1; i < paths.size(); ++i)
        (void)session.openFile(paths[i], true);
    return true;
}

bool openDropped(core::ListSession& session, const std::vector<std::string>& paths) {
    if (paths.size() == 1) {
        const std::string& item = paths.front();
        if (isAudioName(item) && !isFolder(item))
            return openFilesAsked(session, paths);
        if (isFolder(item))
            return openFolderAsked(session, item, true);
        return false;
    }
    std::vector<std::string> files;
    for (const std::string& item : paths)
        if (isAudioName(item) && !isFolder(item))
            files.push_back(item);
    return openFilesAsked(session, files);
}

}  // namespace tw::gui
