// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gui/gui_context.h"

namespace tw::rename {
enum class ChangeCaseTarget;
}

namespace tw::gui {

// What the user chose in the album export dialog.
struct AlbumExportChoice {
    std::string path;
    int filterIndex = 1;  // 1 text, 2 RTF, 3 HTML, as the dialog's filter lists them
    bool openAfterwards = true;
};

// The shell's own dialogs, which the commands use besides the engines' UserPort: the folder
// picker, the open-file dialog and the modal windows of the main window. QtShellPort shows
// the real dialogs; tests put a scripted one in its place.
class ShellPort {
public:
    virtual ~ShellPort() = default;

    // The folder picker ("Open folder"), starting at `start`; nullopt when cancelled.
    virtual std::optional<std::string> pickFolder(const std::string& start) = 0;
    // The open-file dialog for MP3 files, several at once, starting in `folder`; empty
    // when cancelled.
    virtual std::vector<std::string> pickAudioFiles(const std::string& folder) = 0;
    // The file information window on the file at `index`, until the user closes it.
    virtual void showFileInfo(GuiContext& context, int index) = 0;
    // The About dialog.
    virtual void showAbout() = 0;

    // The renaming windows on the selected files, until the user closes them; each returns
    // whether it changed records (renamed files, filled or recased fields), so the views
    // redraw them.
    virtual bool showRenaming(GuiContext& context) = 0;
    virtual bool showFilenameToTag(GuiContext& context) = 0;
    virtual bool showChangeCase(GuiContext& context, rename::ChangeCaseTarget target) = 0;
    // The mask editor's folder browser ("Select path"), starting at `start`; nullopt when
    // cancelled.
    virtual std::optional<std::string> pickPath(const std::string& start) = 0;

    // The CDDB windows' choices.
    // "Export album": a file to save to, starting at `suggested` with the filter
    // `filterIndex` and the box "Open the exported file." as given; nullopt when cancelled.
    virtual std::optional<AlbumExportChoice> askAlbumExport(const std::string& suggested,
                                                            int filterIndex,
                                                            bool openAfterwards) = 0;
    // The folder of the local album database, starting at `start`; nullopt when cancelled.
    virtual std::optional<std::string> pickDatabaseFolder(const std::string& start) = 0;
    // "Proxy Server Authentication", showing `user` and `password`; false when cancelled.
    virtual bool askProxyCredentials(std::string& user, std::string& password) = 0;
};

}  // namespace tw::gui
