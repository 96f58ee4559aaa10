// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/mainwindow/tray_icon.h"

#include <QApplication>
#include <QDockWidget>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QWindowStateChangeEvent>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "gui/actions/command_set.h"
#include "gui/actions/command_table.h"
#include "gui/common/product_icon.h"
#include "gui/mainwindow/main_window.h"
#include "gui/product.h"
#include "gui/shell/desktop_port.h"

namespace tw::gui {

TrayIcon::TrayIcon(MainWindow& window, CommandSet& commands, const core::AppOptions& options,
                   DesktopPort& port)
    : QObject(&window),
      window_(window),
      commands_(commands),
      options_(options),
      port_(port),
      icon_(new QSystemTrayIcon(productIcon(), this)) {
    icon_->setToolTip(productName());
    icon_->setContextMenu(&menu_);
    connect(&menu_, &QMenu::aboutToShow, this, &TrayIcon::fillMenu);
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger)
                    restoreFromTray();
            });
    commands_.define(base::ids::kCmdRestoreFromTray,
                     {[this] { restoreFromTray(); }, [this] { return hiding_; }});
    window_.installEventFilter(this);
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::iconVisible() const {
    return icon_->isVisible();
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_)
        return false;
    if (event->type() == QEvent::WindowStateChange && !hiding_ && window_.isMinimized() &&
        options_.minimizeToTray && !QApplication::activeModalWidget() &&
        port_.systemTrayAvailable()) {
        wasMaximized_ =
            static_cast<QWindowStateChangeEvent*>(event)->oldState().testFlag(Qt::WindowMaximized);
        // Hidden once the window system has finished minimising it.
        QTimer::singleShot(0, this, &TrayIcon::minimizeToTray);
    } else if (event->type() == QEvent::Close && hiding_) {
        restoreFromTray();
    }
    return false;
}

void TrayIcon::minimizeToTray() {
    if (hiding_ || !window_.isMinimized())
        return;
    hiding_ = true;
    toolbarWasVisible_ = !window_.mainBar().isHidden();
    folderTreeWasVisible_ = !window_.folderDock().isHidden();
    window_.mainBar().hide();
    window_.folderDock().hide();
    window_.hide();
    // A dialog opened from the icon's menu may be the last window that closes; that must not
    // end the program while its main window waits in the notification area.
    quitOnLastWindowClosed_ = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    icon_->show();
    commands_.updateStates();
}

void TrayIcon::restoreFromTray() {
    if (!hiding_)
        return;
    hiding_ = false;
    window_.mainBar().setVisible(toolbarWasVisible_);
    window_.folderDock().setVisible(folderTreeWasVisible_);
    if (wasMaximized_)
        window_.showMaximized();
    else
        window_.showNormal();
    window_.raise();
    window_.activateWindow();
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindowClosed_);
    QTimer::singleShot(kHideIconDelayMs, icon_, [this] {
        if (!hiding_)
            icon_->hide();
    });
    commands_.updateStates();
}

void TrayIcon::fillMenu() {
    menu_.clear();
    commands_.appendEntries(menu_, trayMenuSpec());
}

}  // namespace tw::gui
