#include "gui/commands/command_icons.h"

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
    {ids::kCmdGetCdInfo, "media-optical", QStyle::SP_DriveCDIcon},
    {ids::kCmdAdvancedRenaming, "edit-rename", QStyle::SP_FileDialogDetailedView},
    {ids::kCmdFilenameToTag, "document-edit", QStyle::SP_FileDialogContentsView},
    {ids::kCmdCreatePlaylist, "view-media-playlist", QStyle::SP_FileDialogListView},
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

}  // namespace

QIcon commandIcon(int commandId, const QStyle& style) {
    for (const IconSource& source : kIcons)
        if (source.commandId == commandId)
            return QIcon::fromTheme(QLatin1String(source.themeName),
                                    style.standardIcon(source.fallback));
    return {};
}

}  // namespace tw::gui
