// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up and shutdown of the whole program: the folder it opens, its window, its options;
// leaving it, and the language change that restarts it, never drop unsaved edits unasked.
#include <QGuiApplication>
#include <QScreen>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "gui/app/application.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/support/app_harness.h"

namespace ids = tw::base::ids;
using tw::test::AppHarness;
using Answer = tw::base::UserPort::Answer;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

const char kCloseQuestion[] =
    "ask:You have edited several ID3 tags in the files.\nDo you want to save the changes "
    "before closing?";

// A started program on one file whose record holds an unsaved track number.
struct EditedFile {
    AppHarness h;
    std::string path;
    EditedFile() { path = h.addFile("a.mp3", "A"); }
    bool start() {
        if (!h.start() || !h.trigger(ids::kCmdSetNumbering))
            return false;
        return h.app().list().anyDirty();
    }
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every audio file is selected, listed in the order a user reads names in.
    void opensTheLastFolderWithEveryFileSelected() {
        AppHarness h;
        for (const char* name : {"Track 10.mp3", "track 9.MP3", "Track 1.mp3", "notes.txt"})
            h.addFile(name);
        QVERIFY(h.start());
        QCOMPARE(h.listText(), std::string("Track 1.mp3* track 9.MP3* Track 10.mp3*"));
        QCOMPARE(h.window().windowTitle(),
                 QStringLiteral("Tunewright - [%1]").arg(q(h.musicFolder())));
        QCOMPARE(h.window().statusPanes().countsText(),
                 QStringLiteral("3 selected | 0 changed | 3 files"));
        QCOMPARE(h.window().statusPanes().message(), QStringLiteral("Ready"));
    }

    void firstStartUsesTheDefaults() {
        AppHarness h;
        h.store.setString("Settings", "D", "");
        QVERIFY(h.start());
        QCOMPARE(h.app().list().size(), 0);
        QCOMPARE(q(tw::core::options().workFolder), QDir::homePath() + QLatin1Char('/'));
        // A comfortable size, never more than 80% of the screen, centred.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect placed = h.window().geometry();
        QCOMPARE(placed.size(), QSize(std::min(1100, screen.width() * 4 / 5),
                                      std::min(720, screen.height() * 4 / 5)));
        QVERIFY(std::abs(placed.center().x() - screen.center().x()) <= 1);
        QVERIFY(std::abs(placed.center().y() - screen.center().y()) <= 1);
        QVERIFY(!h.window().isMaximized());
    }

    void theTitleNamesAFolderWhileItIsRead() {
        AppHarness h;
        tw::test::TempDir other;
        const std::string file = h.addFile("a.mp3");
        std::filesystem::copy_file(file, other / "x.mp3");
        QVERIFY(h.start());
        QStringList titles;
        h.port.duringProgress = [&h, &titles] { titles << h.window().windowTitle(); };
        h.shell.folders.push_back(other.folder());
        QVERIFY(h.trigger(ids::kCmdOpenFolder));
        QVERIFY(!titles.isEmpty());
        QCOMPARE(titles.first(), QStringLiteral("Tunewright - [%1]").arg(q(other.folder())));
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

    void theArgumentOpensAFileOrAFolderOrEndsTheStart() {
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

        AppHarness nothing;
        QVERIFY(!nothing.start({q(nothing.musicFolder() + "missing.mp3")}));
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

    void aCleanListClosesWithoutAQuestion() {
        AppHarness h;
        h.addFile("a.mp3");
        QVERIFY(h.start());
        QVERIFY(h.action(ids::kCmdLanguageDefault)->isChecked());
        QVERIFY(h.trigger(ids::kCmdLanguageDefault));  // the active language: nothing to ask
        QVERIFY(h.window().isVisible());
        QVERIFY(h.window().close());
        QVERIFY(h.port.log.empty() || h.port.log.back().rfind("ask:", 0) != 0);
    }

    // Cancel keeps the window and the edits, No closes without writing, Yes saves first.
    void theAnswerDecidesWhetherToCloseAndSave() {
        const struct {
            Answer answer;
            bool closes;
            int track;
        } cases[] = {{Answer::Cancel, false, 0}, {Answer::No, true, 0}, {Answer::Yes, true, 1}};
        for (const auto& c : cases) {
            EditedFile e;
            QVERIFY(e.start());
            e.h.port.answers.push_back(c.answer);
            QCOMPARE(e.h.window().close(), c.closes);
            QCOMPARE(std::count(e.h.port.log.begin(), e.h.port.log.end(), kCloseQuestion), 1);
            QCOMPARE(e.h.window().isVisible(), !c.closes);
            QCOMPARE(e.h.reread("a.mp3")->id3v1.track, c.track);
        }
        EditedFile e;
        QVERIFY(e.start());
        e.h.port.answers.push_back(Answer::No);
        QVERIFY(e.h.trigger(ids::kCmdExit));
        QVERIFY(!e.h.window().isVisible());
    }

    void aFailedSaveKeepsTheProgramOpen() {
        EditedFile e;
        QVERIFY(e.start());
        std::filesystem::remove(e.path);
        e.h.port.answers.push_back(Answer::Yes);
        QVERIFY(!e.h.window().close());
        QCOMPARE(e.h.port.failedReports, 1);
        QVERIFY(e.h.app().list().anyDirty());
        // Giving the edits up is the user's choice.
        e.h.port.answers.push_back(Answer::No);
        QVERIFY(e.h.window().close());
    }

    void aLanguageChangeAsksAboutEditsBeforeTheRestart() {
        EditedFile e;
        e.h.addLanguageFile("Nederlands.lng", "[MenuItems]\n62000=Gereed\n");
        QVERIFY(e.start());
        const int entry = ids::kCmdLanguageFirst;
        QVERIFY(e.h.isEnabled(entry));

        e.h.port.answers.push_back(Answer::Yes);     // restart?
        e.h.port.answers.push_back(Answer::Cancel);  // save before closing?
        QVERIFY(e.h.trigger(entry));
        QCOMPARE(e.h.store.getString("Settings", "Language", ""), std::string("Nederlands"));
        QVERIFY(e.h.window().isVisible());
        QVERIFY(!e.h.app().restartRequested());

        e.h.port.answers.push_back(Answer::Yes);
        e.h.port.answers.push_back(Answer::Yes);
        QVERIFY(e.h.trigger(entry));
        QVERIFY(!e.h.window().isVisible());
        QVERIFY(e.h.app().restartRequested());
        QCOMPARE(e.h.reread("a.mp3")->id3v1.track, 1);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
