// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/commands/hot_keys_page.h"

#include <QFile>
#include <QKeySequence>

#include "base/language.h"
#include "base/language_menu.h"
#include "base/markup_escape.h"
#include "base/string_ids.h"
#include "gui/actions/command_set.h"
#include "gui/actions/command_table.h"
#include "gui/qt_text.h"
#include "gui/shell/desktop_context.h"
#include "gui/shell/desktop_open.h"
#include "gui/shell/desktop_port.h"
#include "gui/shell/help_pages.h"
#include "gui/shell/local_url.h"
#include "gui/shell/scratch_folder.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

// A page is a few kilobytes; the mark is looked for only in that much.
constexpr qint64 kMaxTemplateSize = 1 << 20;

// "&Play\tCtrl+P" shows as "Play": the key column says the keys.
QString plainLabel(const QString& label) {
    QString plain = label.section(QLatin1Char('\t'), 0, 0);
    plain.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    plain.remove(QLatin1Char('&'));
    plain.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return plain.trimmed();
}

QString keyText(std::string_view key) {
    return QKeySequence(qs(key), QKeySequence::PortableText).toString(QKeySequence::NativeText);
}

std::string escaped(const QString& text) {
    return base::escapeHtmlText(utf8(text));
}

std::string tableOf(const std::vector<HotKeyRow>& rows) {
    const std::string unavailable = " <em class=\"unavailable\">" +
                                    base::escapeHtmlText(base::tr(ids::kHotKeyUnavailable)) +
                                    "</em>";
    std::string table = "<table class=\"hot-keys\">\n";
    for (const HotKeyRow& row : rows)
        table += "<tr><td>" + escaped(row.menu) + "</td><td>" + escaped(row.command) +
                 (row.available ? std::string() : unavailable) + "</td><td><kbd>" +
                 escaped(row.keys) + "</kbd></td></tr>\n";
    table += "</table>\n";
    return table;
}

}  // namespace

std::vector<HotKeyRow> hotKeyRows(const CommandAvailable& available) {
    auto isAvailable = [&](int commandId) { return !available || available(commandId); };
    std::vector<HotKeyRow> rows;
    const std::vector<PopupSpec>& menus = mainMenuSpec();
    for (std::size_t position = 0; position < menus.size(); ++position) {
        const QString menu =
            plainLabel(qs(base::menuHeadText(static_cast<int>(position), menus[position].titleId)));
        for (const MenuEntry& entry : menus[position].entries) {
            QStringList keys;
            for (std::string_view key : hotKeys(entry.commandId))
                keys.append(keyText(key));
            if (!keys.isEmpty())
                rows.push_back({menu, plainLabel(menuLabel(entry.commandId, entry.labelId)),
                                keys.join(QStringLiteral(", ")), isAvailable(entry.commandId)});
        }
    }
    const QString list = plainLabel(menuLabel(ids::kCmdFocusFileList, ids::kMenuFileList));
    for (const ListKey& key : listKeys()) {
        const QString command = plainLabel(menuLabel(key.commandId, mainMenuLabel(key.commandId)));
        if (!rows.empty() && rows.back().menu == list && rows.back().command == command)
            rows.back().keys += QStringLiteral(", ") + keyText(key.key);
        else
            rows.push_back({list, command, keyText(key.key)});
    }
    return rows;
}

std::string hotKeysPage(std::string_view pageTemplate, const QUrl& base,
                        const CommandAvailable& available) {
    std::string page(pageTemplate);
    if (page.empty())
        page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n" +
               std::string(kHotKeysMark) + "\n</body></html>\n";
    const std::string table = tableOf(hotKeyRows(available));
    if (const std::size_t mark = page.find(kHotKeysMark); mark != std::string::npos)
        page.replace(mark, kHotKeysMark.size(), table);
    else if (const std::size_t end = page.rfind("</body>"); end != std::string::npos)
        page.insert(end, table);
    else
        page += table;
    if (base.isValid()) {
        const std::string tag =
            "<base href=\"" + escaped(base.toString(QUrl::FullyEncoded)) + "\">";
        const std::size_t head = page.find("<head>");
        page.insert(head == std::string::npos ? 0 : head + 6, tag);
    }
    return page;
}

void openHotKeysPage(DesktopContext& desktop, const CommandAvailable& available) {
    const QUrl source = helpPageUrl(help::kHotKeys);
    QFile file(source.toLocalFile());
    const std::string pageTemplate =
        file.open(QIODevice::ReadOnly) ? file.read(kMaxTemplateSize).toStdString() : std::string();
    const std::string path = desktop.scratch.write(
        std::string(help::kHotKeys),
        hotKeysPage(pageTemplate, source.adjusted(QUrl::RemoveFilename), available));
    if (!path.empty())
        openOnDesktop(desktop.port, desktop.user, localUrl(path));
}

}  // namespace tw::gui
