// SPDX-License-Identifier: GPL-2.0-or-later
// The album window driven as a user drives it, against fake CDDB servers on this machine.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "base/string_ids.h"
#include "freedb/local_album_database.h"
#include "freedb/stored_album.h"
#include "freedb_window_fixture.h"
#include "gui/freedb/album_tree.h"
#include "gui/freedb/album_trees.h"
#include "gui/freedb/album_window.h"
#include "gui/freedb/log_pane.h"
#include "gui/freedb/search_bar.h"
#include "gui/freedb/track_list.h"
#include "gui/support/modal_answer.h"
#include "support/file_text.h"

namespace tw::gui {

namespace {

using C = AlbumCommand;
using freedb::FoundIn;
using test::ChooseFromContextMenu;
using test::ClickItem;
using test::DiscRecord;
using test::FreeDbWindowFixture;
using test::NodeOf;
using test::Retrieved;
using test::TwoTrackDisc;
using Answer = base::UserPort::Answer;

const QString kModifiedQuestion =
    QStringLiteral("ask:Your current album is modified\nDo you want to save changes to database?");

// Selects the track (from 0) and edits its title through the Actions menu's command.
void editTrackTitle(AlbumWindow& window, int track, const QString& title) {
    TrackList& tracks = window.trackList();
    ClickItem(tracks, tracks.topLevelItem(track));
    QVERIFY(window.action(C::EditTrackTitle)->isEnabled());
    window.action(C::EditTrackTitle)->trigger();
    test::TypeIntoEditor(title);
}

int levelCount(LogPane& log, int level) {
    log.flush();
    int count = 0;
    for (int i = 0; i < log.count(); ++i)
        count += log.item(i)->data(LogPane::kLevelRole).toInt() == level;
    return count;
}

void localDatabaseHolds(FreeDbWindowFixture& f, std::initializer_list<const char*> ids) {
    freedb::LocalAlbumDatabase database(f.storedConfig().localDb);
    for (const char* id : ids) {
        freedb::AlbumInfo album = TwoTrackDisc();
        album.setDiscId(id);
        album.setCategory("rock");
        album.setArtist("Band");
        album.setTitle(std::string("Album ") + id);
        QVERIFY(database.write(album));
    }
}

}  // namespace

class AlbumWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theLookupShowsEveryMatchGroupedAsItArrives() {
        FreeDbWindowFixture f;
        f.database.add(DiscRecord("rock", "Band / First"));
        f.database.add(DiscRecord("jazz", "Band / First"));
        f.database.add(DiscRecord("misc", "Other / Second"));
        f.pointAtServers();
        auto window = f.open(TwoTrackDisc());
        AlbumTree& lookup = window->trees().lookup();

        QTRY_VERIFY(Retrieved(*window, "rock") && Retrieved(*window, "jazz") &&
                    Retrieved(*window, "misc"));
        QTRY_VERIFY(!window->isBusy());
        QCOMPARE(window->statusText(), QStringLiteral("Done. 3 album(s) found, 3 retrieved."));
        // Category, artist, album; the retrieved records were kept in the local database.
        AlbumNode* jazz = NodeOf(lookup, FoundIn::FreeDb, "jazz");
        QCOMPARE(jazz->text(0) + QLatin1Char('<') + jazz->parent()->text(0) + QLatin1Char('<') +
                     jazz->parent()->parent()->text(0),
                 QStringLiteral("First<Band<jazz"));
        QCOMPARE(lookup.albums(FoundIn::LocalDatabase).size(), 3u);
        QCOMPARE(lookup.albums(FoundIn::CdPlayerIni).size(), 0u);

