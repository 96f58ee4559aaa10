// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "gui/common/shell_port.h"

namespace tw::gui {

// The ShellPort of the running program: Qt dialogs over the main window.
//
// Holds a guarded pointer to the parent window (set once the window exists); owns nothing.
class QtShellPort : public ShellPort {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> pickFolder(const std::string& start) override;
    std::vector<std::string> pickAudioFiles(const std::string& folder) override;
    void showFileInfo(GuiContext& context, int index) override;
    void showAbout() override;
    bool showRenaming(GuiContext& context) override;
    bool showFilenameToTag(GuiContext& context) override;
    bool showChangeCase(GuiContext& context, rename::ChangeCaseTarget target) override;
    std::optional<std::string> pickPath(const std::string& start) override;
    std::optional<AlbumExportChoice> askAlbumExport(const std::string& suggested, int filterIndex,
                                                    bool openAfterwards) override;
    std::optional<std::string> pickDatabaseFolder(const std::string& start) override;
    bool askProxyCredentials(std::string& user, std::string& password) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace tw::gui
