// SPDX-License-Identifier: GPL-2.0-or-later
// The notification-area icon: minimising hides the window into it where the desktop has
// one and the option "w3" is on, and the icon's menu brings it back as it was.
#include <QAction>
#include <QDockWidget>
#include <QToolBar>
#include <QtTest>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "gui/app/application.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/tray_icon.h"
#include "gui/support/app_harness.h"
#include "gui/support/context_menu.h"

namespace ids = tw::base::ids;
using tw::test::AppHarness;

namespace {

// Opens the icon's menu where a click on the icon would and chooses `label`.
bool chooseFromTrayMenu(tw::gui::TrayIcon& tray, const std::string& label) {
    const auto chosen = tw::test::ChooseFromNextPopup({label});
    tray.menu().popup(QPoint(40, 40));
    return QTest::qWaitFor([&] { return *chosen; }, 2000);
}

}  // namespace

class TrayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void minimisingHidesIntoTheTrayAndOpenRestoresTheBars() {
        AppHarness h;
        h.desktop.trayAvailable = true;
        QVERIFY(h.start());
        tw::gui::MainWindow& window = h.window();
        tw::gui::TrayIcon& tray = h.app().tray();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(h.action(ids::kCmdMinimizeToTray)->isChecked());
        QVERIFY(h.trigger(ids::kCmdViewFolderTree));  // the tree is hidden before
        QVERIFY(!h.isEnabled(ids::kCmdRestoreFromTray));

        window.showMinimized();
        QTRY_VERIFY(tray.hidesWindow());
        QVERIFY(window.isHidden());
        QVERIFY(window.mainBar().isHidden());
        QVERIFY(tray.iconVisible());
        QVERIFY(!QApplication::quitOnLastWindowClosed());

        QVERIFY(chooseFromTrayMenu(tray, "Open"));
        QVERIFY(!tray.hidesWindow());
        QVERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());
        QVERIFY(!window.mainBar().isHidden());
        QVERIFY(window.folderDock().isHidden());
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QVERIFY(tray.iconVisible());
        QTRY_VERIFY(!tray.iconVisible());

        // The menu's Help opens the help, and Exit brings the window back to close it.
        window.showMinimized();
        QTRY_VERIFY(tray.hidesWindow());
        QVERIFY(chooseFromTrayMenu(tray, "Help"));
        QVERIFY(h.desktop.opened.back().url.toString().endsWith(
            QStringLiteral("/help/01_introduction.htm")));
        QVERIFY(tray.hidesWindow());
        QVERIFY(chooseFromTrayMenu(tray, "Exit"));
        QVERIFY(!tray.hidesWindow());
        QVERIFY(!window.isVisible());
        QVERIFY(QApplication::quitOnLastWindowClosed());
    }

    // A maximised window comes back maximised.
    void aMaximisedWindowComesBackMaximised() {
        AppHarness h;
        h.desktop.trayAvailable = true;
        QVERIFY(h.start());
        tw::gui::MainWindow& window = h.window();
        window.showMaximized();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.showMinimized();
        QTRY_VERIFY(h.app().tray().hidesWindow());
        QVERIFY(h.trigger(ids::kCmdRestoreFromTray));
        QVERIFY(window.isMaximized());
        QVERIFY(!window.folderDock().isHidden());
    }

    void withoutATrayOrTheOptionTheWindowMinimisesAsUsual_data() {
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<bool>("option");
        QTest::newRow("no tray") << false << true;
        QTest::newRow("option off") << true << false;
    }
    void withoutATrayOrTheOptionTheWindowMinimisesAsUsual() {
        QFETCH(bool, trayAvailable);
        QFETCH(bool, option);
        AppHarness h;
        h.desktop.trayAvailable = trayAvailable;
        h.store.setInt("Settings", "w3", option ? 1 : 0);
        QVERIFY(h.start());
        QCOMPARE(h.isEnabled(ids::kCmdMinimizeToTray), trayAvailable);
        QVERIFY(!h.action(ids::kCmdMinimizeToTray)->isChecked());  // it does nothing now
        tw::gui::MainWindow& window = h.window();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.showMinimized();
        QTest::qWait(50);
        QVERIFY(window.isMinimized());
        QVERIFY(window.isVisible());
        QVERIFY(!h.app().tray().hidesWindow());
        QVERIFY(!h.app().tray().iconVisible());
        QVERIFY(!window.mainBar().isHidden());
    }
};

QTEST_MAIN(TrayTest)
#include "tray_test.moc"
