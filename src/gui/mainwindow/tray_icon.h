// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>

class QSystemTrayIcon;

namespace tw::core {
struct AppOptions;
}

namespace tw::gui {

class CommandSet;
class DesktopPort;
class MainWindow;

// The notification-area icon ("&Minimize Window to Systray", option "w3"). While the option
// is on and the desktop shows a notification area, minimising the main window hides it,
// with its toolbar and folder tree, and shows the icon; a click on the icon or its menu's
// "&Open" brings all of them back as they were. Without a notification area nothing of
// this happens and the window minimises as usual.
//
// Defines the command "&Open" (kCmdRestoreFromTray) of the icon's menu. A window that
// closes while it hides (the menu's "Exit", the session ending) comes back first, so its
// questions about unsaved edits have a window to stand on.
//
// Borrows the window, the commands, the options and the port, which outlive it; owns the
// icon and its menu.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(MainWindow& window, CommandSet& commands, const core::AppOptions& options,
             DesktopPort& port);
    ~TrayIcon() override;

    // The main window is hidden in the notification area.
    bool hidesWindow() const { return hiding_; }
    bool iconVisible() const;
    // The icon's menu, made afresh each time it opens.
    QMenu& menu() { return menu_; }

    void minimizeToTray();
    void restoreFromTray();

    // How long the icon stays after the window came back, so a desktop that still delivers
    // the click's release to it finds it there.
    static constexpr int kHideIconDelayMs = 100;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillMenu();

    MainWindow& window_;
    CommandSet& commands_;
    const core::AppOptions& options_;
    DesktopPort& port_;
    QSystemTrayIcon* icon_;  // owned by this object
    QMenu menu_;
    bool hiding_ = false;
    bool toolbarWasVisible_ = true;
    bool folderTreeWasVisible_ = true;
    bool wasMaximized_ = false;
    bool quitOnLastWindowClosed_ = true;
};

}  // namespace tw::gui
