#include <QtTest>

#include "core/file_list.h"
#include "gui/app/application.h"
#include "gui/mainwindow/main_window.h"
#include "gui/support/app_harness.h"

using tw::test::AppHarness;

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensTheStoredFolder() {
        AppHarness h;
        h.addFile("a.mp3", "A");
        h.addFile("b.mp3", "B");
        QVERIFY(h.start());
        QCOMPARE(h.app().list().size(), 2);
        QCOMPARE(h.window().windowTitle(),
                 QStringLiteral("Tunewright - [%1]").arg(QString::fromStdString(h.musicFolder())));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
