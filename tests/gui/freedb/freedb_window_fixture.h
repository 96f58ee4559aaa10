// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <filesystem>
#include <memory>
#include <string>

#include "base/memory_settings_store.h"
#include "freedb/album_info.h"
#include "freedb/job_observer.h"
#include "freedb/settings_io.h"
#include "gui/freedb/freedb_window_context.h"
#include "gui/support/context_menu.h"
#include "gui/support/scripted_shell_port.h"
#include "support/fake_cddb_database.h"
#include "support/fake_cddb_server.h"
#include "support/fake_http_server.h"
#include "support/fake_user_port.h"
#include "support/temp_dir.h"

class QMenu;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace tw::gui {
class AlbumNode;
class AlbumTree;
class AlbumWindow;
}  // namespace tw::gui

namespace tw::test {

// What the tests of the CDDB windows work with: the settings store, a scripted user and
// shell, the CD-player file and the local database in a temporary folder, and two fake
// servers on this machine: a cddbp server and a web site that answers CDDB over HTTP, the
// search and the submission. The settings point at them once pointAtServers() ran.
class FreeDbWindowFixture {
public:
    FreeDbWindowFixture();
    ~FreeDbWindowFixture();

    // Replaces the cddbp server by one that misbehaves so (call before pointAtServers).
    void useServer(FakeServerMisbehaviour misbehaviour);
    // Stores settings that reach the fake servers (over HTTP when `http`), keep the local
    // database in Standard mode under the temporary folder, and use the given limit.
    void pointAtServers(bool http = false, int maxThreads = 5);
    freedb::StoreConfig storedConfig() const;
    gui::FreeDbWindowContext context();

    // The album window for `disc`, shown (which starts its lookup).
    std::unique_ptr<gui::AlbumWindow> open(const freedb::AlbumInfo& disc);

    // The search page the web site answers with: one link per album of the database.
    std::string searchPage() const;

    TempDir dir;
    base::MemorySettingsStore settings;
    FakeUserPort port;
    ScriptedShellPort shell;
    FakeCddbDatabase database;
    std::unique_ptr<FakeCddbServer> server = std::make_unique<FakeCddbServer>(database);
    std::unique_ptr<FakeHttpServer> web;
    std::shared_ptr<gui::FreeDbSession> session = std::make_shared<gui::FreeDbSession>();
    std::filesystem::path cdPlayerIni = dir / "CDPLAYER.INI";
    std::filesystem::path databaseRoot = dir / "database";
};

// The disc of two tracks of 180 and 240 seconds (disc id 0d01a202), as the lookup makes it
// from the selected files.
freedb::AlbumInfo TwoTrackDisc();

// A fake album of that disc in `category`, "<artist> / <title>", with `revision` in its
// record when given.
FakeAlbum DiscRecord(const std::string& category, const std::string& discTitle, int revision = -1);

// The album node of the disc in `category` in the tree's branch `where`, or null.
gui::AlbumNode* NodeOf(gui::AlbumTree& tree, freedb::FoundIn where, const std::string& category,
                       const std::string& discId = "0d01a202");

// Whether the window's lookup holds the server's album of the disc in `category` with its
// tracks, that is, retrieved and not only listed.
bool Retrieved(gui::AlbumWindow& window, const std::string& category);

// Clicks the tab of `page` as the mouse would.
void ClickTab(QTabWidget& tabs, QWidget* page);

// Clicks the item as the mouse would.
void ClickItem(QTreeWidget& tree, QTreeWidgetItem* item);

// Replaces the text of the cell being edited as typing would, and presses Return.
void TypeIntoEditor(const QString& text);

}  // namespace tw::test
