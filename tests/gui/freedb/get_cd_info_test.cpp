// SPDX-License-Identifier: GPL-2.0-or-later
// "Get CD Info from FreeDB" from the main window, end to end: Ctrl+F8 on the selected files
// finds the album on a fake server, the user edits and stores it and selects it, and its
// texts reach the files when the user saves.
//
// With TW_E2E_FOLDER naming a folder of MP3 files (a make-corpus folder), its first three
// files stand in for the generated ones.
#include <QAction>
#include <QApplication>
#include <QTest>

#include "base/string_ids.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "core/mpeg_info.h"
#include "freedb/album_files.h"
#include "freedb/cd_player_ini_store.h"
#include "freedb/local_album_database.h"
#include "freedb/settings_io.h"
#include "freedb_window_fixture.h"
#include "gui/app/application.h"
#include "gui/document/edit_document.h"
#include "gui/freedb/album_tree.h"
#include "gui/freedb/album_trees.h"
#include "gui/freedb/album_window.h"
#include "gui/freedb/track_list.h"
#include "gui/mainwindow/main_window.h"
#include "gui/support/app_harness.h"
#include "support/file_text.h"

namespace tw::gui {

namespace {

using C = AlbumCommand;
using freedb::FoundIn;

// The files of the disc: three of the corpus named by TW_E2E_FOLDER, else generated ones.
std::vector<std::string> addDiscFiles(test::AppHarness& h) {
    std::vector<std::string> names = h.addCorpusFiles(3);
    if (!names.empty())
        return names;
    for (const char* name : {"01.mp3", "02.mp3", "03.mp3"}) {
        h.addFile(name, "old title");
        names.emplace_back(name);
    }
    return names;
}

std::unique_ptr<core::AudioFile> onDisk(test::AppHarness& h, const std::string& name) {
    core::MpegInfo mpeg;
    const std::string path = (h.music / name).string();
    return core::AudioFile::create(path, path.rfind('/') + 1, mpeg);
}

}  // namespace

class GetCdInfoTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ctrlF8FindsEditsStoresAndAppliesAnAlbum() {
        test::AppHarness h;
        const std::vector<std::string> names = addDiscFiles(h);
        QVERIFY(names.size() == 3);
        QVERIFY(h.start());
        QVERIFY(QTest::qWaitForWindowActive(&h.window()));
        core::FileList& list = h.app().list();
        QCOMPARE(list.selectedCount(), 3);

        // The server knows the disc the selected files make.
        freedb::AlbumInfo disc;
        QVERIFY(freedb::BuildAlbumFromSelection(list, disc, h.port));
        test::FakeCddbDatabase database;
        database.add({"rock", disc.discId(), "Band / Record",
                      test::MakeFakeXmcd(disc.discId(), "Band / Record", 3)});
        test::FakeCddbServer server(database);
        freedb::StoreConfig config =
            freedb::LoadStoreConfig(h.store, freedb::DefaultCdPlayerIniPath());
        config.freedb.remoteServer = "127.0.0.1";
        config.freedb.remotePort = std::to_string(server.port());
        config.freedb.timeout = 5;
        QVERIFY(freedb::SaveStoreConfig(config, h.store));
        const std::string before = test::fileText(h.music / names[0]);

        QTest::keyClick(&h.window(), Qt::Key_F8, Qt::ControlModifier);
        auto* window = h.window().findChild<AlbumWindow*>();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        AlbumTree& lookup = window->trees().lookup();
        QTRY_VERIFY(
            lookup.findAlbum(FoundIn::FreeDb, "rock", disc.discId()) &&
            lookup.findAlbum(FoundIn::FreeDb, "rock", disc.discId())->album().trackCount() == 3);
        QTRY_VERIFY(!window->isBusy());
        AlbumNode* found = lookup.findAlbum(FoundIn::FreeDb, "rock", disc.discId());
        test::ClickItem(lookup, found);

