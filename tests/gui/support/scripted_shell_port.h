#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/app/shell_port.h"

namespace tw::test {

// A ShellPort for window tests: logs each call in `log` and answers the pickers from queues
// the test fills; an empty queue answers "cancelled". The file information window is
// replaced by `onFileInfo`, when set.
class ScriptedShellPort : public gui::ShellPort {
public:
    std::vector<std::string> log;  // "pick-folder:<start>", "pick-files:<folder>",
                                   // "file-info:<index>", "about"
    std::deque<std::string> folders;
    std::deque<std::vector<std::string>> fileChoices;
    std::function<void(gui::GuiContext&, int)> onFileInfo;
    // Answers of the CDDB windows' choices ("export:<suggested>:<filter index>",
    // "database-folder:<start>" and "proxy:<user>" in the log).
    std::deque<gui::AlbumExportChoice> exportChoices;
    std::deque<std::string> databaseFolders;
    std::deque<std::pair<std::string, std::string>> proxyCredentials;

    std::optional<std::string> pickFolder(const std::string& start) override;
    std::vector<std::string> pickAudioFiles(const std::string& folder) override;
    void showFileInfo(gui::GuiContext& context, int index) override;
    void showAbout() override;
    std::optional<gui::AlbumExportChoice> askAlbumExport(const std::string& suggested,
                                                         int filterIndex,
                                                         bool openAfterwards) override;
    std::optional<std::string> pickDatabaseFolder(const std::string& start) override;
    bool askProxyCredentials(std::string& user, std::string& password) override;
};

}  // namespace tw::test
