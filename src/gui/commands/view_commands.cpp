// SPDX-License-Identifier: GPL-2.0-or-later
// The "View" and "View Columns" menus: the bars, the focus moves, the list's columns.
#include <QDockWidget>
#include <QStatusBar>
#include <QToolBar>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "gui/actions/command_set.h"
#include "gui/actions/command_table.h"
#include "gui/commands/command_context.h"
#include "gui/commands/command_handlers.h"
#include "gui/mainwindow/main_window.h"
#include "gui/views/file_list_view.h"
#include "gui/views/tag_tabs_view.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

CommandSet::Handler showHide(QWidget& bar) {
    return {[&bar] { bar.setHidden(!bar.isHidden()); }, {}, [&bar] { return !bar.isHidden(); }};
}

CommandSet::Handler showPage(TagTabsView& tabs, TagTabsView::Page page) {
    return {[&tabs, page] { tabs.showPage(page); }};
}

}  // namespace

void defineViewCommands(CommandSet& commands, CommandContext& c) {
    MainWindow& window = c.window;
    commands.define(ids::kCmdViewMainBar, showHide(window.mainBar()));
    commands.define(ids::kCmdViewFolderTree, showHide(window.folderDock()));
    commands.define(ids::kCmdViewStatusBar, showHide(*window.statusBar()));

    commands.define(ids::kCmdFocusFileList, {[&window] { window.fileList().setFocus(); }});
    TagTabsView& tabs = window.tagTabs();
    commands.define(ids::kCmdShowStandardTab, showPage(tabs, TagTabsView::Page::Standard));
    commands.define(ids::kCmdShowExtendedTab, showPage(tabs, TagTabsView::Page::Extended));
    commands.define(ids::kCmdShowLyricsTab, showPage(tabs, TagTabsView::Page::Lyrics));
    commands.define(ids::kCmdShowPictureTab, showPage(tabs, TagTabsView::Page::Picture));

    core::AppOptions& options = c.gui.options;
    commands.define(ids::kCmdAutoresizeColumns, {[&options, &window] {
                                                     options.autosizeColumns =
                                                         !options.autosizeColumns;
                                                     if (options.autosizeColumns)
                                                         window.fileList().autosizeColumns();
                                                 },
                                                 {},
                                                 [&options] { return options.autosizeColumns; }});

    FileListView& list = window.fileList();
    for (const MenuEntry& column : columnMenuSpec()) {
        const int id = column.commandId;
        commands.define(id, {[&list, id] { list.setColumnVisible(id, !list.isColumnVisible(id)); },
                             {},
                             [&list, id] { return list.isColumnVisible(id); }});
    }
}

}  // namespace tw::gui
