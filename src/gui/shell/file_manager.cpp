// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/file_manager.h"

#include "gui/shell/desktop_context.h"
#include "gui/shell/desktop_open.h"
#include "gui/shell/desktop_port.h"
#include "gui/shell/local_url.h"

namespace tw::gui {

namespace {

// The folder as an item of its parent, without the trailing "/" the work folder carries.
void callOrOpen(DesktopContext& desktop, const QString& method, std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const QUrl url = localUrl(folder);
    desktop.port.callFileManager(method, {QString::fromLatin1(url.toEncoded())},
                                 [&desktop, url](bool taken) {
                                     if (!taken)
                                         openOnDesktop(desktop.port, desktop.user, url);
                                 });
}

}  // namespace

void exploreFolder(DesktopContext& desktop, const std::string& folder) {
    callOrOpen(desktop, QStringLiteral("ShowFolders"), folder);
}

void showFolderProperties(DesktopContext& desktop, const std::string& folder) {
    callOrOpen(desktop, QStringLiteral("ShowItemProperties"), folder);
}

}  // namespace tw::gui
