// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <array>
#include <vector>

#include "freedb/job_observer.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace tw::gui {

// The commands of the album window.
enum class AlbumCommand {
    // File
    ShowCdPlayerIni,
    ClearLog,
    SaveLog,
    Exit,
    // Actions
    GetTracklist,
    EditTrackTitle,
    EditTrackExtra,
    EditTrackArtist,
    Select,
    Stop,
    // View
    SearchBar,
    MainBar,
    StatusBar,
    SearchTab,
    CdPlayerTab,
    LocalDbTab,
    DatabaseInfo,
    Settings,
    // The tree's nodes
    Submit,
    Save,
    DiscardChanges,
    CopyToCdPlayer,
    CopyToLocalDb,
    Delete,
    ExportAlbum,
    ExpandAll,
    CollapseAll,
    Expand,
    Collapse,
    Count
};

// What the tree's context menu is for.
enum class NodeKind { Album, Group };

// The album window's actions with their labels (from the string table, the hot key shown by
// Qt) and hot keys, its menus and main bar, and the context menus of the tree's nodes. The
// window connects the actions and sets their states.
//
// Owns the actions (children of this object); the window owns this object and must keep it
// until the menus and widgets that show the actions are gone or no longer shown.
class AlbumActions : public QObject {
    Q_OBJECT
public:
    // `window` holds the menu bar; `treeArea` is where "Delete" (Del) works.
    AlbumActions(QMainWindow& window, QWidget& treeArea);

    QAction* operator[](AlbumCommand command) const {
        return actions_[static_cast<std::size_t>(command)];
    }
    QToolBar* mainBar() const { return mainBar_; }

    // The commands of a node's context menu, in order; AlbumCommand::Count stands for a
    // separator.
    static std::vector<AlbumCommand> contextMenu(NodeKind kind, freedb::FoundIn where);
    // Fills `menu` with those commands' actions.
    void fillContextMenu(QMenu& menu, NodeKind kind, freedb::FoundIn where) const;

private:
    QAction* make(AlbumCommand command, int labelId, const char* key = nullptr);

    std::array<QAction*, static_cast<std::size_t>(AlbumCommand::Count)> actions_{};
    QToolBar* mainBar_ = nullptr;
};

}  // namespace tw::gui
