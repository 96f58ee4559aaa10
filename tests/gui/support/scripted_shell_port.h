// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/common/shell_port.h"

namespace tw::test {

// A ShellPort for window tests: logs each call in `log` and answers the pickers from queues
// the test fills; an empty queue answers "cancelled". The file information window is
// replaced by `onFileInfo`, the renaming windows by `onRenamingWindow`, when set.
class ScriptedShellPort : public gui::ShellPort {
public:
    std::vector<std::string> log;     // "pick-folder:<start>", "pick-files:<folder>",
                                      // "file-info:<index>", "about", "renaming",
                                      // "filename-to-tag", "change-case:<target>",
                                      // "pick-path:<start>"
    std::deque<std::string> folders;  // answers pickFolder and pickPath
    std::deque<std::vector<std::string>> fileChoices;
    std::function<void(gui::GuiContext&, int)> onFileInfo;
    // Stands in for the renaming windows, when set; returns whether they changed records.
    std::function<bool(gui::GuiContext&)> onRenamingWindow;
    // Answers of the CDDB windows' choices ("export:<suggested>:<filter index>",
    // "database-folder:<start>" and "proxy:<user>" in the log).
    std::deque<gui::AlbumExportChoice> exportChoices;
    std::deque<std::string> databaseFolders;
    std::deque<std::pair<std::string, std::string>> proxyCredentials;

    std::optional<std::string> pickFolder(const std::string& start) override;
    std::vector<std::string> pickAudioFiles(const std::string& folder) override;
    void showFileInfo(gui::GuiContext& context, int index) override;
    void showAbout() override;
    bool showRenaming(gui::GuiContext& context) override;
    bool showFilenameToTag(gui::GuiContext& context) override;
    bool showChangeCase(gui::GuiContext& context, rename::ChangeCaseTarget target) override;
    std::optional<std::string> pickPath(const std::string& start) override;
    std::optional<gui::AlbumExportChoice> askAlbumExport(const std::string& suggested,
                                                         int filterIndex,
                                                         bool openAfterwards) override;
    std::optional<std::string> pickDatabaseFolder(const std::string& start) override;
    bool askProxyCredentials(std::string& user, std::string& password) override;

private:
    bool renamingWindow(gui::GuiContext& context, std::string entry);
    std::optional<std::string> nextFolder();
};

}  // namespace tw::test
