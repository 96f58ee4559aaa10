// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/album_actions.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "base/string_ids.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;
using C = AlbumCommand;
using freedb::FoundIn;

namespace {

constexpr C kSeparator = C::Count;

// The label without the hot key the string table shows after a tab: Qt shows the key of
// the action itself, in the reader's own words.
QString labelOf(int id) {
    return text(id).section(QLatin1Char('\t'), 0, 0);
}

}  // namespace

AlbumActions::AlbumActions(QMainWindow& window, QWidget& treeArea) {
    make(C::ShowCdPlayerIni, ids::kAlbumMenuShowCdPlayerIni);
    make(C::ClearLog, ids::kAlbumMenuClearLog);
    make(C::SaveLog, ids::kAlbumMenuSaveLog, "Ctrl+S");
    make(C::Exit, ids::kAlbumMenuExit, "Alt+F4");
    make(C::GetTracklist, ids::kAlbumMenuGetTracklistKey, "Ctrl+T");
    make(C::EditTrackTitle, ids::kAlbumMenuEditTrackTitle);
    make(C::EditTrackExtra, ids::kAlbumMenuEditTrackExtra);
    make(C::EditTrackArtist, ids::kAlbumMenuEditTrackArtist);
    make(C::Select, ids::kAlbumMenuSelect);
    make(C::Stop, ids::kAlbumMenuStop);
    make(C::SearchBar, ids::kAlbumMenuSearchBar, "Alt+1");
    make(C::MainBar, ids::kAlbumMenuMainBar, "Alt+2");
    make(C::StatusBar, ids::kAlbumMenuStatusBar, "Alt+3");
    make(C::SearchTab, ids::kAlbumMenuSearchTab);
    make(C::CdPlayerTab, ids::kAlbumMenuCdPlayerTab);
    make(C::LocalDbTab, ids::kAlbumMenuLocalDbTab);
    make(C::DatabaseInfo, ids::kAlbumMenuDatabaseInfo, "Ctrl+D");
    make(C::Settings, ids::kAlbumMenuSettings, "F12");
    make(C::Submit, ids::kAlbumMenuSubmit);
    make(C::Save, ids::kAlbumMenuSave);
    make(C::DiscardChanges, ids::kAlbumMenuDiscardChanges);
    make(C::CopyToCdPlayer, ids::kAlbumMenuCopyToCdPlayer);
    make(C::CopyToLocalDb, ids::kAlbumMenuCopyToLocalDb);
    make(C::Delete, ids::kAlbumMenuDelete, "Del");
    make(C::ExportAlbum, ids::kAlbumMenuExportAlbum);
    make(C::ExpandAll, ids::kAlbumMenuExpandAll);
    make(C::CollapseAll, ids::kAlbumMenuCollapseAll);
    make(C::Expand, ids::kAlbumMenuExpand);
    make(C::Collapse, ids::kAlbumMenuCollapse);
    for (C toggle :
         {C::SearchBar, C::MainBar, C::StatusBar, C::SearchTab, C::CdPlayerTab, C::LocalDbTab})
        (*this)[toggle]->setCheckable(true);
    // Del deletes albums while the trees have the focus; elsewhere it edits text.
    (*this)[C::Delete]->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    treeArea.addAction((*this)[C::Delete]);
    (*this)[C::Save]->setStatusTip(text(ids::kCmdAlbumSave));
    (*this)[C::DiscardChanges]->setStatusTip(text(ids::kCmdAlbumDiscardChanges));
    (*this)[C::Submit]->setStatusTip(text(ids::kSubmitToolTip));
    (*this)[C::Stop]->setIcon(window.style()->standardIcon(QStyle::SP_BrowserStop));
    (*this)[C::GetTracklist]->setIcon(window.style()->standardIcon(QStyle::SP_BrowserReload));
    (*this)[C::Select]->setIcon(window.style()->standardIcon(QStyle::SP_DialogApplyButton));

    const auto addMenu = [&](int titleId, std::initializer_list<C> commands) {
        QMenu* menu = window.menuBar()->addMenu(text(titleId));
        for (C command : commands) {
            if (command == kSeparator)
                menu->addSeparator();
            else
                menu->addAction((*this)[command]);
        }
    };
    addMenu(ids::kAlbumMenuHeadFile,
            {C::ShowCdPlayerIni, kSeparator, C::ClearLog, C::SaveLog, kSeparator, C::Exit});
    addMenu(ids::kAlbumMenuHeadActions,
            {C::GetTracklist, kSeparator, C::EditTrackTitle, C::EditTrackExtra, C::EditTrackArtist,
             kSeparator, C::Select, C::Stop});
    addMenu(ids::kAlbumMenuHeadView,
            {C::SearchBar, C::MainBar, C::StatusBar, kSeparator, C::SearchTab, C::CdPlayerTab,
             C::LocalDbTab, kSeparator, C::DatabaseInfo, C::Settings});

    mainBar_ = window.addToolBar(labelOf(ids::kAlbumMenuMainBar).remove(QLatin1Char('&')));
    mainBar_->setObjectName(QStringLiteral("mainBar"));
    for (C command : {C::GetTracklist, C::Stop, C::Select})
        mainBar_->addAction((*this)[command]);
}

QAction* AlbumActions::make(AlbumCommand command, int labelId, const char* key) {
    auto* action = new QAction(labelOf(labelId), this);
    if (key)
        action->setShortcut(QKeySequence(QString::fromLatin1(key)));
    action->setObjectName(QStringLiteral("album-command-%1").arg(static_cast<int>(command)));
    actions_[static_cast<std::size_t>(command)] = action;
    return action;
}

std::vector<AlbumCommand> AlbumActions::contextMenu(NodeKind kind, FoundIn where) {
    const std::vector<C> expanding = {C::ExpandAll, C::CollapseAll, C::Expand, C::Collapse};
    std::vector<C> commands;
    if (kind == NodeKind::Group) {
        // The server's matches are not the program's to delete.
        if (where == FoundIn::CdPlayerIni || where == FoundIn::LocalDatabase)
            commands = {C::Delete, kSeparator};
    } else {
        switch (where) {
            case FoundIn::FreeDb:
            case FoundIn::WebSearch:
                commands = {C::Submit,         C::GetTracklist,  C::Save,        C::DiscardChanges,
                            C::CopyToCdPlayer, C::CopyToLocalDb, C::ExportAlbum, kSeparator};
                break;
            case FoundIn::LocalDatabase:
                commands = {C::Submit, C::Save,        C::DiscardChanges, C::CopyToCdPlayer,
                            C::Delete, C::ExportAlbum, kSeparator};
                break;
            case FoundIn::CdPlayerIni:
                commands = {C::Save, C::DiscardChanges, C::Delete, C::ExportAlbum, kSeparator};
                break;
        }
    }
    commands.insert(commands.end(), expanding.begin(), expanding.end());
    return commands;
}

void AlbumActions::fillContextMenu(QMenu& menu, NodeKind kind, FoundIn where) const {
    for (C command : contextMenu(kind, where)) {
        if (command == kSeparator)
            menu.addSeparator();
        else
            menu.addAction((*this)[command]);
    }
}

}  // namespace tw::gui
