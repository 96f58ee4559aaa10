// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/actions/command_table.h"

#include <algorithm>
#include <array>

#include "base/string_ids.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

constexpr MenuEntry kSeparator{};

std::vector<PopupSpec> buildMainMenu() {
    return {
        {ids::kMenuHeadFolder,
         {
             {ids::kCmdOpenFile, ids::kMenuOpenFile},
             {ids::kCmdOpenFolder, ids::kMenuOpenFolder},
             kSeparator,
             {ids::kCmdRefreshSelected, ids::kMenuRefreshSelected},
             {ids::kCmdRefreshFolder, ids::kMenuRefreshFolder},
             {ids::kCmdMp3FilesOnly, ids::kMenuMp3FilesOnly},
             {ids::kCmdIncludeSubfolders, ids::kMenuIncludeSubfolders},
             kSeparator,
             {ids::kCmdFindFiles, ids::kMenuFindFiles},
             {ids::kCmdFindFolder, ids::kMenuFindFolder},
             kSeparator,
             {ids::kCmdExit, ids::kMenuExit},
         }},
        {ids::kMenuHeadFile,
         {
             {ids::kCmdFileInfo, ids::kMenuFileInfo},
             {ids::kCmdPlay, ids::kMenuPlay},
             kSeparator,
             {ids::kCmdDeleteFiles, ids::kMenuDeleteFiles},
             kSeparator,
             {ids::kCmdEditFilename, ids::kMenuEditFilename},
         }},
        {ids::kMenuHeadEdit,
         {
             {ids::kCmdSelectAll, ids::kMenuSelectAll},
             {ids::kCmdInvertSelection, ids::kMenuInvertAll},
             {ids::kCmdUncheckAll, ids::kMenuUncheckAll},
             kSeparator,
             {ids::kCmdMoveUp, ids::kMenuMoveUp},
             {ids::kCmdMoveDown, ids::kMenuMoveDown},
             kSeparator,
             {ids::kCmdChangeTitleCase, ids::kMenuChangeTitleCase},
             {ids::kCmdChangeArtistCase, ids::kMenuChangeArtistCase},
             {ids::kCmdChangeAlbumCase, ids::kMenuChangeAlbumCase},
             {ids::kCmdChangeCommentCase, ids::kMenuChangeCommentCase},
             {ids::kCmdChangeFilenameCase, ids::kMenuChangeFilenameCase},
             kSeparator,
             {ids::kCmdRemoveFiles, ids::kMenuRemoveFiles},
         }},
        {ids::kMenuHeadTags,
         {
             {ids::kCmdSaveChanges, ids::kMenuSaveChanges},
             {ids::kCmdUndoLastChange, ids::kMenuUndoLastChange},
             kSeparator,
             {ids::kCmdUndo, ids::kMenuUndo},
             {ids::kCmdRedo, ids::kMenuRedo},
             kSeparator,
             {ids::kCmdFillV1FromV2, ids::kMenuFillV1FromV2},
             {ids::kCmdFillV2FromV1, ids::kMenuFillV2FromV1},
             kSeparator,
             {ids::kCmdClearV1, ids::kMenuClearV1},
             {ids::kCmdClearV2, ids::kMenuClearV2},
             kSeparator,
             {ids::kCmdSetNumbering, ids::kMenuSetNumbering},
             {ids::kCmdRemoveNumbering, ids::kMenuRemoveNumbering},
             kSeparator,
             {ids::kCmdFilenameToTag, ids::kMenuFilenameToTag},
             {ids::kCmdGetCdInfo, ids::kMenuGetCdInfo},
             {ids::kCmdAdvancedRenaming, ids::kMenuAdvancedRenaming},
         }},
        {ids::kMenuHeadExport,
         {
             {ids::kCmdCreatePlaylist, ids::kMenuCreatePlaylist},
             kSeparator,
             {ids::kCmdExportHtml, ids::kMenuExportHtml},
             {ids::kCmdExportTemplateHtml, ids::kMenuExportTemplateHtml},
             kSeparator,
             {ids::kCmdExportRtf, ids::kMenuExportRtf},
             {ids::kCmdExportTemplateRtf, ids::kMenuExportTemplateRtf},
         }},
        {ids::kMenuHeadSettings,
         {
             {ids::kCmdSaveV1Changes, ids::kMenuSaveV1Changes},
             {ids::kCmdSaveV2Changes, ids::kMenuSaveV2Changes},
             kSeparator,
             {ids::kCmdAutoFillV1, ids::kMenuAutoFillV1},
             {ids::kCmdAutoFillV2, ids::kMenuAutoFillV2},
             kSeparator,
             {ids::kCmdAllowEditInList, ids::kMenuAllowEditInList},
             kSeparator,
             {ids::kCmdSaveWindowPlacement, ids::kMenuSaveWindowPlacement},
             {ids::kCmdMinimizeToTray, ids::kMenuMinimizeToTray},
             kSeparator,
             {ids::kCmdSettings, ids::kMenuSettings},
         }},
        {ids::kMenuHeadView,
         {
             {ids::kCmdViewMainBar, ids::kMenuMainBar},
             {ids::kCmdViewFolderTree, ids::kMenuFolderTree},
             {ids::kCmdViewStatusBar, ids::kMenuStatusBar},
             kSeparator,
             {ids::kCmdFocusFileList, ids::kMenuFileList},
             {ids::kCmdShowStandardTab, ids::kMenuStandardTab},
             {ids::kCmdShowExtendedTab, ids::kMenuExtendedTab},
             {ids::kCmdShowLyricsTab, ids::kMenuLyricsTab},
             {ids::kCmdShowPictureTab, ids::kMenuPictureTab},
             kSeparator,
             {ids::kCmdAutoresizeColumns, ids::kMenuAutoresizeColumns},
         }},
        {ids::kMenuHeadColumns, columnMenuSpec()},
        // The language entries after "English (default)" are added when the menu is built.
        {ids::kMenuHeadLanguage, {{ids::kCmdLanguageDefault, ids::kCmdLanguageDefault}}},
        {ids::kMenuHeadHelp,
         {
             {ids::kCmdHelp, ids::kMenuHelp},
             {ids::kCmdHotKeys, ids::kMenuHotKeys},
             kSeparator,
             {ids::kCmdVisitWebSite, ids::kMenuVisitWebSite},
             kSeparator,
             {ids::kCmdAbout, ids::kMenuAbout},
         }},
    };
}

