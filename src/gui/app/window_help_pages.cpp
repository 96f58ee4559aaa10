// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/app/window_help_pages.h"

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
#include "gui/rename/change_case_dialog.h"
#include "gui/rename/filename_rename_dialog.h"
#include "gui/rename/filename_to_tag_dialog.h"

namespace tw::gui {

WindowHelpPages windowHelpPages() {
    static const WindowHelpPage pages[] = {
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
    return pages;
}

}  // namespace tw::gui
