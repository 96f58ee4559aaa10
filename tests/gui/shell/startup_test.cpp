// Start-up and shutdown of the whole program: the folder it opens, its window, its options.
#include <QGuiApplication>
#include <QScreen>
#include <QtTest>
#include <filesystem>

#include "core/app_options.h"
#include "core/file_list.h"
#include "gui/app/application.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/support/app_harness.h"

using tw::test::AppHarness;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensTheLastFolderWithEveryFileSelected() {
        AppHarness h;
        h.addFile("a.mp3", "A");
        h.addFile("b.MP3", "B");
        h.addFile("notes.txt");
        QVERIFY(h.start());
        QCOMPARE(h.app().list().size(), 2);
        QCOMPARE(h.app().list().selectedCount(), 2);
        QCOMPARE(h.window().windowTitle(),
                 QStringLiteral("Tunewright - [%1]").arg(q(h.musicFolder())));
        QCOMPARE(h.window().statusPanes().countsText(),
                 QStringLiteral("2 selected | 0 changed | 2 files"));
        QCOMPARE(h.window().statusPanes().message(), QStringLiteral("Ready"));
    }

    void firstStartUsesTheDefaults() {
        AppHarness h;
        h.store.setString("Settings", "D", "");
        QVERIFY(h.start());
        QCOMPARE(h.app().list().size(), 0);
        QCOMPARE(q(tw::core::options().workFolder), QDir::homePath() + QLatin1Char('/'));
        QCOMPARE(h.window().geometry(), QRect(60, 30, 600, 470));
        QVERIFY(!h.window().isMaximized());
    }

    void aVanishedFolderGivesWayToItsNearestParent() {
        AppHarness h;
        h.addFile("a.mp3");
        h.store.setString("Settings", "D", h.musicFolder() + "gone/deeper/");
        QVERIFY(h.start());
        QCOMPARE(tw::core::options().workFolder, h.musicFolder());
        QCOMPARE(h.app().list().size(), 1);
        h.app().exitInstance();
        QCOMPARE(h.store.getString("Settings", "D", ""), h.musicFolder());
    }

    void theArgumentOpensAFileOrAFolder() {
        AppHarness fileStart;
        fileStart.addFile("a.mp3");
        const std::string b = fileStart.addFile("b.mp3");
        QVERIFY(fileStart.start({q(b)}));
        QCOMPARE(fileStart.listText(), std::string("b.mp3*"));

        AppHarness folderStart;
        folderStart.store.setString("Settings", "D", "/");
        folderStart.addFile("a.mp3");
        QVERIFY(folderStart.start({q(folderStart.musicFolder())}));
        QCOMPARE(folderStart.listText(), std::string("a.mp3*"));
        QCOMPARE(tw::core::options().workFolder, folderStart.musicFolder());
    }

    void anArgumentThatNamesNothingEndsTheStart() {
        AppHarness h;
        QVERIFY(!h.start({q(h.musicFolder() + "missing.mp3")}));
    }

    void exitStoresTheOptionsButNotThePlacement() {
        AppHarness h;
        QVERIFY(h.start());
        tw::core::options().autoFillV2 = true;
        h.window().move(100, 100);
        h.app().exitInstance();
        QCOMPARE(h.store.getInt("Settings", "i7", 0), 1);
        QCOMPARE(h.store.getString("Settings", "D", ""), h.musicFolder());
        QVERIFY(!h.store.hasValue("Window", "x"));
    }

    void aStoredMaximisedWindowStartsMaximised() {
        AppHarness h;
        h.store.setInt("Window", "Max", 1);
        QVERIFY(h.start());
        QVERIFY(h.window().isMaximized());
    }

    // Hand-edited or foreign settings: absurd numbers and values of the wrong type.
    void absurdPlacementsAreBroughtOntoTheScreen() {
        AppHarness h;
        h.store.setInt("Window", "x", 2147483647);
        h.store.setInt("Window", "y", -2147483647 - 1);
        h.store.setInt("Window", "cx", -5);
        h.store.setString("Window", "cy", "tall");
        QVERIFY(h.start());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect placed = h.window().geometry();
        QVERIFY(screen.contains(placed.topLeft()));
        QCOMPARE(placed.width(), tw::gui::MainWindow::kMinimumWidth);
        QCOMPARE(placed.height(), 470);
    }

    void theWindowCannotBeMadeSmallerThanItsMinimum() {
        AppHarness h;
        QVERIFY(h.start());
        h.window().resize(100, 100);
        QCOMPARE(h.window().size(), QSize(540, 440));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