struct KeyBinding {
    int commandId;
    std::array<std::string_view, 2> keys;
    std::size_t count;
};

// Alt+Enter comes from either Enter key.
constexpr KeyBinding kHotKeys[] = {
    {ids::kCmdOpenFile, {"Ctrl+O"}, 1},
    {ids::kCmdOpenFolder, {"Ctrl+D"}, 1},
    {ids::kCmdRefreshSelected, {"Ctrl+R"}, 1},
    {ids::kCmdRefreshFolder, {"F5"}, 1},
    {ids::kCmdIncludeSubfolders, {"Ctrl+Shift+R"}, 1},
    {ids::kCmdFindFiles, {"Ctrl+F"}, 1},
    {ids::kCmdFileInfo, {"Alt+Return", "Alt+Enter"}, 2},
    {ids::kCmdPlay, {"Ctrl+P"}, 1},
    {ids::kCmdSelectAll, {"Ctrl+A"}, 1},
    {ids::kCmdInvertSelection, {"Ctrl+I"}, 1},
    {ids::kCmdUncheckAll, {"Ctrl+U"}, 1},
    {ids::kCmdMoveUp, {"Ctrl+Up"}, 1},
    {ids::kCmdMoveDown, {"Ctrl+Down"}, 1},
    {ids::kCmdSaveChanges, {"Ctrl+S"}, 1},
    {ids::kCmdUndo, {"Ctrl+Z"}, 1},
    {ids::kCmdRedo, {"Ctrl+Y", "Ctrl+Shift+Z"}, 2},
    {ids::kCmdFillV1FromV2, {"Ctrl+F1"}, 1},
    {ids::kCmdFillV2FromV1, {"Ctrl+F2"}, 1},
    {ids::kCmdClearV1, {"Ctrl+F3"}, 1},
    {ids::kCmdClearV2, {"Ctrl+F4"}, 1},
    {ids::kCmdSetNumbering, {"Ctrl+F5", "Ctrl+N"}, 2},
    {ids::kCmdRemoveNumbering, {"Ctrl+F6"}, 1},
    {ids::kCmdFilenameToTag, {"Ctrl+F7"}, 1},
    {ids::kCmdGetCdInfo, {"Ctrl+F8"}, 1},
    {ids::kCmdAdvancedRenaming, {"Ctrl+F9"}, 1},
    {ids::kCmdCreatePlaylist, {"Shift+F5"}, 1},
    {ids::kCmdExportHtml, {"Shift+F6"}, 1},
    {ids::kCmdExportTemplateHtml, {"Shift+F7"}, 1},
    {ids::kCmdExportRtf, {"Shift+F8"}, 1},
    {ids::kCmdExportTemplateRtf, {"Shift+F9"}, 1},
    {ids::kCmdSettings, {"F12"}, 1},
    {ids::kCmdFocusFileList, {"Alt+1"}, 1},
    {ids::kCmdShowStandardTab, {"Alt+2"}, 1},
    {ids::kCmdShowExtendedTab, {"Alt+3"}, 1},
    {ids::kCmdShowLyricsTab, {"Alt+4"}, 1},
    {ids::kCmdShowPictureTab, {"Alt+5"}, 1},
    {ids::kCmdHelp, {"F1"}, 1},
};

