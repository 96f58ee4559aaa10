// SPDX-License-Identifier: GPL-2.0-or-later
// Playing files and folders in the desktop's player, the cascading folder menu, and the
// file manager, as a user reaches them: menus, the folder tree's context menu, the toolbar.
// The desktop is scripted; the playlists it is handed are read as the player would.
#include <QAction>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "base/string_ids.h"
#include "core/file_list.h"
#include "gui/app/application.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/folder_tree.h"
#include "gui/mainwindow/main_window.h"
#include "gui/shell/file_uri.h"
#include "gui/support/app_harness.h"
#include "gui/support/context_menu.h"
#include "gui/views/file_list_view.h"
#include "support/file_text.h"

namespace fs = std::filesystem;
namespace ids = tw::base::ids;
using tw::test::AppHarness;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// music/ holds top.mp3 and:
//   rock/    b.mp3, a.MP3, notes.txt, .hidden.mp3, .cache/y.mp3, live/x.mp3, link -> jazz
//   jazz/    j.mp3
//   empty/   notes.txt
struct Library {
    AppHarness h;
    Library() {
        h.addFile("top.mp3");
        for (const char* folder : {"rock/live", "rock/.cache", "jazz", "empty"})
            fs::create_directories(h.music / folder);
        for (const char* file : {"rock/b.mp3", "rock/a.MP3", "rock/.hidden.mp3",
                                 "rock/.cache/y.mp3", "rock/live/x.mp3", "jazz/j.mp3"})
            fs::copy_file(h.music / "top.mp3", h.music / file);
        std::ofstream(h.music / "rock" / "notes.txt") << "not audio";
        std::ofstream(h.music / "empty" / "notes.txt") << "not audio";
        fs::create_directory_symlink(h.music / "jazz", h.music / "rock" / "link");
    }
    std::string path(const std::string& sub) const { return h.musicFolder() + sub; }
    // The playlist the player was handed last, read at that moment.
    std::string lastPlaylist() const {
        return h.desktop.opened.empty() ? std::string() : h.desktop.opened.back().text;
    }
    QString lastOpenedName() const {
        return h.desktop.opened.empty() ? QString() : h.desktop.opened.back().url.fileName();
    }
    bool chooseOnFolder(const std::string& sub, const QString& label) {
        tw::gui::FolderTree& tree = h.window().folderTree();
        tree.selectFolder(q(path(sub)));
        QTreeWidgetItem* item = tree.currentItem();
        tree.selectFolder(q(h.musicFolder()));
        return tw::test::ChooseFromContextMenu(tree, item, label);
    }
    // A player's desktop entry in the music folder's parent, named by the port.
    void playerEntry(const std::string& text) {
        const fs::path entry = h.data / "player.desktop";
        std::ofstream(entry) << text;
        h.desktop.defaultEntry = q(entry.string());
    }
};

}  // namespace

class PlayerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void playOpensOneFileOrAPlaylistOfTheSelection() {
        Library l;
        l.h.addFile("c.mp3");
        l.h.addFile("d.mp3");
        QVERIFY(l.h.start());
        tw::core::FileList& list = l.h.app().list();
        l.h.app().document().selectOnly(0);
        QVERIFY(l.h.trigger(ids::kCmdPlay));
        QCOMPARE(l.h.desktop.opened.back().url, QUrl::fromLocalFile(q(l.path("c.mp3"))));