        ClickItem(lookup, jazz);
        QCOMPARE(window->shownAlbum(), jazz);
        QCOMPARE(window->trackList().topLevelItemCount(), 2);
        QCOMPARE(window->trackList().topLevelItem(1)->text(TrackList::Title),
                 QStringLiteral("Track 2"));
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("infoCategory"))->text(),
                 QStringLiteral("jazz"));
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("infoDiscId"))->text(),
                 QStringLiteral("0d01a202"));
        QVERIFY(levelCount(window->logPane(), freedb::LogEntry::Info) > 0);
        QCOMPARE(levelCount(window->logPane(), freedb::LogEntry::Error), 0);
        // Filling the window asked nothing and changed no album.
        QVERIFY(f.port.log.empty());
        QVERIFY(!jazz->isModified());
    }

    // An album title of hundreds of characters elides: the window still shrinks to a small
    // screen and stays on it; Escape closes it from the tree a user clicked, as any window.
    void aLongTitleElidesAndTheWindowFitsTheScreen() {
        FreeDbWindowFixture f;
        const std::string title(292, 'T');
        f.database.add(DiscRecord("rock", "Band / " + title));
        f.pointAtServers();
        auto window = f.open(TwoTrackDisc());
        QVERIFY(window->width() <= window->screen()->availableGeometry().width());
        QTRY_VERIFY(Retrieved(*window, "rock"));
        AlbumTree& lookup = window->trees().lookup();
        ClickItem(lookup, NodeOf(lookup, FoundIn::FreeDb, "rock"));
        auto* shownTitle = window->findChild<QLabel*>(QStringLiteral("infoTitle"));
        QVERIFY(shownTitle && shownTitle->isVisible());
        QCOMPARE(shownTitle->toolTip(), QString::fromStdString(title));

        QVERIFY(window->minimumSizeHint().width() < 1024);
        window->resize(1024, 700);
        QCOMPARE(window->width(), 1024);

        lookup.setFocus();
        QTRY_VERIFY(lookup.hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    // A lookup that failed (here: a server that is not there) can be run again once the
    // settings are mended, with Get Tracklist.
    void aFailedLookupRunsAgainWithTheMendedSettings() {
        FreeDbWindowFixture f;
        f.database.add(DiscRecord("rock", "Band / First"));
        f.pointAtServers();
        freedb::StoreConfig wrong = f.storedConfig();
        wrong.freedb.remotePort = std::to_string(1);  // a port nothing listens on
        QVERIFY(freedb::SaveStoreConfig(wrong, f.settings));
        auto window = f.open(TwoTrackDisc());
        QTRY_VERIFY(!window->isBusy());
        QVERIFY(window->trees().lookup().albums(FoundIn::FreeDb).empty());
        QVERIFY(window->action(C::GetTracklist)->isEnabled());

        f.pointAtServers();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
        QTRY_VERIFY(Retrieved(*window, "rock"));
    }

    void stopEndsTheJobsAndClosingWhileTheyRunWaitsForThem() {
        FreeDbWindowFixture f;
        f.database.add(DiscRecord("rock", "Band / First"));
        f.database.add(DiscRecord("jazz", "Band / First"));
        // Every record is answered with silence, so the retrieval waits in the network.
        f.useServer({test::Hostility::Silent, "cddb read", {}});
        f.pointAtServers();
        auto window = f.open(TwoTrackDisc());
        QTRY_COMPARE(window->trees().lookup().albums(FoundIn::FreeDb).size(), 2u);
        QVERIFY(window->isBusy());
        QVERIFY(window->action(C::Stop)->isEnabled());

        window->action(C::Stop)->trigger();
        QCOMPARE(window->statusText(), QStringLiteral("Stopping started threads ..."));
        QTRY_VERIFY(!window->isBusy());
        QCOMPARE(window->statusText(), QStringLiteral("Operation canceled by user"));
        QVERIFY(!window->action(C::Stop)->isEnabled());
        QVERIFY(window->trees().lookup().albums(FoundIn::LocalDatabase).empty());

        // A second window is closed (Escape) and destroyed while its reads still wait.
        auto busy = f.open(TwoTrackDisc());
        QTRY_COMPARE(busy->trees().lookup().albums(FoundIn::FreeDb).size(), 2u);
        QVERIFY(busy->isBusy());
        QTest::keyClick(busy.get(), Qt::Key_Escape);
        QVERIFY(!busy->isVisible());
        busy.reset();
    }

    void anEditedAlbumIsSavedToTheLocalDatabaseAndSubmittedAsTheNextRevision() {
        FreeDbWindowFixture f;
        f.database.add(DiscRecord("rock", "Band / First", 3));
        f.pointAtServers();
        f.settings.setInt("FreeDB", "StoreRetrievedAlbumsInLocalDB", 0);
        auto window = f.open(TwoTrackDisc());
        QTRY_VERIFY(Retrieved(*window, "rock"));
        AlbumTree& lookup = window->trees().lookup();
        AlbumNode* node = NodeOf(lookup, FoundIn::FreeDb, "rock");
        ClickItem(lookup, node);
        QVERIFY(!window->action(C::Save)->isEnabled());

        editTrackTitle(*window, 1, QStringLiteral("Edited"));
        QVERIFY(node->isModified());
        QCOMPARE(node->album().track(1).title(), std::string("Edited"));
        QVERIFY(ChooseFromContextMenu(lookup, node, QStringLiteral("Save")));
        QVERIFY(!node->isModified());
        const std::string file = test::fileText(f.databaseRoot / "rock" / "0d01a202");
        QVERIFY(file.find("\nTTITLE1=Edited\n") != std::string::npos);
        QVERIFY(file.find("\n# Revision: 3\n") != std::string::npos);

        // The local database's tab lists the saved copy.
        window->action(C::LocalDbTab)->trigger();
        QCOMPARE(window->tabs().currentWidget(), &window->trees().localDb());
        AlbumTree& local = window->trees().localDb();
        QTRY_VERIFY(NodeOf(local, FoundIn::LocalDatabase, "rock"));
        AlbumNode* copy = NodeOf(local, FoundIn::LocalDatabase, "rock");
        QCOMPARE(copy->album().track(1).title(), std::string("Edited"));

        // Submitted from there under the category the user types, it goes out as a correction
        // of revision 3.
        ClickItem(local, copy);
        test::ModalAnswer submit([](QWidget& dialog) {
            auto* status = dialog.findChild<QLabel*>(QStringLiteral("status"));
            auto* category = dialog.findChild<QComboBox*>(QStringLiteral("category"));
            QCOMPARE(category->currentText(), QStringLiteral("Rock"));
            category->setFocus();
            QTest::keyClicks(category, QStringLiteral("J"));
            test::clickButton(dialog, QStringLiteral("Submit"));
            QTRY_COMPARE(status->text(), QStringLiteral("Album submitted successfully"));
            test::clickButton(dialog, QStringLiteral("Close"));
        });
        QVERIFY(ChooseFromContextMenu(local, copy, QStringLiteral("Submit to CDDB...")));
        QVERIFY(submit.answered());
        const test::FakeHttpRequest posted = f.web->requests().back();
        QCOMPARE(posted.requestLine, std::string("POST /~cddb/submit.cgi HTTP/1.1"));
        QCOMPARE(posted.header("Category"), std::optional<std::string>("jazz"));
        QVERIFY(posted.body.find("\n# Revision: 4\n") != std::string::npos);
        QVERIFY(posted.body.find("\nTTITLE1=Edited\n") != std::string::npos);
    }

    void deletingAsksFirstAndCanBeToldNotToAskAgain() {
        FreeDbWindowFixture f;
        f.pointAtServers();
        f.settings.setInt("FreeDB", "ShowLocalDBTab", 1);
        localDatabaseHolds(f, {"11111111", "22222222", "33333333"});
        auto window = f.open(TwoTrackDisc());
        AlbumTree& local = window->trees().localDb();
        QTRY_COMPARE(local.albums(FoundIn::LocalDatabase).size(), 3u);
        test::ClickTab(window->tabs(), &local);
        AlbumNode* first = NodeOf(local, FoundIn::LocalDatabase, "rock", "11111111");
        ClickItem(local, first);

        f.port.answers = {Answer::No};
        QTest::keyClick(&local, Qt::Key_Delete);
        QVERIFY(!f.port.log.empty());
        QCOMPARE(QString::fromStdString(f.port.log.back()),
                 QStringLiteral("ask:Are you sure you want to delete this album?\nThis "
                                "operation is irreversible!"));
        QCOMPARE(local.albums(FoundIn::LocalDatabase).size(), 3u);

        f.port.answers = {Answer::Yes};
        f.port.silence = {true};
        QTest::keyClick(&local, Qt::Key_Delete);
        QCOMPARE(local.albums(FoundIn::LocalDatabase).size(), 2u);
        QVERIFY(!std::filesystem::exists(f.databaseRoot / "rock" / "11111111"));
        QCOMPARE(f.settings.getInt("FreeDB", "ConfirmationDeleteAlbum", 0), 1);

        // Silenced, the next album goes without a question; a grouping node still asks.
        const std::size_t questions = f.port.log.size();
        ClickItem(local, NodeOf(local, FoundIn::LocalDatabase, "rock", "22222222"));
        QTest::keyClick(&local, Qt::Key_Delete);
        QCOMPARE(f.port.log.size(), questions);
        QCOMPARE(local.albums(FoundIn::LocalDatabase).size(), 1u);
        f.port.answers = {Answer::Yes};
        QTreeWidgetItem* rock = local.topLevelItem(0);
        QCOMPARE(rock->text(0), QStringLiteral("rock"));
        QVERIFY(ChooseFromContextMenu(local, rock, QStringLiteral("Delete")));
        QVERIFY(f.port.log.back().starts_with("ask:Are you sure you want to delete this node"));
        QCOMPARE(local.topLevelItemCount(), 0);
        QVERIFY(std::filesystem::is_empty(f.databaseRoot / "rock"));
    }

    void unsavedEditsAreAskedAboutWhenLeavingTheAlbumOrClosing() {
        FreeDbWindowFixture f;
        f.database.add(DiscRecord("rock", "Band / First"));
        f.database.add(DiscRecord("jazz", "Band / First"));
        f.pointAtServers();
        f.settings.setInt("FreeDB", "StoreRetrievedAlbumsInLocalDB", 0);
        auto window = f.open(TwoTrackDisc());
        QTRY_VERIFY(Retrieved(*window, "rock") && Retrieved(*window, "jazz"));
        AlbumTree& lookup = window->trees().lookup();
        AlbumNode* rock = NodeOf(lookup, FoundIn::FreeDb, "rock");
        ClickItem(lookup, rock);
        editTrackTitle(*window, 0, QStringLiteral("Opening"));

        // Leaving it: No drops the edit.
        f.port.answers = {Answer::No};
        ClickItem(lookup, NodeOf(lookup, FoundIn::FreeDb, "jazz"));
        QCOMPARE(QString::fromStdString(f.port.log.back()), kModifiedQuestion);
        QCOMPARE(rock->album().track(0).title(), std::string("Track 1"));
        QVERIFY(!rock->isModified());

        // Closing: Cancel keeps the window, No closes it without storing anything.
        editTrackTitle(*window, 0, QStringLiteral("Opening"));
        f.port.answers = {Answer::Cancel};
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(window->isVisible());
        f.port.answers = {Answer::No};
        window->action(C::Exit)->trigger();
        QVERIFY(!window->isVisible());
        QCOMPARE(QString::fromStdString(f.port.log.back()), kModifiedQuestion);
        QVERIFY(!std::filesystem::exists(f.databaseRoot));
    }

    void anAlbumIsCopiedExportedAndTheLogKeptOrCleared() {
        FreeDbWindowFixture f;
        f.database.add(DiscRecord("rock", "Band / First"));
        f.pointAtServers();
        auto window = f.open(TwoTrackDisc());
        QTRY_VERIFY(Retrieved(*window, "rock"));
        QTRY_VERIFY(!window->isBusy());
        AlbumTree& lookup = window->trees().lookup();
        AlbumNode* rock = NodeOf(lookup, FoundIn::FreeDb, "rock");

        // The copy in the CD player's file, after the warning; again only over the old copy.
        f.port.answers = {Answer::Yes};
        QVERIFY(ChooseFromContextMenu(lookup, rock, QStringLiteral("Copy to CDPlayer.ini")));
        QVERIFY(
            f.port.log.back().starts_with("ask:CDPlayer.ini copy of album tracks is incomplete"));
        QTRY_COMPARE(lookup.albums(FoundIn::CdPlayerIni).size(), 1u);
        f.port.answers = {Answer::Yes, Answer::No};
        QVERIFY(ChooseFromContextMenu(lookup, rock, QStringLiteral("Copy to CDPlayer.ini")));
        QVERIFY(f.port.log.back().starts_with("ask:This album already exists"));
        QCOMPARE(lookup.albums(FoundIn::CdPlayerIni).size(), 1u);

        const std::string page = (f.dir / "album.htm").string();
        f.shell.exportChoices = {{page, 3, true}};
        QVERIFY(ChooseFromContextMenu(lookup, rock, QStringLiteral("Export Album...")));
        QCOMPARE(f.shell.log.back(), std::string("export:0d01a202:1"));
        QVERIFY(test::fileText(page).starts_with("<HTML>\r\n<TITLE>Album 0d01a202</TITLE>"));
        QCOMPARE(f.port.opened, std::vector<std::string>{page});
        QCOMPARE(f.settings.getInt("FreeDB", "ExportLastSelection", 0), 3);

        const std::string log = (f.dir / "log.txt").string();
        f.port.savePaths = {log};
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(test::fileText(log).find("[INF]") != std::string::npos);
        window->action(C::ClearLog)->trigger();
        QCOMPARE(window->logPane().count(), 0);
    }

    void theSearchBarSearchesTheWebSiteAndKeepsItsHistory() {
        FreeDbWindowFixture f;
        f.database.add(DiscRecord("rock", "Band / First"));
        f.pointAtServers();
        auto window = f.open(TwoTrackDisc());
        QTRY_VERIFY(!window->isBusy());
        SearchBar& bar = window->searchBar();
        QVERIFY(!bar.isVisible());
        QTest::keyClick(window.get(), Qt::Key_1, Qt::AltModifier);
        QVERIFY(bar.isVisible());

        QComboBox& words = bar.wordsBox();
        QTest::keyClicks(&words, QStringLiteral("0d01a202"));
        QTest::keyClick(&words, Qt::Key_Return);
        QCOMPARE(window->tabs().currentWidget(), &window->trees().search());
        AlbumTree& search = window->trees().search();
        QTRY_COMPARE(search.albums(FoundIn::WebSearch).size(), 3u);
        QTRY_VERIFY(!window->isBusy());
        // The record the server has was retrieved; the others it does not know.
        AlbumNode* rock = NodeOf(search, FoundIn::WebSearch, "rock");
        QCOMPARE(rock->album().trackCount(), 2u);
        QCOMPARE(words.itemText(0), QStringLiteral("0d01a202"));
        QVERIFY(words.itemData(0, SearchBar::kDiscIdRole).toBool());
        QCOMPARE(f.settings.getString("FreeDB\\SearchHistory", "String0", ""),
                 std::string("0d01a202"));

        // The server does not know the jazz match: asked again (Ctrl+T), it still has none.
        ClickItem(search, NodeOf(search, FoundIn::WebSearch, "jazz"));
        QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
        QVERIFY(window->isBusy());
        QTRY_VERIFY(!window->isBusy());
        QCOMPARE(window->statusText(), QStringLiteral("Done. 1 album(s) found, 0 retrieved."));
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::AlbumWindowTest)
#include "album_window_test.moc"
