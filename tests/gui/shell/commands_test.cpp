// SPDX-License-Identifier: GPL-2.0-or-later
// The main window's commands as a user meets them: menus, hot keys, enabling rules, and
// what each command of the file list and tag menus does to the list.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <set>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "core/list_columns.h"
#include "gui/actions/command_set.h"
#include "gui/actions/command_table.h"
#include "gui/app/application.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/support/app_harness.h"
#include "gui/views/file_list_view.h"
#include "gui/views/tag_tabs_view.h"
#include "support/mutagen.h"

namespace ids = tw::base::ids;
using tw::test::AppHarness;
using Answer = tw::base::UserPort::Answer;

namespace {

// A started program on three files a, b, c.
struct ThreeFiles {
    AppHarness h;
    ThreeFiles() {
        h.addFile("a.mp3", "A");
        h.addFile("b.mp3", "B");
        h.addFile("c.mp3", "C");
    }
    bool start() { return h.start(); }
    tw::core::FileList& list() { return h.app().list(); }
};

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every command of the table is in a menu, and every command of the menus, the toolbar
    // and the context menus does its work, but for those shown disabled on purpose.
    void everyCommandIsInAMenuAndHasItsWork() {
        const std::set<int> withoutWork = {ids::kCmdFindFiles, ids::kCmdFindFolder,
                                           ids::kCmdSettings, ids::kCmdSaveV1Changes,
                                           ids::kCmdSaveV2Changes};
        AppHarness h;
        QVERIFY(h.start());
        const QList<QAction*> popups = h.window().menuBar()->actions();
        QStringList missing;
        std::vector<int> commands = tw::gui::mainMenuCommands();
        for (int id : commands)
            if (std::none_of(popups.begin(), popups.end(), [&](QAction* popup) {
                    return popup->menu()->actions().contains(h.action(id));
                }))
                missing << QStringLiteral("not in a menu: %1").arg(id);
        for (int id : tw::gui::toolbarLayout())
            commands.push_back(id);
        for (const auto* menu : {&tw::gui::folderTreeMenuSpec(), &tw::gui::fileListMenuSpec(),
                                 &tw::gui::barsMenuSpec(), &tw::gui::trayMenuSpec()})
            for (const tw::gui::MenuEntry& entry : *menu)
                commands.push_back(entry.commandId);
        for (int id : commands)
            if (id != 0 && !withoutWork.contains(id) && !h.app().commands().isDefined(id))
                missing << QStringLiteral("no work: %1").arg(id);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    }

