// SPDX-License-Identifier: GPL-2.0-or-later
// The folder tree: what it lists, how it follows the work folder, and the rules by which
// selecting or double-clicking a folder opens it. Also items dropped on the window.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "gui/app/application.h"
#include "gui/mainwindow/folder_tree.h"
#include "gui/mainwindow/main_window.h"
#include "gui/support/app_harness.h"

namespace fs = std::filesystem;
namespace ids = tw::base::ids;
using tw::test::AppHarness;
using Answer = tw::base::UserPort::Answer;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// A program on music/ with the sub-folders music/rock/live/ and music/jazz/, one file each.
struct Folders {
    AppHarness h;
    Folders() {
        h.addFile("top.mp3");
        fs::create_directories(h.music / "rock" / "live");
        fs::create_directories(h.music / "jazz");
        fs::copy_file(h.music / "top.mp3", h.music / "rock" / "live" / "encore.mp3");
        fs::copy_file(h.music / "top.mp3", h.music / "jazz" / "blue.mp3");
    }
    tw::gui::FolderTree& tree() { return h.window().folderTree(); }
    std::string folder(const std::string& sub) { return h.musicFolder() + sub; }
    QTreeWidgetItem* itemOf(const std::string& sub) {
        tree().selectFolder(q(folder(sub)));
        return tree().currentItem();
    }
    // The user selects a folder, as with a click.
    void userSelects(const std::string& sub) {
        QTreeWidgetItem* item = itemOf(sub);
        tree().setCurrentItem(nullptr);
        tree().setCurrentItem(item);
        QCoreApplication::processEvents();
    }
    std::string workFolder() { return tw::core::options().workFolder; }
};

}  // namespace

class FolderTreeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theTreeFollowsTheWorkFolderAndReportsItsReading() {
        Folders f;
        QVERIFY(f.h.start());
        QCOMPARE(f.tree().selectedFolder(), q(f.h.musicFolder()));
        QSignalSpy read(&f.tree(), &tw::gui::FolderTree::readingFolder);
        QTreeWidgetItem* live = f.itemOf("rock/live/");
        QCOMPARE(f.tree().selectedFolder(), q(f.folder("rock/live/")));
        QVERIFY(live->parent()->isExpanded());
        QCOMPARE(read.last().first().toString(), q(f.folder("rock/")));
        // Sub-folders are sorted.
        QTreeWidgetItem* music = f.itemOf("");
        QCOMPARE(music->child(0)->text(0), QStringLiteral("jazz"));
        QCOMPARE(music->child(1)->text(0), QStringLiteral("rock"));

