// The main window's commands as a user meets them: menus, hot keys, enabling rules, and
// what each command of the file list and tag menus does to the list.
#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>
#include <filesystem>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "gui/app/application.h"
#include "gui/commands/command_set.h"
#include "gui/commands/command_table.h"
#include "gui/mainwindow/folder_tree.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/support/app_harness.h"
#include "gui/views/file_list_view.h"
#include "gui/views/tag_tabs_view.h"

namespace ids = tw::base::ids;
using tw::test::AppHarness;
using Answer = tw::base::UserPort::Answer;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// A started program on three files a, b, c.
struct ThreeFiles {
    AppHarness h;
    ThreeFiles() {
        h.addFile("a.mp3", "A");
        h.addFile("b.mp3", "B");
        h.addFile("c.mp3", "C");
    }
    bool start() {
        if (!h.start())
            return false;
        // The file system's order is not the test's: sort the list by name once.
        tw::core::FileList& list = h.app().list();
        for (int i = 0; i < list.size(); ++i)
            for (int j = i + 1; j < list.size(); ++j)
                if (list.at(j).fileName < list.at(i).fileName)
                    list.swap(i, j);
        h.window().listChanged();
        return true;
    }
    tw::core::FileList& list() { return h.app().list(); }
};

// Commands that other windows will carry: shown, with their keys, and disabled for now.
const int kLaterCommands[] = {
    ids::kCmdFindFiles,
    ids::kCmdFindFolder,
    ids::kCmdSettings,
    ids::kCmdShowPictureTab,
    ids::kCmdPlay,
    ids::kCmdChangeTitleCase,
    ids::kCmdChangeArtistCase,
    ids::kCmdChangeAlbumCase,
    ids::kCmdChangeCommentCase,
    ids::kCmdChangeFilenameCase,
    ids::kCmdFilenameToTag,
    ids::kCmdGetCdInfo,
    ids::kCmdAdvancedRenaming,
    ids::kCmdCreatePlaylist,
    ids::kCmdExportHtml,
    ids::kCmdExportTemplateHtml,
    ids::kCmdExportRtf,
    ids::kCmdExportTemplateRtf,
    ids::kCmdHelp,
    ids::kCmdHotKeys,
    ids::kCmdVisitWebSite,
};

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theMenuBarHoldsEveryPopupAndCommandOfTheTable() {
        AppHarness h;
        QVERIFY(h.start());
        const QList<QAction*> popups = h.window().menuBar()->actions();
        QStringList titles;
        for (QAction* popup : popups)
            titles << popup->text();
        QCOMPARE(titles.join(QLatin1Char('|')),
                 QStringLiteral("Fol&der|&File|&Edit|ID3 &Tags|E&xport|&Settings|&View|"
                                "View &Columns|Interface &Language|&Help"));
        QStringList missing;
        for (int id : tw::gui::mainMenuCommands()) {
            bool found = false;
            for (QAction* popup : popups)
                found = found || popup->menu()->actions().contains(h.action(id));
            if (!found)
                missing << QString::number(id);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
        QCOMPARE(h.action(ids::kCmdOpenFile)->text(), QStringLiteral("&Open File...\tCtrl+O"));
        QCOMPARE(h.action(ids::kCmdOpenFile)->statusTip(),
                 QStringLiteral("Open audio files into the file list"));
        QCOMPARE(h.action(ids::kCmdSetNumbering)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+F5")),
                                      QKeySequence(QStringLiteral("Ctrl+N"))}));
    }

    void theToolbarFollowsTheTable() {
        AppHarness h;
        QVERIFY(h.start());
        const QList<QAction*> buttons = h.window().mainBar().actions();
        QCOMPARE(buttons.size(), 20);
        QCOMPARE(buttons[0], h.action(ids::kCmdViewFolderTree));
        QVERIFY(buttons[1]->isSeparator());
        QCOMPARE(buttons[2], h.action(ids::kCmdOpenFile));
        QCOMPARE(buttons[14], h.action(ids::kCmdFolderMenu));
        QCOMPARE(buttons[19], h.action(ids::kCmdHelp));
    }

    void laterCommandsAreShownDisabledAndTheirKeysDoNothing() {
        ThreeFiles t;
        QVERIFY(t.start());
        for (int id : kLaterCommands) {
            QVERIFY2(!t.h.isEnabled(id), qPrintable(QString::number(id)));
            QVERIFY(!t.h.trigger(id));
        }
        QVERIFY(t.h.action(ids::kCmdFindFiles)
                    ->shortcuts()
                    .contains(QKeySequence(QStringLiteral("Ctrl+F"))));
        QVERIFY(QTest::qWaitForWindowActive(&t.h.window()));
        QTest::keyClick(&t.h.window(), Qt::Key_F12);
        QTest::keyClick(&t.h.window(), Qt::Key_F9, Qt::ControlModifier);
        QCOMPARE(t.list().size(), 3);
        QVERIFY(t.h.shell.log.empty());
    }

    void anEmptyListDisablesTheCommandsOnFiles() {
        AppHarness h;
        QVERIFY(h.start());
        for (int id : {ids::kCmdDeleteFiles, ids::kCmdRemoveFiles, ids::kCmdSelectAll,
                       ids::kCmdInvertSelection, ids::kCmdUncheckAll, ids::kCmdSetNumbering,
                       ids::kCmdFillV1FromV2, ids::kCmdClearV2, ids::kCmdFileInfo, ids::kCmdMoveUp,
                       ids::kCmdEditFilename, ids::kCmdRefreshSelected})
            QVERIFY2(!h.isEnabled(id), qPrintable(QString::number(id)));
        for (int id : {ids::kCmdOpenFile, ids::kCmdOpenFolder, ids::kCmdRefreshFolder,
                       ids::kCmdExit, ids::kCmdAbout, ids::kCmdAutoFillV1})
            QVERIFY2(h.isEnabled(id), qPrintable(QString::number(id)));
    }

    void selectionCommandsFollowTheirRules() {
        ThreeFiles t;
        QVERIFY(t.start());
        QCOMPARE(t.h.listText(), std::string("a.mp3* b.mp3* c.mp3*"));
        QVERIFY(!t.h.isEnabled(ids::kCmdSelectAll));
        QVERIFY(t.h.isEnabled(ids::kCmdUncheckAll));

        QVERIFY(t.h.trigger(ids::kCmdUncheckAll));
        QCOMPARE(t.list().selectedCount(), 1);
        QVERIFY(!t.h.isEnabled(ids::kCmdUncheckAll));
        QVERIFY(t.h.isEnabled(ids::kCmdSelectAll));

        t.list().selectOnly(1);
        t.h.window().selectionChanged();
        QVERIFY(t.h.trigger(ids::kCmdInvertSelection));
        QCOMPARE(t.h.listText(), std::string("a.mp3* b.mp3 c.mp3*"));
        QCOMPARE(t.h.window().statusPanes().countsText(),
                 QStringLiteral("2 selected | 0 changed | 3 files"));

        QVERIFY(QTest::qWaitForWindowActive(&t.h.window()));
        QTest::keyClick(&t.h.window(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(t.h.listText(), std::string("a.mp3* b.mp3* c.mp3*"));
    }

    void movingKeepsBlocksAndStopsAtTheEnds() {
        ThreeFiles t;
        QVERIFY(t.start());
        QVERIFY(!t.h.isEnabled(ids::kCmdMoveUp));
        t.list().selectOnly(2);
        t.h.window().selectionChanged();
        QVERIFY(!t.h.isEnabled(ids::kCmdMoveDown));
        QVERIFY(t.h.trigger(ids::kCmdMoveUp));
        QCOMPARE(t.h.listText(), std::string("a.mp3 c.mp3* b.mp3"));
        QVERIFY(t.h.trigger(ids::kCmdMoveUp));
        QCOMPARE(t.h.listText(), std::string("c.mp3* a.mp3 b.mp3"));
        QVERIFY(!t.h.isEnabled(ids::kCmdMoveUp));
        QVERIFY(t.h.trigger(ids::kCmdMoveDown));
        QCOMPARE(t.h.listText(), std::string("a.mp3 c.mp3* b.mp3"));
    }

    void removingDirtyFilesAsksFirst() {
        ThreeFiles t;
        QVERIFY(t.start());
        t.list().selectOnly(0);
        QVERIFY(t.h.trigger(ids::kCmdSetNumbering));
        QVERIFY(t.list().at(0).dirty());

        t.h.port.answers.push_back(Answer::No);
        QVERIFY(t.h.trigger(ids::kCmdRemoveFiles));
        QCOMPARE(t.list().size(), 3);
        QCOMPARE(t.h.port.log.back(),
                 "ask:You have edited ID3 tags of the selected files.\nAre you sure to discard "
                 "these changes?");

        t.h.port.answers.push_back(Answer::Yes);
        QVERIFY(t.h.trigger(ids::kCmdRemoveFiles));
        QCOMPARE(t.h.listText(), std::string("b.mp3* c.mp3"));

        // Clean files go without a question.
        const std::size_t questions = t.h.port.log.size();
        QVERIFY(t.h.trigger(ids::kCmdRemoveFiles));
        QCOMPARE(t.h.listText(), std::string("c.mp3*"));
        QCOMPARE(t.h.port.log.size(), questions);
    }

    void deletingFromDiskAsksAndDeletes() {
        ThreeFiles t;
        QVERIFY(t.start());
        t.list().selectOnly(1);
        t.h.port.answers.push_back(Answer::No);
        QVERIFY(t.h.trigger(ids::kCmdDeleteFiles));
        QVERIFY(std::filesystem::exists(t.h.music / "b.mp3"));
        t.h.port.answers.push_back(Answer::Yes);
        QVERIFY(t.h.trigger(ids::kCmdDeleteFiles));
        QVERIFY(!std::filesystem::exists(t.h.music / "b.mp3"));
        QCOMPARE(t.h.listText(), std::string("a.mp3* c.mp3"));
    }

    void tagCommandsMarkTheFilesAndCountThem() {
        ThreeFiles t;
        QVERIFY(t.start());
        QVERIFY(!t.h.isEnabled(ids::kCmdRemoveNumbering));
        QVERIFY(t.h.trigger(ids::kCmdSetNumbering));
        QCOMPARE(t.list().at(2).id3v1.track, 3);
        QCOMPARE(t.list().at(2).id3v2.trackTotal, 3);
        QCOMPARE(t.h.window().statusPanes().countsText(),
                 QStringLiteral("3 selected | 3 changed | 3 files"));
        QVERIFY(t.h.isEnabled(ids::kCmdRemoveNumbering));
        QVERIFY(t.h.trigger(ids::kCmdRemoveNumbering));
        QCOMPARE(t.list().at(2).id3v2.track, 0);
        QVERIFY(!t.h.isEnabled(ids::kCmdRemoveNumbering));

        t.h.port.answers.push_back(Answer::No);
        QVERIFY(t.h.trigger(ids::kCmdClearV1));
        QCOMPARE(t.list().at(0).id3v1.title, std::string("A"));
        t.h.port.answers.push_back(Answer::Yes);
        QVERIFY(t.h.trigger(ids::kCmdClearV1));
        QCOMPARE(t.list().at(0).id3v1.title, std::string());
        QVERIFY(!t.list().at(0).id3v1.present);
    }

    void optionTogglesShowTheirStateAndAreStored() {
        AppHarness h;
        QVERIFY(h.start());
        for (int id : {ids::kCmdSaveV1Changes, ids::kCmdSaveV2Changes}) {
            QVERIFY(h.action(id)->isChecked());
            QVERIFY(!h.isEnabled(id));
        }
        QVERIFY(!h.action(ids::kCmdAutoFillV1)->isChecked());
        QVERIFY(h.trigger(ids::kCmdAutoFillV1));
        QVERIFY(h.action(ids::kCmdAutoFillV1)->isChecked());
        QVERIFY(h.trigger(ids::kCmdAllowEditInList));
        QVERIFY(!h.action(ids::kCmdAllowEditInList)->isChecked());
        QVERIFY(h.trigger(ids::kCmdMinimizeToTray));
        QVERIFY(h.trigger(ids::kCmdAutoresizeColumns));
        QVERIFY(h.trigger(ids::kCmdSingleClickOpensFolder));
        h.app().exitInstance();
        QCOMPARE(h.store.getInt("Settings", "i6", -1), 1);
        QCOMPARE(h.store.getInt("Settings", "AllowEditInList", -1), 0);
        QCOMPARE(h.store.getInt("Settings", "w3", -1), 0);
        QCOMPARE(h.store.getInt("Settings", "l1", -1), 0);
        QCOMPARE(h.store.getInt("Settings", "w4", -1), 1);
    }

    void savingThePlacementKeepsTheNormalPlaceOfAMaximisedWindow() {
        AppHarness h;
        QVERIFY(h.start());
        h.window().setGeometry(70, 40, 610, 480);
        QVERIFY(h.trigger(ids::kCmdSaveWindowPlacement));
        QCOMPARE(h.store.getInt("Window", "Max", -1), 0);
        QCOMPARE(h.store.getInt("Window", "cx", -1), 610);
        h.window().showMaximized();
        QVERIFY(h.trigger(ids::kCmdSaveWindowPlacement));
        QCOMPARE(h.store.getInt("Window", "Max", -1), 1);
        QCOMPARE(h.store.getInt("Window", "x", -1), 70);
        QCOMPARE(h.store.getInt("Window", "cx", -1), 610);
    }

    void barsColumnsAndFocusMoves() {
        ThreeFiles t;
        QVERIFY(t.start());
        tw::gui::MainWindow& window = t.h.window();
        QVERIFY(t.h.action(ids::kCmdViewFolderTree)->isChecked());
        QVERIFY(t.h.trigger(ids::kCmdViewFolderTree));
        QVERIFY(window.folderDock().isHidden());
        QVERIFY(!t.h.action(ids::kCmdViewFolderTree)->isChecked());
        QVERIFY(t.h.trigger(ids::kCmdViewMainBar));
        QVERIFY(window.mainBar().isHidden());
        QVERIFY(t.h.trigger(ids::kCmdViewStatusBar));
        QVERIFY(window.statusBar()->isHidden());
        QVERIFY(t.h.trigger(ids::kCmdViewStatusBar));
        QVERIFY(!window.statusBar()->isHidden());

        const bool yearShown = window.fileList().isColumnVisible(ids::kCmdColumnYear);
        QVERIFY(t.h.trigger(ids::kCmdColumnYear));
        QCOMPARE(window.fileList().isColumnVisible(ids::kCmdColumnYear), !yearShown);
        QCOMPARE(t.h.action(ids::kCmdColumnYear)->isChecked(), !yearShown);

        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_4, Qt::AltModifier);
        QCOMPARE(window.tagTabs().currentIndex(), 2);
        QTest::keyClick(&window, Qt::Key_2, Qt::AltModifier);
        QCOMPARE(window.tagTabs().currentIndex(), 0);
        QTest::keyClick(&window, Qt::Key_1, Qt::AltModifier);
        QVERIFY(window.fileList().hasFocus());
    }

    void openingFoldersAndFilesAsksBeforeDroppingEdits() {
        ThreeFiles t;
        tw::test::TempDir other;
        std::filesystem::copy_file(t.h.music / "a.mp3", other / "x.mp3");
        QVERIFY(t.start());
        QVERIFY(t.h.trigger(ids::kCmdSetNumbering));

        t.h.shell.folders.push_back(other.folder());
        t.h.port.answers.push_back(Answer::No);
        QVERIFY(t.h.trigger(ids::kCmdOpenFolder));
        QCOMPARE(t.list().size(), 3);
        QCOMPARE(t.h.port.log.back(),
                 "ask:You have edited several ID3 tags in the files.\nAre you sure to discard "
                 "all you changes and reload all audio files from selected folder?\n\nWork "
                 "folder:\n" +
                     t.h.musicFolder());

        t.h.port.answers.push_back(Answer::No);
        QVERIFY(t.h.trigger(ids::kCmdRefreshFolder));
        QVERIFY(t.list().at(0).dirty());

        t.h.shell.folders.push_back(other.folder());
        t.h.port.answers.push_back(Answer::Yes);
        QVERIFY(t.h.trigger(ids::kCmdOpenFolder));
        QCOMPARE(t.h.listText(), std::string("x.mp3*"));
        QCOMPARE(t.h.window().windowTitle(),
                 QStringLiteral("Tunewright - [%1]").arg(q(other.folder())));

        // Open File: the first file makes the list, files of other folders stay out.
        t.h.shell.fileChoices.push_back({(t.h.music / "b.mp3").string(), (other / "x.mp3").string(),
                                         (t.h.music / "c.mp3").string()});
        QVERIFY(t.h.trigger(ids::kCmdOpenFile));
        QCOMPARE(t.h.listText(), std::string("b.mp3* c.mp3"));
        QCOMPARE(tw::core::options().workFolder, t.h.musicFolder());
        QCOMPARE(t.h.shell.log.back(), "pick-files:" + other.folder());
    }

    void refreshingSelectedFilesReadsThemAgain() {
        ThreeFiles t;
        QVERIFY(t.start());
        QVERIFY(t.h.trigger(ids::kCmdSetNumbering));
        t.h.port.answers.push_back(Answer::Yes);
        QVERIFY(t.h.trigger(ids::kCmdRefreshSelected));
        QCOMPARE(t.list().countDirty(), 0);
        QCOMPARE(t.list().selectedCount(), 3);
    }

    void fileInfoAndAboutOpenTheirWindows() {
        ThreeFiles t;
        QVERIFY(t.start());
        t.list().selectOnly(1);
        t.h.shell.onFileInfo = [](tw::gui::GuiContext& context, int index) {
            context.list.at(index).id3v1.setTitle("Edited");
        };
        QVERIFY(t.h.trigger(ids::kCmdFileInfo));
        QVERIFY(t.h.trigger(ids::kCmdAbout));
        QCOMPARE(t.h.shell.log, (std::vector<std::string>{"file-info:1", "about"}));
        QCOMPARE(t.h.window().statusPanes().countsText(),
                 QStringLiteral("1 selected | 1 changed | 3 files"));
    }

    // Enter and Del belong to the list, so editing fields keep their own keys.
    void theListsOwnKeysActOnlyInTheList() {
        ThreeFiles t;
        QVERIFY(t.start());
        tw::gui::MainWindow& window = t.h.window();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.tagTabs().showPage(tw::gui::TagTabsView::Page::Standard);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(t.list().size(), 3);
        window.fileList().setFocus();
        t.list().selectOnly(1);
        window.selectionChanged();
        QTest::keyClick(&window.fileList(), Qt::Key_Delete);
        QCOMPARE(t.h.listText(), std::string("a.mp3* c.mp3"));
    }

    void theBarsMenuShowsWhichBarsAreShown() {
        AppHarness h;
        QVERIFY(h.start());
        QVERIFY(h.trigger(ids::kCmdViewStatusBar));
        std::unique_ptr<QMenu> menu(static_cast<QMainWindow&>(h.window()).createPopupMenu());
        QVERIFY(menu);
        QStringList entries;
        for (QAction* action : menu->actions())
            entries << action->text() + (action->isChecked() ? QStringLiteral("+") : QString());
        QCOMPARE(entries.join(QLatin1Char('|')),
                 QStringLiteral("Main &Bar+|&Folder Tree+|&Status Bar"));
        menu->actions().at(2)->trigger();
        QVERIFY(!h.window().statusBar()->isHidden());
    }

    void contextMenusCarryTheirOwnLabels() {
        ThreeFiles t;
        QVERIFY(t.start());
        QMenu menu;
        t.h.app().commands().appendEntries(menu, tw::gui::fileListMenuSpec());
        QStringList labels;
        for (QAction* action : menu.actions())
            if (!action->isSeparator())
                labels << action->text();
        QCOMPARE(labels.first(), QStringLiteral("File Info..."));
        QVERIFY(labels.contains(QStringLiteral("Check &All\tCtrl+A")) ||
                labels.contains(QStringLiteral("Check &All")));
        QCOMPARE(labels.size(), 15);
        // Entries run their command.
        menu.actions()[2]->trigger();
        QVERIFY(t.h.trigger(ids::kCmdUncheckAll));
        QCOMPARE(t.list().selectedCount(), 1);
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