constexpr ListKey kListKeys[] = {
    {ids::kCmdEditFilename, "Return"},
    {ids::kCmdEditFilename, "Enter"},
    {ids::kCmdRemoveFiles, "Del"},
};

constexpr int kCheckable[] = {
    ids::kCmdSaveV1Changes,     ids::kCmdSaveV2Changes,          ids::kCmdAutoFillV1,
    ids::kCmdAutoFillV2,        ids::kCmdAllowEditInList,        ids::kCmdMinimizeToTray,
    ids::kCmdViewMainBar,       ids::kCmdViewFolderTree,         ids::kCmdViewStatusBar,
    ids::kCmdAutoresizeColumns, ids::kCmdSingleClickOpensFolder, ids::kCmdLanguageDefault,
    ids::kCmdMp3FilesOnly,      ids::kCmdIncludeSubfolders,
};

constexpr int kToolbar[] = {
    ids::kCmdViewFolderTree,
    0,
    ids::kCmdOpenFile,
    ids::kCmdRefreshFolder,
    ids::kCmdIncludeSubfolders,
    ids::kCmdGetCdInfo,
    0,
    ids::kCmdAdvancedRenaming,
    ids::kCmdFilenameToTag,
    0,
    ids::kCmdCreatePlaylist,
    ids::kCmdSetNumbering,
    0,
    ids::kCmdUndo,
    ids::kCmdRedo,
    0,
    ids::kCmdFileInfo,
    ids::kCmdPlay,
    ids::kCmdFolderMenu,
    0,
    ids::kCmdSelectAll,
    ids::kCmdUncheckAll,
    0,
    ids::kCmdHelp,
};

bool isColumnCommand(int id) {
    for (const MenuEntry& entry : columnMenuSpec())
        if (entry.commandId == id)
            return true;
    return false;
}

bool isLanguageCommand(int id) {
    return id >= ids::kCmdLanguageFirst && id <= ids::kCmdLanguageLast;
}

}  // namespace

const std::vector<PopupSpec>& mainMenuSpec() {
    static const std::vector<PopupSpec> spec = buildMainMenu();
    return spec;
}

int mainMenuLabel(int commandId) {
    for (const PopupSpec& popup : mainMenuSpec())
        for (const MenuEntry& entry : popup.entries)
            if (entry.commandId == commandId)
                return entry.labelId;
    return 0;
}

std::vector<int> mainMenuCommands() {
    std::vector<int> commands;
    for (const PopupSpec& popup : mainMenuSpec())
        for (const MenuEntry& entry : popup.entries)
            if (!entry.isSeparator())
                commands.push_back(entry.commandId);
    return commands;
}

std::span<const std::string_view> hotKeys(int commandId) {
    for (const KeyBinding& binding : kHotKeys)
        if (binding.commandId == commandId)
            return std::span(binding.keys.data(), binding.count);
    return {};
}

std::span<const ListKey> listKeys() {
    return kListKeys;
}

bool isCheckable(int commandId) {
    return std::find(std::begin(kCheckable), std::end(kCheckable), commandId) !=
               std::end(kCheckable) ||
           isColumnCommand(commandId) || isLanguageCommand(commandId);
}

std::span<const int> toolbarLayout() {
    return kToolbar;
}

const std::vector<MenuEntry>& folderTreeMenuSpec() {
    static const std::vector<MenuEntry> spec = {
        {ids::kCmdOpenTreeFolder, ids::kMenuTreeOpenFolder},
        {ids::kCmdRefreshFolder, ids::kMenuRefreshFolder},
        kSeparator,
        {ids::kCmdPlayFolder, ids::kMenuTreePlay},
        {ids::kCmdEnqueueFolder, ids::kMenuTreeEnqueue},
        kSeparator,
        {ids::kCmdExploreFolder, ids::kMenuTreeExplore},
        {ids::kCmdFolderProperties, ids::kMenuTreeProperties},
        kSeparator,
        {ids::kCmdSingleClickOpensFolder, ids::kMenuTreeSingleClick},
    };
    return spec;
}