        // A vanished folder selects its nearest parent.
        fs::remove_all(f.h.music / "rock");
        f.tree().selectFolder(q(f.folder("rock/live/")));
        QCOMPARE(f.tree().selectedFolder(), q(f.h.musicFolder()));
    }

    void selectingOpensAFolderUnlessDoubleClicksAreAsked() {
        Folders f;
        QVERIFY(f.h.start());
        f.userSelects("jazz/");
        QCOMPARE(f.workFolder(), f.folder("jazz/"));
        QCOMPARE(f.h.listText(), std::string("blue.mp3*"));

        tw::core::options().doubleClickOpensFolder = true;
        f.userSelects("rock/live/");
        QCOMPARE(f.workFolder(), f.folder("jazz/"));
        QTreeWidgetItem* live = f.tree().currentItem();
        Q_EMIT f.tree().itemDoubleClicked(live, 0);
        QCoreApplication::processEvents();
        QCOMPARE(f.workFolder(), f.folder("rock/live/"));
        QCOMPARE(f.h.listText(), std::string("encore.mp3*"));
    }

    void keepingTheEditsPutsTheSelectionBack() {
        Folders f;
        QVERIFY(f.h.start());
        QVERIFY(f.h.trigger(ids::kCmdSetNumbering));
        f.h.port.answers.push_back(Answer::No);
        f.userSelects("jazz/");
        QCOMPARE(f.workFolder(), f.h.musicFolder());
        QCOMPARE(f.tree().selectedFolder(), q(f.h.musicFolder()));
        QVERIFY(f.h.app().list().anyDirty());
    }

    // The progress window lets queued events through; a folder chosen meanwhile must not
    // start a second scan inside the first.
    void aFolderChosenDuringAScanIsRefused() {
        Folders f;
        QVERIFY(f.h.start());
        f.h.port.duringProgress = [&f] {
            Q_EMIT f.tree().folderActivated(q(f.folder("jazz/")));
            QCoreApplication::processEvents();
        };
        QVERIFY(f.h.trigger(ids::kCmdRefreshFolder));
        f.h.port.duringProgress = nullptr;
        QCOMPARE(f.workFolder(), f.h.musicFolder());
        QCOMPARE(f.h.listText(), std::string("top.mp3*"));
        QCOMPARE(f.tree().selectedFolder(), q(f.h.musicFolder()));
    }

    // A right click shows the menu of the folder under the cursor and opens nothing itself;
    // the menu's Open Folder does.
    void aRightClickShowsTheMenuWithoutOpeningTheFolder() {
        Folders f;
        QVERIFY(f.h.start());
        QVERIFY(QTest::qWaitForWindowActive(&f.h.window()));
        QTreeWidgetItem* jazz = f.itemOf("jazz/");
        f.tree().selectFolder(q(f.h.musicFolder()));
        const QPoint at =
            f.tree().viewport()->mapTo(&f.h.window(), f.tree().visualItemRect(jazz).center());
        QStringList entries;
        QTimer::singleShot(50, [&entries] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                for (QAction* action : popup->actions())
                    if (action->isEnabled() && !action->isSeparator())
                        entries << action->text();
                popup->close();
            }
        });
        QTest::mouseClick(f.h.window().windowHandle(), Qt::RightButton, {}, at);
        QTRY_VERIFY(!entries.isEmpty());
        QCOMPARE(entries.first(), QStringLiteral("Open Fol&der..."));
        QCoreApplication::processEvents();
        QCOMPARE(f.workFolder(), f.h.musicFolder());
        QCOMPARE(f.tree().selectedFolder(), q(f.h.musicFolder()));
        QCOMPARE(f.h.listText(), std::string("top.mp3*"));

        QVERIFY(f.h.trigger(ids::kCmdOpenTreeFolder));
        QCOMPARE(f.workFolder(), f.folder("jazz/"));
        // The folder that is open already cannot be opened from the menu.
        QVERIFY(!f.h.isEnabled(ids::kCmdOpenTreeFolder));
    }

    void droppedItemsOpenByKind() {
        Folders f;
        QVERIFY(f.h.start());
        auto drop = [&f](const QStringList& paths) {
            Q_EMIT f.h.window().itemsDropped(paths);
            QCoreApplication::processEvents();
        };
        drop({q(f.folder("jazz"))});
        QCOMPARE(f.workFolder(), f.folder("jazz/"));
        QCOMPARE(f.h.listText(), std::string("blue.mp3*"));

        drop({q(f.folder("top.mp3"))});
        QCOMPARE(f.h.listText(), std::string("top.mp3*"));

        fs::copy_file(f.h.music / "top.mp3", f.h.music / "second.MP3");
        drop({q(f.folder("notes.txt")), q(f.folder("second.MP3")),
              q(f.folder("rock/live/encore.mp3")), q(f.folder("top.mp3"))});
        QCOMPARE(f.h.listText(), std::string("second.MP3* top.mp3"));

        drop({q(f.folder("notes.txt"))});
        QCOMPARE(f.h.listText(), std::string("second.MP3* top.mp3"));
    }
};

QTEST_MAIN(FolderTreeTest)
#include "folder_tree_test.moc"
