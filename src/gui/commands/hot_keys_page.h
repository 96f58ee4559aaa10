// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QString>
#include <QUrl>
#include <string>
#include <string_view>
#include <vector>

namespace tw::gui {

struct DesktopContext;

// The "Hot Keys" page: every hot key of the command table, made from the table whenever the
// user asks for it, so the page can never differ from the keys the program has. The words
// around the table come from the help page "08_hot_keys.htm"; the table stands where that
// page has the mark kHotKeysMark.

inline constexpr std::string_view kHotKeysMark = "<!--hot keys-->";

// One row of the table: the menu, the command's label there (both in the active language,
// without their "&" marks) and its keys as this desktop writes them.
struct HotKeyRow {
    QString menu;
    QString command;
    QString keys;
    bool available = true;  // false: the command is shown but disabled in this version
};

// Whether a command of the table has its work in this program (CommandSet::isDefined).
using CommandAvailable = std::function<bool(int commandId)>;

// The rows in menu order, then the keys that act only in the file list (their menu is the
// file list's name). Without `available` every command counts as available.
std::vector<HotKeyRow> hotKeyRows(const CommandAvailable& available = {});

// The page: `pageTemplate` with the rows as an HTML table at the mark (before "</body>" when
// it has none, or as a page of its own when it is empty) and, when `base` is valid, a
// "<base>" so the page's own links and pictures still lead into the help folder. Every text
// of the rows is escaped, whatever a language file put into a label.
// Rows of commands that are not available say so beside their label, so a user who finds the
// key doing nothing knows it is meant to.
std::string hotKeysPage(std::string_view pageTemplate, const QUrl& base,
                        const CommandAvailable& available = {});

// Makes the page from the help folder's "08_hot_keys.htm", writes it to the scratch folder
// and opens it in the browser.
void openHotKeysPage(DesktopContext& desktop, const CommandAvailable& available);

}  // namespace tw::gui
