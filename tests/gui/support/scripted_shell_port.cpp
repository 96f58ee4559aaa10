#include "gui/support/scripted_shell_port.h"

namespace tw::test {

std::optional<std::string> ScriptedShellPort::pickFolder(const std::string& start) {
    log.push_back("pick-folder:" + start);
    if (folders.empty())
        return std::nullopt;
    std::string folder = folders.front();
    folders.pop_front();
    return folder;
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

}  // namespace tw::test
