// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace tw::gui {

// The commands of the main window as data: the menus with their items and built-in labels,
// the hot keys, the toolbar and the context menus. Nothing here runs a command; CommandSet
// gives every id its action and the handlers (commands/*_commands.cpp) give it its work.

// One menu entry: a command id with the built-in label it shows there (a string-table id),
// or a separator.
struct MenuEntry {
    int commandId = 0;  // 0: separator
    int labelId = 0;

    bool isSeparator() const { return commandId == 0; }
};

// A popup of the main menu: its built-in title and its entries.
struct PopupSpec {
    int titleId;
    std::vector<MenuEntry> entries;
};

// The popups of the main menu bar, in order (their position keys their title in a
// language file).
const std::vector<PopupSpec>& mainMenuSpec();

// The label a command shows in the main menu (0 for ids the main menu does not hold).
int mainMenuLabel(int commandId);

// Every command of the main menu, in menu order (no separators, no language entries).
std::vector<int> mainMenuCommands();

// The hot keys of a command in Qt's portable key text ("Ctrl+O"); empty when it has none.
// Keys that the file list owns (Enter, Del) are not among them: see listKeys().
std::span<const std::string_view> hotKeys(int commandId);

// The keys that act only while the file list has the focus, so that editing fields keep
// their own Enter and Del.
struct ListKey {
    int commandId;
    std::string_view key;
};
std::span<const ListKey> listKeys();

// Whether a command shows a check mark.
bool isCheckable(int commandId);

// The toolbar buttons in order; 0 is a separator.
std::span<const int> toolbarLayout();

// The context menus.
const std::vector<MenuEntry>& folderTreeMenuSpec();
const std::vector<MenuEntry>& fileListMenuSpec();
const std::vector<MenuEntry>& barsMenuSpec();
// The menu of the notification-area icon.
const std::vector<MenuEntry>& trayMenuSpec();
// The column commands in column order (the header menu and "View Columns").
const std::vector<MenuEntry>& columnMenuSpec();

}  // namespace tw::gui
