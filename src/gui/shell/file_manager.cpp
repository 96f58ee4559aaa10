// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/file_manager.h"

#include "gui/shell/desktop_port.h"
#include "gui/shell/local_url.h"

namespace tw::gui {

namespace {

// The folder as an item of its parent, without the trailing "/" the work folder carries.
void callOrOpen(DesktopPort& port, const QString& method, std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const QUrl url = localUrl(folder);
    port.callFileManager(method, {QString::fromLatin1(url.toEncoded())}, [&port, url](bool taken) {
        if (!taken)
            port.openUrl(url);
    });
}

}  // namespace

void exploreFolder(DesktopPort& port, const std::string& folder) {
    callOrOpen(port, QStringLiteral("ShowFolders"), folder);
}

void showFolderProperties(DesktopPort& port, const std::string& folder) {
    callOrOpen(port, QStringLiteral("ShowItemProperties"), folder);
}

}  // namespace tw::gui
