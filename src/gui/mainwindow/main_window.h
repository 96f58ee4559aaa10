// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "core/list_session.h"
#include "gui/gui_context.h"

class QDockWidget;
class QToolBar;

namespace tw::gui {

class CommandSet;
class FileListView;
class FolderTree;
class MainMenu;
struct MenuEntry;
class StatusPanes;
class TagTabsView;

// The main window: toolbar, folder tree dock, the file list above the tag tabs, status bar.
//
// It lays the parts out and keeps them in step after the list changed (it is the session's
// ListViews); it decides nothing. What the parts ask for (open a folder from the tree, drop
// files, close) goes out as signals or through the close guard to the application object;
// menus and the toolbar come from the CommandSet handed to installCommands().
//
// Borrows the context; owns its widgets (Qt children) and the main menu helper.
class MainWindow : public QMainWindow, public core::ListViews {
    Q_OBJECT
public:
    explicit MainWindow(GuiContext& context);
    ~MainWindow() override;

    FileListView& fileList() const { return *fileList_; }
    TagTabsView& tagTabs() const { return *tagTabs_; }
    FolderTree& folderTree() const { return *folderTree_; }
    QToolBar& mainBar() const { return *mainBar_; }
    QDockWidget& folderDock() const { return *folderDock_; }
    StatusPanes& statusPanes() const { return *statusPanes_; }
    MainMenu* mainMenu() const { return mainMenu_; }

    // Builds the menu bar, the toolbar, the list's own keys and the context menus from the
    // commands. Once, after every command is defined.
    void installCommands(CommandSet& commands);

    // "Tunewright - [<work folder>]".
    void updateTitle();

    // After the list was rebuilt or reordered: every row, the suggestions, the tabs, the
    // counts, the title and the command states.
    void listChanged() override;
    // After Move Up / Move Down: every row in the list's order (a sort would undo the move).
    void rowsMoved();
    // After the work folder changed, or to put the tree back on it.
    void folderTreeChanged() override;
    // After a command changed the selection flags: the list's selection, tabs, counts.
    void selectionChanged();
    // After a command changed fields of the selected records: their rows, tabs, counts.
    void recordsEdited();

    // Asked before the window closes; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

    // The smallest size the user can drag the window to.
    static constexpr int kMinimumWidth = 540;
    static constexpr int kMinimumHeight = 440;

Q_SIGNALS:
    // The command rules may answer differently now.
    void statesChanged();
    // The folder tree asks to open a folder (the "w4" rule is already applied).
    void folderActivated(const QString& folder);
    // Files or folders were dropped on the window or the list.
    void itemsDropped(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void countsChanged();
    void showContextMenu(const std::vector<MenuEntry>& entries, const QPoint& globalPos);

    GuiContext& context_;
    FileListView* fileList_;
    TagTabsView* tagTabs_;
    FolderTree* folderTree_;
    QToolBar* mainBar_;
    QDockWidget* folderDock_;
    StatusPanes* statusPanes_;
    CommandSet* commands_ = nullptr;
    MainMenu* mainMenu_ = nullptr;
    std::function<bool()> closeGuard_;
};

}  // namespace tw::gui
