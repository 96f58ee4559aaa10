// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "gui/freedb/album_tree.h"
#include "gui/freedb/album_trees.h"
#include "gui/freedb/album_window.h"
#include "support/fake_cddb_database.h"

namespace tw::test {

FreeDbWindowFixture::FreeDbWindowFixture() {
    web = std::make_unique<FakeHttpServer>([this](const FakeHttpRequest& request) {
        const std::string target = request.pathAndQuery();
        if (target.starts_with("/~cddb/submit.cgi"))
            return FakeHttpReply{200, "200 OK, submission has been queued\n"};
        if (target.starts_with("/freedb_search.php"))
            return FakeHttpReply{200, searchPage()};
        return CddbHttpHandler(database)(request);
    });
}

FreeDbWindowFixture::~FreeDbWindowFixture() = default;

void FreeDbWindowFixture::useServer(FakeServerMisbehaviour misbehaviour) {
    server = std::make_unique<FakeCddbServer>(database, std::move(misbehaviour));
}

void FreeDbWindowFixture::pointAtServers(bool http, int maxThreads) {
    freedb::StoreConfig config = freedb::LoadStoreConfig(settings, cdPlayerIni);
    freedb::FreeDbSettings& s = config.freedb;
    s.remoteServer = "127.0.0.1";
    s.remotePort = std::to_string(http ? web->port() : server->port());
    s.setOption(freedb::FreeDbSettings::kOptionHttp, http);
    s.timeout = 5;
    s.webHost = "127.0.0.1";
    s.webPort = web->port();
    s.emailAddress = s.submitEmailAddress = "tester@example.test";
    s.maxThreadsCount = maxThreads;
    config.localDb = {databaseRoot, freedb::LocalDbMode::Standard};
    if (!freedb::SaveStoreConfig(config, settings))
        qFatal("cannot store the test's CDDB settings");
}

freedb::StoreConfig FreeDbWindowFixture::storedConfig() const {
    return freedb::LoadStoreConfig(settings, cdPlayerIni);
}

gui::FreeDbWindowContext FreeDbWindowFixture::context() {
    return {settings, port, shell, cdPlayerIni, session};
}

std::unique_ptr<gui::AlbumWindow> FreeDbWindowFixture::open(const freedb::AlbumInfo& disc) {
    auto window = std::make_unique<gui::AlbumWindow>(context(), disc);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the album window did not become active");
    return window;
}

std::string FreeDbWindowFixture::searchPage() const {
    std::string page = "<html><body><table>\n";
    for (const char* category : {"rock", "jazz", "misc"}) {
        page += "<tr><td><a href=\"http://127.0.0.1:" + std::to_string(web->port()) +
                "/freedb_search_fmt.php?cat=" + category + "&id=0d01a202\">Found / In " + category +
                "</a></td></tr>\n";
    }
    return page + "</table></body></html>\n";
}

freedb::AlbumInfo TwoTrackDisc() {
    freedb::AlbumInfo disc;
    disc.trackAt(0)->setFrameOffset(150);
    disc.trackAt(1)->setFrameOffset(150 + 180 * 75);
    disc.setDiscLengthSeconds(420);
    return disc;
}

FakeAlbum DiscRecord(const std::string& category, const std::string& discTitle, int revision) {
    std::vector<std::string> lines = MakeFakeXmcd("0d01a202", discTitle, 2);
    if (revision >= 0)
        lines.insert(lines.begin() + 7, "# Revision: " + std::to_string(revision));
    return {category, "0d01a202", discTitle, lines};
}

gui::AlbumNode* NodeOf(gui::AlbumTree& tree, freedb::FoundIn where, const std::string& category,
                       const std::string& discId) {
    return tree.findAlbum(where, category, discId);
}

bool Retrieved(gui::AlbumWindow& window, const std::string& category) {
    const gui::AlbumNode* node = NodeOf(window.trees().lookup(), freedb::FoundIn::FreeDb, category);
    return node && node->album().trackCount() > 0;
}

void ClickTab(QTabWidget& tabs, QWidget* page) {
    QTabBar* bar = tabs.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tabs.indexOf(page)).center());
}

void ClickItem(QTreeWidget& tree, QTreeWidgetItem* item) {
    tree.scrollToItem(item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(item).center());
}

void TypeIntoEditor(const QString& text) {
    QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view takes the text and closes the editor from its next event.
    QTRY_VERIFY(!editor);
}

}  // namespace tw::test