        list.selectOnly(2);
        list.selectAdd(0);
        l.h.window().fileList().syncSelection();
        QVERIFY(QTest::qWaitForWindowActive(&l.h.window()));
        QTest::keyClick(&l.h.window(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(l.lastOpenedName(),
                 q(fs::path(l.h.musicFolder()).parent_path().filename().string() + ".m3u"));
        QCOMPARE(l.lastPlaylist(), l.path("c.mp3") + "\n" + l.path("top.mp3") + "\n");

        AppHarness empty;
        QVERIFY(empty.start());
        QVERIFY(!empty.isEnabled(ids::kCmdPlay));
    }

    // A folder plays with its sub-folders, each folder's files first, in natural order;
    // hidden entries, other files and links to folders stay out.
    void theFolderTreePlaysAndEnqueuesFolders() {
        Library l;
        QVERIFY(l.h.start());
        QVERIFY(QTest::qWaitForWindowActive(&l.h.window()));
        const std::string rock = l.path("rock/a.MP3") + "\n" + l.path("rock/b.mp3") + "\n" +
                                 l.path("rock/live/x.mp3") + "\n";
        QVERIFY(l.chooseOnFolder("rock/", QStringLiteral("Play")));
        QCOMPARE(l.lastOpenedName(), QStringLiteral("rock.m3u"));
        QCOMPARE(l.lastPlaylist(), rock);
        QCOMPARE(tw::core::options().workFolder, l.h.musicFolder());

        // The player's own queueing action gets the playlist.
        l.playerEntry(
            "[Desktop Entry]\nName=Player\nExec=player %U\nActions=Play;Enqueue;\n"
            "[Desktop Action Play]\nExec=player --play %U\n"
            "[Desktop Action Enqueue]\nName=Add to the queue\nExec=player --enqueue %U\n");
        const std::size_t opened = l.h.desktop.opened.size();
        QVERIFY(l.chooseOnFolder("rock/", QStringLiteral("Enqueue Folder")));
        QCOMPARE(l.h.desktop.opened.size(), opened);
        const std::string start = l.h.desktop.log.back();
        QVERIFY2(start.rfind("start:player --enqueue file:///", 0) == 0, start.c_str());
        const std::string playlist =
            QUrl(q(start.substr(start.rfind(' ') + 1))).toLocalFile().toStdString();
        QVERIFY(playlist.ends_with("/rock.m3u"));
        QCOMPARE(tw::test::fileText(playlist), rock);

        // Without such an action, or when it does not start, the folder is played.
        l.h.desktop.programsStart = false;
        QVERIFY(l.chooseOnFolder("jazz/", QStringLiteral("Enqueue Folder")));
        QCOMPARE(l.lastPlaylist(), l.path("jazz/j.mp3") + "\n");
        l.playerEntry("[Desktop Entry]\nName=Player\nExec=player %U\n");
        l.h.desktop.opened.clear();
        QVERIFY(l.chooseOnFolder("rock/live/", QStringLiteral("Enqueue Folder")));
        QCOMPARE(l.lastOpenedName(), QStringLiteral("live.m3u"));

        // A folder without MP3 files plays nothing.
        l.h.desktop.opened.clear();
        QVERIFY(l.chooseOnFolder("empty/", QStringLiteral("Play")));
        QVERIFY(l.h.desktop.opened.empty());
    }

    void exploreAndPropertiesAskTheFileManagerFirst() {
        Library l;
        QVERIFY(l.h.start());
        QVERIFY(QTest::qWaitForWindowActive(&l.h.window()));
        const std::string jazz = tw::gui::fileUri(l.path("jazz"));
        QVERIFY(l.chooseOnFolder("jazz/", QStringLiteral("Open Explorer...")));
        QVERIFY(l.chooseOnFolder("jazz/", QStringLiteral("Folder Properties")));
        QCOMPARE(l.h.desktop.log,
                 (std::vector<std::string>{"file-manager:ShowFolders " + jazz,
                                           "file-manager:ShowItemProperties " + jazz}));

        // Where no file manager answers, the folder is opened as the desktop opens it.
        l.h.desktop.fileManagerTakes = false;
        l.h.desktop.log.clear();
        QVERIFY(l.chooseOnFolder("jazz/", QStringLiteral("Folder Properties")));
        QCOMPARE(l.h.desktop.log,
                 (std::vector<std::string>{"file-manager:ShowItemProperties " + jazz,
                                           "open:" + QUrl(q(jazz)).toString().toStdString()}));
        QVERIFY(l.h.port.messages.empty());
        // Nor the desktop: the user learns which folder to open by hand.
        l.h.desktop.opens = false;
        QVERIFY(l.chooseOnFolder("jazz/", QStringLiteral("Open Explorer...")));
        QCOMPARE(l.h.port.messages.size(), std::size_t{1});
        QVERIFY(l.h.port.messages.back().find("\n" + l.path("jazz") + "\n") != std::string::npos);
    }

    // The toolbar's menu starts one level above the work folder and cascades down as far
    // as the user opens it; folders with sub-folders offer "all directories".
    void theFolderMenuCascadesFromTheFolderAbove() {
        Library l;
        l.h.store.setString("Settings", "D", l.path("rock/"));
        QVERIFY(l.h.start());
        QVERIFY(QTest::qWaitForWindowActive(&l.h.window()));

        auto chosen = tw::test::ChooseFromNextPopup({"rock", "live", "Play directory"});
        QVERIFY(l.h.trigger(ids::kCmdFolderMenu));
        QVERIFY(*chosen);
        QCOMPARE(l.lastOpenedName(), QStringLiteral("live.m3u"));
        QCOMPARE(l.lastPlaylist(), l.path("rock/live/x.mp3") + "\n");

        chosen = tw::test::ChooseFromNextPopup({"rock", "Enqueue all directories"});
        QVERIFY(l.h.trigger(ids::kCmdFolderMenu));
        QVERIFY(*chosen);
        QCOMPARE(l.lastOpenedName(), QStringLiteral("rock.m3u"));
        QCOMPARE(l.lastPlaylist(), l.path("rock/a.MP3") + "\n" + l.path("rock/b.mp3") + "\n" +
                                       l.path("rock/live/x.mp3") + "\n");

        // Hidden folders and links to folders are not offered.
        chosen = tw::test::ChooseFromNextPopup({"rock", ".cache"});
        QVERIFY(l.h.trigger(ids::kCmdFolderMenu));
        QVERIFY(!*chosen);
        chosen = tw::test::ChooseFromNextPopup({"rock", "link"});
        QVERIFY(l.h.trigger(ids::kCmdFolderMenu));
        QVERIFY(!*chosen);
    }

    // A language file's texts of the folder tree's commands name the leaf entries.
    void theFolderMenuSpeaksTheLanguage() {
        Library l;
        l.h.addLanguageFile("Test.lng", "[MenuItems]\n32889=&Abspielen\n32890=&Einreihen\n");
        l.h.store.setString("Settings", "Language", "Test");
        l.h.store.setString("Settings", "D", l.path("rock/"));
        QVERIFY(l.h.start());
        auto chosen = tw::test::ChooseFromNextPopup({"jazz", "Einreihen"});
        QVERIFY(l.h.trigger(ids::kCmdFolderMenu));
        QVERIFY(*chosen);
        QCOMPARE(l.lastOpenedName(), QStringLiteral("jazz.m3u"));
    }
};

QTEST_MAIN(PlayerTest)
#include "player_test.moc"
