// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/actions/command_icons.h"

#include <QImage>
#include <QPixmap>
#include <QStyle>

#include "base/string_ids.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

struct IconSource {
    int commandId;
    const char* themeName;
    QStyle::StandardPixmap fallback;
};

constexpr IconSource kIcons[] = {
    {ids::kCmdViewFolderTree, "view-list-tree", QStyle::SP_DirIcon},
    {ids::kCmdOpenFile, "document-open", QStyle::SP_DialogOpenButton},
    {ids::kCmdOpenFolder, "folder-open", QStyle::SP_DirOpenIcon},
    {ids::kCmdRefreshFolder, "view-refresh", QStyle::SP_BrowserReload},
    {ids::kCmdRefreshSelected, "view-refresh", QStyle::SP_BrowserReload},
    {ids::kCmdIncludeSubfolders, "folder-tree", QStyle::SP_DirLinkIcon},
    {ids::kCmdGetCdInfo, "media-optical", QStyle::SP_DriveCDIcon},
    {ids::kCmdAdvancedRenaming, "edit-rename", QStyle::SP_FileDialogDetailedView},
    {ids::kCmdFilenameToTag, "document-edit", QStyle::SP_FileDialogContentsView},
    {ids::kCmdCreatePlaylist, "view-media-playlist", QStyle::SP_FileDialogListView},
    {ids::kCmdSaveChanges, "document-save", QStyle::SP_DialogSaveButton},
    {ids::kCmdUndo, "edit-undo", QStyle::SP_ArrowBack},
    {ids::kCmdRedo, "edit-redo", QStyle::SP_ArrowForward},
    {ids::kCmdSetNumbering, "format-list-ordered", QStyle::SP_ToolBarVerticalExtensionButton},
    {ids::kCmdFileInfo, "document-properties", QStyle::SP_FileDialogInfoView},
    {ids::kCmdPlay, "media-playback-start", QStyle::SP_MediaPlay},
    {ids::kCmdFolderMenu, "folder-sound", QStyle::SP_DirLinkIcon},
    {ids::kCmdSelectAll, "edit-select-all", QStyle::SP_DialogApplyButton},
    {ids::kCmdUncheckAll, "edit-clear", QStyle::SP_DialogResetButton},
    {ids::kCmdInvertSelection, "edit-select-invert", QStyle::SP_BrowserStop},
    {ids::kCmdHelp, "help-contents", QStyle::SP_DialogHelpButton},
    {ids::kCmdHotKeys, "preferences-desktop-keyboard", QStyle::SP_DialogHelpButton},
    {ids::kCmdAbout, "help-about", QStyle::SP_MessageBoxInformation},
    {ids::kCmdVisitWebSite, "internet-web-browser", QStyle::SP_DriveNetIcon},
    {ids::kCmdEditFilename, "edit-rename", QStyle::SP_FileLinkIcon},
    {ids::kCmdSettings, "configure", QStyle::SP_FileDialogDetailedView},
    {ids::kCmdDeleteFiles, "edit-delete", QStyle::SP_TrashIcon},
    {ids::kCmdRemoveFiles, "list-remove", QStyle::SP_DialogDiscardButton},
    {ids::kCmdExportHtml, "text-html", QStyle::SP_FileIcon},
    {ids::kCmdExportRtf, "x-office-document", QStyle::SP_FileIcon},
    {ids::kCmdExportTemplateHtml, "text-html", QStyle::SP_FileIcon},
    {ids::kCmdExportTemplateRtf, "x-office-document", QStyle::SP_FileIcon},
    {ids::kCmdOpenTreeFolder, "folder-open", QStyle::SP_DirOpenIcon},
    {ids::kCmdPlayFolder, "media-playback-start", QStyle::SP_MediaPlay},
    {ids::kCmdEnqueueFolder, "media-playlist-append", QStyle::SP_MediaSeekForward},
};

// A grey, faded copy: a command that cannot run must not look clickable, whatever the icon
// theme and the style make of a disabled icon on their own.
QPixmap disabledLook(const QPixmap& normal) {
    QImage image = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = (qGray(pixel) + 2 * 160) / 3;  // lighter, towards a mid grey
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel) / 2);
        }
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(normal.devicePixelRatio());
    return pixmap;
}

// The sizes the icons are shown at: menus and the toolbar.
constexpr int kIconSizes[] = {16, 26};

QIcon withDisabledMode(const QIcon& icon) {
    QIcon result;
    for (int size : kIconSizes) {
        const QPixmap normal = icon.pixmap(QSize(size, size));
        if (normal.isNull())
            continue;
        result.addPixmap(normal, QIcon::Normal);
        result.addPixmap(disabledLook(normal), QIcon::Disabled);
    }
    return result;
}

}  // namespace

QIcon commandIcon(int commandId, const QStyle& style) {
    for (const IconSource& source : kIcons)
        if (source.commandId == commandId)
            return withDisabledMode(QIcon::fromTheme(QLatin1String(source.themeName),
                                                     style.standardIcon(source.fallback)));
    return {};
}

}  // namespace tw::gui