        // The user names the last track and stores the album.
        TrackList& tracks = window->trackList();
        test::ClickItem(tracks, tracks.topLevelItem(2));
        window->action(C::EditTrackTitle)->trigger();
        test::TypeIntoEditor(QStringLiteral("Finale"));
        QVERIFY(test::ChooseFromContextMenu(lookup, found, QStringLiteral("Save")));
        freedb::AlbumInfo kept = found->album();
        QVERIFY(freedb::LocalAlbumDatabase(config.localDb).read(kept));
        QCOMPARE(kept.track(2).title(), std::string("Finale"));

        // Select: the window closes and the files get the album, in memory only.
        window->action(C::Select)->trigger();
        QTRY_VERIFY(!h.window().findChild<AlbumWindow*>());
        const char* titles[] = {"Track 1", "Track 2", "Finale"};
        for (int i = 0; i < 3; ++i) {
            const core::AudioFile& file = list.at(i);
            QCOMPARE(file.id3v2.title, std::string(titles[i]));
            QCOMPARE(file.id3v1.track, i + 1);
            QCOMPARE(file.id3v2.trackTotal, 3);
            QCOMPARE(file.id3v2.album + "|" + file.id3v1.artist, std::string("Record|Band"));
            QCOMPARE(file.id3v1.year, 1999);
        }
        QCOMPARE(list.countDirty(), 3);
        QVERIFY(test::fileText(h.music / names[0]) == before);
        // The whole album is one step, taken back and done again from the main window.
        QCOMPARE(h.action(base::ids::kCmdUndo)->text(),
                 QStringLiteral("&Undo Get CD Info from FreeDB\tCtrl+Z"));
        QVERIFY(h.trigger(base::ids::kCmdUndo));
        QCOMPARE(list.countDirty(), 0);
        QCOMPARE(list.at(2).id3v2.title, onDisk(h, names[2])->id3v2.title);
        QVERIFY(h.trigger(base::ids::kCmdRedo));
        QCOMPARE(list.countDirty(), 3);
        QCOMPARE(list.at(2).id3v2.title, std::string("Finale"));
        // The selected album was kept where the settings ask: the CD player's file too.
        freedb::CdPlayerIniStore player(freedb::DefaultCdPlayerIniPath());
        freedb::AlbumInfo copy = disc;
        QVERIFY(player.open() && player.read(copy));
        QCOMPARE(copy.track(2).title(), std::string("Finale"));

        // Saving writes them (back in the main window, which the desktop activates again).
        h.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(list.countDirty(), 0);
        for (int i = 0; i < 3; ++i) {
            const auto file = onDisk(h, names[static_cast<std::size_t>(i)]);
            QCOMPARE(file->id3v2.title, std::string(titles[i]));
            QCOMPARE(file->id3v1.title, std::string(titles[i]));
            QCOMPARE(file->id3v2.track, i + 1);
            QCOMPARE(file->id3v2.album, std::string("Record"));
        }
    }

    void exitLeavesTheFilesAsTheyWere() {
        test::AppHarness h;
        addDiscFiles(h);
        QVERIFY(h.start());
        // No server answers: the lookup fails and says so; Exit applies nothing.
        freedb::StoreConfig config =
            freedb::LoadStoreConfig(h.store, freedb::DefaultCdPlayerIniPath());
        config.freedb.remoteServer = "127.0.0.1";
        config.freedb.remotePort = "1";
        QVERIFY(freedb::SaveStoreConfig(config, h.store));
        QVERIFY(h.isEnabled(base::ids::kCmdGetCdInfo));
        QVERIFY(h.trigger(base::ids::kCmdGetCdInfo));
        auto* window = h.window().findChild<AlbumWindow*>();
        QVERIFY(window);
        QTRY_VERIFY(!window->isBusy());
        QCOMPARE(window->statusText(), QStringLiteral("Error occurs. Operation failed"));
        QVERIFY(!window->action(C::Select)->isEnabled());
        window->action(C::Exit)->trigger();
        QTRY_VERIFY(!h.window().findChild<AlbumWindow*>());
        QCOMPARE(h.app().list().countDirty(), 0);

        // Without a selection the command cannot run.
        h.app().document().invertSelection();
        QVERIFY(!h.isEnabled(base::ids::kCmdGetCdInfo));
    }
};

}  // namespace tw::gui

QTEST_MAIN(tw::gui::GetCdInfoTest)
#include "get_cd_info_test.moc"
