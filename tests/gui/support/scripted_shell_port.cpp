// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/support/scripted_shell_port.h"

#include <tuple>

#include "rename/change_case_command.h"

namespace tw::test {

std::optional<std::string> ScriptedShellPort::nextFolder() {
    if (folders.empty())
        return std::nullopt;
    std::string folder = folders.front();
    folders.pop_front();
    return folder;
}

std::optional<std::string> ScriptedShellPort::pickFolder(const std::string& start) {
    log.push_back("pick-folder:" + start);
    return nextFolder();
}

std::optional<std::string> ScriptedShellPort::pickPath(const std::string& start) {
    log.push_back("pick-path:" + start);
    return nextFolder();
}

std::vector<std::string> ScriptedShellPort::pickAudioFiles(const std::string& folder) {
    log.push_back("pick-files:" + folder);
    if (fileChoices.empty())
        return {};
    std::vector<std::string> files = fileChoices.front();
    fileChoices.pop_front();
    return files;
}

void ScriptedShellPort::showFileInfo(gui::GuiContext& context, int index) {
    log.push_back("file-info:" + std::to_string(index));
    if (onFileInfo)
        onFileInfo(context, index);
}

void ScriptedShellPort::showAbout() {
    log.push_back("about");
}

bool ScriptedShellPort::renamingWindow(gui::GuiContext& context, std::string entry) {
    log.push_back(std::move(entry));
    return onRenamingWindow && onRenamingWindow(context);
}

bool ScriptedShellPort::showRenaming(gui::GuiContext& context) {
    return renamingWindow(context, "renaming");
}

bool ScriptedShellPort::showFilenameToTag(gui::GuiContext& context) {
    return renamingWindow(context, "filename-to-tag");
}

bool ScriptedShellPort::showChangeCase(gui::GuiContext& context, rename::ChangeCaseTarget target) {
    return renamingWindow(context, "change-case:" + std::to_string(static_cast<int>(target)));
}

std::optional<gui::AlbumExportChoice> ScriptedShellPort::askAlbumExport(
    const std::string& suggested, int filterIndex, bool) {
    log.push_back("export:" + suggested + ":" + std::to_string(filterIndex));
    if (exportChoices.empty())
        return std::nullopt;
    gui::AlbumExportChoice choice = exportChoices.front();
    exportChoices.pop_front();
    return choice;
}

std::optional<std::string> ScriptedShellPort::pickDatabaseFolder(const std::string& start) {
    log.push_back("database-folder:" + start);
    if (databaseFolders.empty())
        return std::nullopt;
    std::string folder = databaseFolders.front();
    databaseFolders.pop_front();
    return folder;
}

bool ScriptedShellPort::askProxyCredentials(std::string& user, std::string& password) {
    log.push_back("proxy:" + user);
    if (proxyCredentials.empty())
        return false;
    std::tie(user, password) = proxyCredentials.front();
    proxyCredentials.pop_front();
    return true;
}

}  // namespace tw::test
