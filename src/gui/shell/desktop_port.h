// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace tw::gui {

// What the program asks of the desktop around it: the default handlers of files and web
// addresses, the desktop entry of a default application, starting another program, the file
// manager's D-Bus interface and the notification area.
//
// QtDesktopPort asks the real desktop; tests put a scripted one in its place, so they see
// the playlist handed to the player and the calls made to the file manager. None of these
// calls shows anything to the user; the callers say what failed (openOnDesktop).
class DesktopPort {
public:
    virtual ~DesktopPort() = default;

    // Opens a file, folder or web address with the desktop's default handler; false when
    // the desktop names no handler for it or the handler could not be started.
    [[nodiscard]] virtual bool openUrl(const QUrl& url) = 0;
    // The path of the desktop entry of the application that opens `file` by default;
    // empty when the desktop does not say.
    virtual QString defaultApplicationEntry(const QString& file) = 0;
    // Starts `program` with `arguments` without waiting for it; false when it did not start.
    [[nodiscard]] virtual bool startProgram(const QString& program,
                                            const QStringList& arguments) = 0;
    // Calls `method` ("ShowFolders", "ShowItems" or "ShowItemProperties") of the file
    // manager's interface org.freedesktop.FileManager1 with `uris`. `done` learns, on the
    // GUI thread and possibly later, whether a file manager took the call.
    virtual void callFileManager(const QString& method, const QStringList& uris,
                                 std::function<void(bool taken)> done) = 0;
    // Whether the desktop shows a notification area (system tray) now.
    virtual bool systemTrayAvailable() = 0;
};

}  // namespace tw::gui
