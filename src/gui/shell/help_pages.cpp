// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/help_pages.h"

#include <QKeyEvent>
#include <QWidget>
#include <filesystem>

#include "base/app_paths.h"
#include "gui/export/export_sheet.h"
#include "gui/export/playlist_dialog.h"
#include "gui/freedb/album_export_dialog.h"
#include "gui/freedb/album_window.h"
#include "gui/freedb/database_info_dialog.h"
#include "gui/freedb/freedb_settings_dialog.h"
#include "gui/freedb/proxy_credentials_dialog.h"
#include "gui/freedb/proxy_settings_dialog.h"
#include "gui/freedb/server_list_dialog.h"
#include "gui/freedb/submit_dialog.h"
#include "gui/mainwindow/main_window.h"
#include "gui/rename/change_case_dialog.h"
#include "gui/rename/filename_rename_dialog.h"
#include "gui/rename/filename_to_tag_dialog.h"
#include "gui/shell/desktop_open.h"
#include "gui/shell/desktop_port.h"
#include "gui/shell/local_url.h"

namespace tw::gui {

namespace {

struct WindowPage {
    const QMetaObject* window;
    std::string_view page;
};

// The windows that have a page of their own. A window not listed here shows the page of the
// window it belongs to (its parent), so the mask editor shows the page of the window that
// opened it, and a small dialog of the CDDB window needs no entry.
const WindowPage kWindowPages[] = {
    {&MainWindow::staticMetaObject, help::kIntroduction},
    {&DlgFilenameRename::staticMetaObject, help::kRenaming},
    {&DlgFilenameToTag::staticMetaObject, help::kFilenameToTag},
    {&DlgChangeCase::staticMetaObject, help::kChangeCase},
    {&PlaylistDialog::staticMetaObject, help::kPlaylist},
    {&CPropertySheetExport::staticMetaObject, help::kExport},
    {&AlbumWindow::staticMetaObject, help::kCddbWindow},
    {&SubmitDialog::staticMetaObject, help::kCddbWindow},
    {&DatabaseInfoDialog::staticMetaObject, help::kCddbWindow},
    {&AlbumExportDialog::staticMetaObject, help::kCddbWindow},
    {&FreeDbSettingsDialog::staticMetaObject, help::kCddbSettings},
    {&ServerListDialog::staticMetaObject, help::kCddbSettings},
    {&ProxySettingsDialog::staticMetaObject, help::kCddbSettings},
    {&ProxyCredentialsDialog::staticMetaObject, help::kCddbSettings},
};

}  // namespace

std::string_view helpPageOf(const QWidget* window) {
    for (const QWidget* w = window; w; w = w->parentWidget())
        for (const WindowPage& entry : kWindowPages)
            if (w->metaObject()->inherits(entry.window))
                return entry.page;
    return help::kIntroduction;
}

QUrl helpPageUrl(std::string_view page) {
    for (const std::filesystem::path& folder : base::dataFolders()) {
        const std::filesystem::path path = folder / "help" / page;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error))
            return localUrl(path.string());
    }
    return localUrl((base::appPaths().installDataFolder / "help" / page).string());
}

void openHelpPage(DesktopPort& port, base::UserPort& user, std::string_view page) {
    openOnDesktop(port, user, helpPageUrl(page));
}

HelpKey::HelpKey(DesktopPort& port, base::UserPort& user, QObject* parent)
    : QObject(parent), port_(port), user_(user) {}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    openHelpPage(port_, user_, helpPageOf(static_cast<QWidget*>(watched)->window()));
    return true;
}

}  // namespace tw::gui
