// SPDX-License-Identifier: GPL-2.0-or-later
// The texts the program reads from and writes for the desktop: a media player's desktop
// entry with its queueing action and Exec line, and the playlists handed to the player.
#include <QtTest>
#include <string>
#include <vector>

#include "gui/shell/desktop_entry.h"
#include "gui/shell/folder_menu.h"
#include "gui/shell/media_player.h"

using tw::gui::DesktopEntry;
using tw::gui::ExecFields;

namespace {

using Args = std::vector<std::string>;

QByteArray joined(const Args& args) {
    QByteArrayList list;
    for (const std::string& arg : args)
        list << QByteArray::fromStdString("[" + arg + "]");
    return list.join(' ');
}

}  // namespace

class DesktopTextsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entryValuesAndLists() {
        const DesktopEntry entry = DesktopEntry::parse(
            "Name=before any group\n"
            "[Desktop Entry]\r\n"
            "# a comment=not a key\n"
            "Name = Player\\sOne \n"
            "Name=second value is ignored\n"
            "Name[de]=Spieler\n"
            "Actions=Play;Add\\;Queue;;Next\n"
            "not a key line\n"
            "[Broken\n"
            "Exec=still in the entry group\n"
            "[Desktop Action Play]\n"
            "Exec=player --play \\\\ \\$HOME %f\n");
        QCOMPARE(entry.value("Desktop Entry", "Name"), std::optional<std::string>("Player One"));
        QCOMPARE(entry.value("Desktop Entry", "Name[de]"), std::optional<std::string>("Spieler"));
        QCOMPARE(entry.list("Desktop Entry", "Actions"),
                 (std::vector<std::string>{"Play", "Add;Queue", "Next"}));
        QCOMPARE(entry.value("Desktop Entry", "Exec"),
                 std::optional<std::string>("still in the entry group"));
        // "\\" is the format's own escape; "\$" belongs to the Exec line and stays.
        QCOMPARE(entry.value("Desktop Action Play", "Exec"),
                 std::optional<std::string>("player --play \\ \\$HOME %f"));
        QVERIFY(!entry.value("Desktop Entry", "Icon"));
        QVERIFY(!entry.value("Nowhere", "Name"));
    }

    void theQueueingActionIsFoundByIdOrName_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("exec");  // empty: none
        const QByteArray head = "[Desktop Entry]\nName=P\nExec=p %U\n";
        QTest::newRow("by id") << head +
                                      "Actions=Next;Enqueue;\n[Desktop Action Next]\n"
                                      "Exec=p --next\n[Desktop Action Enqueue]\n"
                                      "Name=Add\nExec=p -e %F\n"
                               << QByteArray("p -e %F");
        QTest::newRow("by name") << head +
                                        "Actions=add;\n[Desktop Action add]\n"
                                        "Name=Add to Queue\nExec=p --add %u\n"
                                 << QByteArray("p --add %u");
        QTest::newRow("none of them") << head +
                                             "Actions=Play;\n[Desktop Action Play]\n"
                                             "Name=Play\nExec=p %f\n"
                                      << QByteArray("");
        QTest::newRow("listed but missing") << head + "Actions=Enqueue;\n" << QByteArray("");
        QTest::newRow("group of an unlisted action")
            << head + "[Desktop Action Enqueue]\nExec=p -e %f\n"
            << QByteArray("");
        QTest::newRow("no exec, next one taken")
            << head +
                   "Actions=Queue;Enqueue\n[Desktop Action Queue]\nName=Queue\n"
                   "[Desktop Action Enqueue]\nExec=p -q %f\n"
            << QByteArray("p -q %f");
    }
    void theQueueingActionIsFoundByIdOrName() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, exec);
        const auto found = tw::gui::enqueueActionExec(DesktopEntry::parse(text.toStdString()));
        QCOMPARE(QByteArray::fromStdString(found.value_or("")), exec);
    }

    void execLinesBecomeArguments_data() {
        QTest::addColumn<QByteArray>("exec");
        QTest::addColumn<QByteArray>("args");  // empty: refused
        QTest::newRow("file") << QByteArray("player --enqueue %f")
                              << QByteArray("[player] [--enqueue] [/m/a b.m3u]");
        QTest::newRow("uri") << QByteArray("player %u")
                             << QByteArray("[player] [file:///m/a%20b.m3u]");
        QTest::newRow("file list")
            << QByteArray("player -a %F --x") << QByteArray("[player] [-a] [/m/a b.m3u] [--x]");
        QTest::newRow("uri list") << QByteArray("player %U")
                                  << QByteArray("[player] [file:///m/a%20b.m3u]");
        QTest::newRow("quoted program and blanks")
            << QByteArray("\"/opt/my player/run\"   --add\t%f")
            << QByteArray("[/opt/my player/run] [--add] [/m/a b.m3u]");
        QTest::newRow("escapes in quotes")
            << QByteArray("sh -c \"echo \\\"\\$x\\\" \\\\ \\`\" %f")
            << QByteArray("[sh] [-c] [echo \"$x\" \\ `] [/m/a b.m3u]");
        QTest::newRow("empty quoted argument")
            << QByteArray("p \"\" %f") << QByteArray("[p] [] [/m/a b.m3u]");
        QTest::newRow("icon, name, entry, percent")
            << QByteArray("p %i --name=%c --from %k 100%% %f")
            << QByteArray(
                   "[p] [--icon] [player-icon] [--name=Player] [--from] [/apps/p.desktop] "
                   "[100%] [/m/a b.m3u]");
        QTest::newRow("old codes dropped")
            << QByteArray("p %d%D %n %N%v %m %f") << QByteArray("[p] [/m/a b.m3u]");
        QTest::newRow("open quote") << QByteArray("p \"%f") << QByteArray("");
        QTest::newRow("unknown code") << QByteArray("p %x %f") << QByteArray("");
        QTest::newRow("percent at the end") << QByteArray("p %f %") << QByteArray("");
        QTest::newRow("list inside a word") << QByteArray("p --files=%F") << QByteArray("");
        QTest::newRow("icon inside a word") << QByteArray("p x%i %f") << QByteArray("");
        QTest::newRow("takes no file") << QByteArray("p --enqueue") << QByteArray("");
        QTest::newRow("nothing") << QByteArray("  ") << QByteArray("");
    }
    void execLinesBecomeArguments() {
        QFETCH(QByteArray, exec);
        QFETCH(QByteArray, args);
        const ExecFields fields{{"/m/a b.m3u"}, "/apps/p.desktop", "Player", "player-icon"};
        QCOMPARE(joined(tw::gui::expandExec(exec.toStdString(), fields)), args);
    }

    // A name may hold any byte but "/" and NUL: such names still make one line each, which
    // reaches the player with the file's own bytes.
    void playlistsKeepEveryNameOnItsOwnLine() {
        const std::vector<std::string> files = {"/m/Ünïcode – song.mp3", "/m/two\nlines.mp3",
                                                "/m/bad\xff byte.mp3", "/m/tab\t.mp3",
                                                "/m/#hash %20.mp3"};
        QCOMPARE(tw::gui::playlistText(files), std::string("/m/Ünïcode – song.mp3\n"
                                                           "file:///m/two%0Alines.mp3\n"
                                                           "file:///m/bad%FF%20byte.mp3\n"
                                                           "file:///m/tab%09.mp3\n"
                                                           "/m/#hash %20.mp3\n"));
    }

    void foldersNameTheirPlaylistsAndMenus_data() {
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("menuStart");
        QTest::newRow("plain") << QByteArray("/music/rock/") << QByteArray("rock")
                               << QByteArray("/music/");
        QTest::newRow("no trailing slash")
            << QByteArray("/music/rock") << QByteArray("rock") << QByteArray("/music/");
        QTest::newRow("top level")
            << QByteArray("/music/") << QByteArray("music") << QByteArray("/");
        QTest::newRow("root") << QByteArray("/") << QByteArray("playlist") << QByteArray("/");
        QTest::newRow("control characters")
            << QByteArray("/a/b\tc\n/") << QByteArray("b c ") << QByteArray("/a/");
    }
    void foldersNameTheirPlaylistsAndMenus() {
        QFETCH(QByteArray, folder);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, menuStart);
        QCOMPARE(QByteArray::fromStdString(tw::gui::playlistNameOf(folder.toStdString())), name);
        QCOMPARE(QByteArray::fromStdString(tw::gui::folderMenuStart(folder.toStdString())),
                 menuStart);
    }
};

QTEST_MAIN(DesktopTextsTest)
#include "desktop_texts_test.moc"