const std::vector<MenuEntry>& fileListMenuSpec() {
    static const std::vector<MenuEntry> spec = {
        {ids::kCmdFileInfo, ids::kMenuListFileInfo},
        kSeparator,
        {ids::kCmdSelectAll, ids::kMenuListCheckAll},
        {ids::kCmdInvertSelection, ids::kMenuInvertAll},
        {ids::kCmdUncheckAll, ids::kMenuUncheckAll},
        kSeparator,
        {ids::kCmdMoveUp, ids::kMenuMoveUp},
        {ids::kCmdMoveDown, ids::kMenuMoveDown},
        kSeparator,
        {ids::kCmdRemoveFiles, ids::kMenuRemoveFiles},
        kSeparator,
        {ids::kCmdSetNumbering, ids::kMenuSetNumbering},
        {ids::kCmdRemoveNumbering, ids::kMenuListRemoveNumbering},
        {ids::kCmdFillV1FromV2, ids::kMenuFillV1FromV2},
        {ids::kCmdFillV2FromV1, ids::kMenuFillV2FromV1},
        {ids::kCmdFilenameToTag, ids::kMenuFilenameToTag},
        kSeparator,
        {ids::kCmdPlay, ids::kMenuPlay},
        {ids::kCmdEditFilename, ids::kMenuEditFilename},
        {ids::kCmdAdvancedRenaming, ids::kMenuAdvancedRenaming},
    };
    return spec;
}

const std::vector<MenuEntry>& barsMenuSpec() {
    static const std::vector<MenuEntry> spec = {
        {ids::kCmdViewMainBar, ids::kMenuMainBar},
        {ids::kCmdViewFolderTree, ids::kMenuFolderTree},
        {ids::kCmdViewStatusBar, ids::kMenuStatusBar},
    };
    return spec;
}

const std::vector<MenuEntry>& trayMenuSpec() {
    static const std::vector<MenuEntry> spec = {
        {ids::kCmdRestoreFromTray, ids::kMenuTrayOpen},
        kSeparator,
        {ids::kCmdAbout, ids::kMenuTrayAbout},
        {ids::kCmdHelp, ids::kMenuTrayHelp},
        {ids::kCmdVisitWebSite, ids::kMenuVisitWebSite},
        kSeparator,
        {ids::kCmdExit, ids::kMenuExit},
    };
    return spec;
}

const std::vector<MenuEntry>& columnMenuSpec() {
    static const std::vector<MenuEntry> spec = {
        {ids::kCmdColumnTrack, ids::kListColumnTrack},
        {ids::kCmdColumnFilename, ids::kListColumnFilename},
        {ids::kCmdColumnFileSize, ids::kListColumnFileSize},
        {ids::kCmdColumnCreated, ids::kListColumnCreated},
        {ids::kCmdColumnChanged, ids::kListColumnChanged},
        {ids::kCmdColumnPlayTime, ids::kListColumnPlayTime},
        {ids::kCmdColumnBitrate, ids::kListColumnBitrate},
        {ids::kCmdColumnChannels, ids::kListColumnChannels},
        {ids::kCmdColumnTitle, ids::kListColumnTitle},
        {ids::kCmdColumnArtist, ids::kListColumnArtist},
        {ids::kCmdColumnAlbum, ids::kListColumnAlbum},
        {ids::kCmdColumnYear, ids::kListColumnYear},
        {ids::kCmdColumnComments, ids::kListColumnComments},
        {ids::kCmdColumnGenre, ids::kListColumnGenre},
        {ids::kCmdColumnComposer, ids::kListColumnComposer},
        {ids::kCmdColumnUrl, ids::kListColumnUrl},
        {ids::kCmdColumnPublisher, ids::kListColumnPublisher},
        {ids::kCmdColumnCopyright, ids::kListColumnCopyright},
        {ids::kCmdColumnEncodedBy, ids::kListColumnEncodedBy},
        {ids::kCmdColumnOrigArtist, ids::kListColumnOrigArtist},
        {ids::kCmdColumnLyrics, ids::kListColumnLyrics},
        {ids::kCmdColumnPicture, ids::kListColumnPicture},
        {ids::kCmdColumnFolder, ids::kListColumnFolder},
    };
    return spec;
}

}  // namespace tw::gui