    // Commands other windows will carry are disabled, and neither their keys nor a trigger
    // runs them; commands on files wait for files.
    void disabledCommandsDoNothing() {
        AppHarness empty;
        QVERIFY(empty.start());
        for (int id : {ids::kCmdRemoveFiles, ids::kCmdSetNumbering, ids::kCmdFileInfo})
            QVERIFY2(!empty.isEnabled(id), qPrintable(QString::number(id)));
        QVERIFY(empty.isEnabled(ids::kCmdOpenFolder));

        ThreeFiles t;
        QVERIFY(t.start());
        for (int id : {ids::kCmdFindFiles, ids::kCmdSettings, ids::kCmdFindFolder}) {
            QVERIFY2(!t.h.isEnabled(id), qPrintable(QString::number(id)));
            QVERIFY(!t.h.trigger(id));
        }
        QVERIFY(QTest::qWaitForWindowActive(&t.h.window()));
        QTest::keyClick(&t.h.window(), Qt::Key_F12);
        QTest::keyClick(&t.h.window(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(t.list().size(), 3);
        QVERIFY(t.h.shell.log.empty());

        QVERIFY(t.h.trigger(ids::kCmdUncheckAll));
        QCOMPARE(t.list().selectedCount(), 1);
        QTest::keyClick(&t.h.window(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(t.h.listText(), std::string("a.mp3* b.mp3* c.mp3*"));
    }

    void movingKeepsBlocksAndStopsAtTheEnds() {
        ThreeFiles t;
        QVERIFY(t.start());
        QVERIFY(!t.h.isEnabled(ids::kCmdMoveUp));
        t.h.app().document().selectOnly(2);
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

    void clearingATagAsksAndTheSaveRemovesIt() {
        ThreeFiles t;
        QVERIFY(t.start());
        t.h.port.answers.push_back(Answer::No);
        QVERIFY(t.h.trigger(ids::kCmdClearV1));
        QCOMPARE(t.list().at(0).id3v1.title, std::string("A"));
        t.h.port.answers.push_back(Answer::Yes);
        QVERIFY(t.h.trigger(ids::kCmdClearV1));
        QVERIFY(!t.list().at(0).id3v1.present);
        QCOMPARE(t.h.window().statusPanes().countsText(),
                 QStringLiteral("3 selected | 3 changed | 3 files"));
        t.h.trigger(ids::kCmdSaveChanges);
        QCOMPARE(t.list().countDirty(), 0);
        QVERIFY(!t.h.reread("a.mp3")->id3v1.inFile);
    }

    // Remove Numbering changes every selected file at once, so it asks first, with how many.
    void removingTheNumbersAsksFirst() {
        if (!tw::test::mutagenAvailable())
            QSKIP("mutagen is not installed");
        AppHarness h;
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
            h.addFile(name, tw::test::Id3v1Spec{.title = name, .track = 7});
        QVERIFY(h.start() && QTest::qWaitForWindowActive(&h.window()));
        const auto removeNumbers = [&] {
            QTest::keyClick(&h.window(), Qt::Key_F6, Qt::ControlModifier);
        };
        h.port.answers.push_back(Answer::No);
        removeNumbers();
        QCOMPARE(h.port.log.back(),
                 "ask:Are you sure to remove the track numbers from the 3 "
                 "selected audio file(s)?");
        QCOMPARE(h.app().list().countDirty(), 0);

        h.port.answers.push_back(Answer::Yes);
        removeNumbers();
        QVERIFY(h.port.answers.empty());
        QTest::keyClick(&h.window(), Qt::Key_S, Qt::ControlModifier);
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
            const auto dump = tw::test::mutagenDump((h.music / name).string());
            QCOMPARE(dump.at("v1.TIT2"), std::string(name));
            QVERIFY(!dump.contains("v1.TRCK"));
        }
    }

    // Storing the options is the engine's; a toggle must flip the option and its check mark.
    void optionTogglesFlipTheOptionAndTheirMark() {
        AppHarness h;
        QVERIFY(h.start());
        for (int id : {ids::kCmdAutoFillV1, ids::kCmdAllowEditInList}) {
            const bool checked = h.action(id)->isChecked();
            QVERIFY(h.trigger(id));
            QCOMPARE(h.action(id)->isChecked(), !checked);
        }
        QVERIFY(tw::core::options().autoFillV1);
        QVERIFY(!tw::core::options().allowEditInList);
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

    void aColumnCommandTogglesTheColumnAndItsMark() {
        ThreeFiles t;
        QVERIFY(t.start());
        tw::gui::FileListView& list = t.h.window().fileList();
        const bool yearShown = list.isColumnVisible(ids::kCmdColumnYear);
        QVERIFY(t.h.trigger(ids::kCmdColumnYear));
        QCOMPARE(list.isColumnVisible(ids::kCmdColumnYear), !yearShown);
        QCOMPARE(t.h.action(ids::kCmdColumnYear)->isChecked(), !yearShown);
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
                 QStringLiteral("Tunewright - [%1]").arg(QString::fromStdString(other.folder())));

        // Open File: the first file makes the list, files of other folders stay out.
        t.h.shell.fileChoices.push_back({(t.h.music / "b.mp3").string(), (other / "x.mp3").string(),
                                         (t.h.music / "c.mp3").string()});
        QVERIFY(t.h.trigger(ids::kCmdOpenFile));
        QCOMPARE(t.h.listText(), std::string("b.mp3* c.mp3"));
        QCOMPARE(tw::core::options().workFolder, t.h.musicFolder());
        QCOMPARE(t.h.shell.log.back(), "pick-files:" + other.folder());
    }

    // A file named .flac is listed unless "MP3 files only" is checked (what it holds is
    // read by its content: here MPEG audio); switching lists the folder again, and declining
    // to drop edits keeps the list and the option.
    void mp3FilesOnlyListsTheFolderAgain() {
        ThreeFiles t;
        std::filesystem::copy_file(t.h.music / "a.mp3", t.h.music / "d.flac");
        QVERIFY(t.start());
        QAction* option = t.h.action(ids::kCmdMp3FilesOnly);
        QVERIFY(option->isCheckable() && !option->isChecked());
        QCOMPARE(t.h.listText(), std::string("a.mp3* b.mp3* c.mp3* d.flac*"));

        QVERIFY(t.h.trigger(ids::kCmdMp3FilesOnly));
        QCOMPARE(t.h.listText(), std::string("a.mp3* b.mp3* c.mp3*"));
        QVERIFY(option->isChecked() && tw::core::options().mp3FilesOnly);

        QVERIFY(t.h.trigger(ids::kCmdSetNumbering));
        t.h.port.answers.push_back(Answer::No);
        QVERIFY(t.h.trigger(ids::kCmdMp3FilesOnly));
        QVERIFY(option->isChecked() && t.list().at(0).dirty());

        t.h.port.answers.push_back(Answer::Yes);
        QVERIFY(t.h.trigger(ids::kCmdMp3FilesOnly));
        QCOMPARE(t.h.listText(), std::string("a.mp3* b.mp3* c.mp3* d.flac*"));
        QVERIFY(!option->isChecked() && !tw::core::options().mp3FilesOnly);
    }

    // Sub-folders come and go from the toolbar and the hot key; their files show where they
    // lie in the Folder column, which sorts the list by folder.
    void includeSubfoldersFromToolbarAndKeysShowsAndSortsTheFolderColumn() {
        ThreeFiles t;
        std::filesystem::create_directories(t.h.music / "Sub" / "Deeper");
        std::filesystem::copy_file(t.h.music / "b.mp3", t.h.music / "Sub" / "d.mp3");
        std::filesystem::copy_file(t.h.music / "c.mp3", t.h.music / "Sub" / "Deeper" / "e.mp3");
        std::filesystem::create_directory_symlink("../..", t.h.music / "Sub" / "Deeper" / "up");
        QVERIFY(t.start());
        tw::gui::MainWindow& window = t.h.window();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QAction* option = t.h.action(ids::kCmdIncludeSubfolders);
        QVERIFY(option->isCheckable() && !option->isChecked());
        tw::gui::FileListView& view = window.fileList();
        const int folderColumn = tw::core::columnIndex(tw::core::TagFieldId::Folder);
        QVERIFY(view.isColumnHidden(folderColumn));

        auto* button = qobject_cast<QAbstractButton*>(window.mainBar().widgetForAction(option));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(option->isChecked() && tw::core::options().includeSubfolders);
        QCOMPARE(t.h.listText(), std::string("a.mp3* b.mp3* c.mp3* d.mp3* e.mp3*"));
        QCOMPARE(static_cast<int>(std::count_if(t.h.port.log.begin(), t.h.port.log.end(),
                                                [](const std::string& line) {
                                                    return line.starts_with(
                                                        "status:1 folder(s) reached again");
                                                })),
                 1);
        QVERIFY(!view.isColumnHidden(folderColumn));
        const auto folders = [&] {
            QStringList texts;
            for (int row = 0; row < view.model()->rowCount(); ++row)
                texts << view.model()->index(row, folderColumn).data().toString();
            return texts.join(QLatin1Char(','));
        };
        QCOMPARE(folders(), QStringLiteral(",,,Sub,Sub/Deeper"));

        QHeaderView* header = view.horizontalHeader();
        const auto clickFolderHeader = [&] {
            view.scrollTo(view.model()->index(0, folderColumn));
            const QPoint at(header->sectionViewportPosition(folderColumn) +
                                header->sectionSize(folderColumn) / 2,
                            header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        };
        clickFolderHeader();
        QCOMPARE(header->sortIndicatorSection(), folderColumn);
        QCOMPARE(folders(), QStringLiteral(",,,Sub,Sub/Deeper"));
        QTest::qWait(QApplication::doubleClickInterval() + 10);  // two clicks, not a double click
        clickFolderHeader();
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(folders(), QStringLiteral("Sub/Deeper,Sub,,,"));

        view.setFocus();
        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!option->isChecked() && !tw::core::options().includeSubfolders);
        QCOMPARE(t.h.listText(), std::string("a.mp3* b.mp3* c.mp3*"));
        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(t.list().size(), 5);
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

    // The renaming windows open from the menus, the toolbar and the hot keys, only when they
    // have files to work on; the views redraw what they changed.
    void renamingWindowsOpenFromMenuToolbarAndKeys() {
        AppHarness empty;
        QVERIFY(empty.start());
        for (int id : {ids::kCmdAdvancedRenaming, ids::kCmdFilenameToTag, ids::kCmdChangeTitleCase,
                       ids::kCmdChangeFilenameCase})
            QVERIFY2(!empty.isEnabled(id), qPrintable(QString::number(id)));

        ThreeFiles t;
        QVERIFY(t.start());
        tw::gui::MainWindow& window = t.h.window();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_F9, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_F7, Qt::ControlModifier);
        for (int id : {ids::kCmdAdvancedRenaming, ids::kCmdFilenameToTag}) {
            auto* button =
                qobject_cast<QAbstractButton*>(window.mainBar().widgetForAction(t.h.action(id)));
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
        }
        const QList<QAction*> editMenu = window.menuBar()->actions().at(2)->menu()->actions();
        for (int id :
             {ids::kCmdChangeTitleCase, ids::kCmdChangeArtistCase, ids::kCmdChangeAlbumCase,
              ids::kCmdChangeCommentCase, ids::kCmdChangeFilenameCase}) {
            QVERIFY(editMenu.contains(t.h.action(id)));
            t.h.action(id)->trigger();  // what choosing the menu item does
        }
        QCOMPARE(t.h.shell.log,
                 (std::vector<std::string>{"renaming", "filename-to-tag", "renaming",
                                           "filename-to-tag", "change-case:0", "change-case:1",
                                           "change-case:2", "change-case:3", "change-case:4"}));

        // Renaming works on the selected files, yet opens without any (it then renames
        // nothing); the others want a selection.
        t.list().selectAll();
        t.list().invertSelection();
        QVERIFY(t.h.isEnabled(ids::kCmdAdvancedRenaming));
        QVERIFY(!t.h.isEnabled(ids::kCmdFilenameToTag));
        QVERIFY(!t.h.isEnabled(ids::kCmdChangeFilenameCase));

        t.list().selectOnly(1);
        t.h.shell.onRenamingWindow = [](tw::gui::GuiContext& context) {
            return context.list.at(1).rename("Renamed").ok();
        };
        QVERIFY(t.h.trigger(ids::kCmdAdvancedRenaming));
        const QModelIndex cell = window.fileList().model()->index(1, 0);
        QCOMPARE(cell.data().toString(), QStringLiteral("Renamed"));
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
        t.h.app().document().selectOnly(1);
        QTest::keyClick(&window.fileList(), Qt::Key_Delete);
        QCOMPARE(t.h.listText(), std::string("a.mp3* c.mp3"));
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
