// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "gui/gui_context.h"

class QDockWidget;
class QToolBar;

namespace tw::gui {

class CommandSet;
class EditDocument;
class FileListView;
class FolderTree;
class MainMenu;
struct MenuEntry;
class StatusPanes;
class TagTabsView;

// The main window: toolbar, folder tree dock, the file list above the tag tabs, status bar.
//
// It lays the parts out and keeps them in step with what the edit document says changed;
// it decides nothing. What the parts ask for (open a folder from the tree, drop
// files, close) goes out as signals or through the close guard to the application object;
// menus and the toolbar come from the CommandSet handed to installCommands().
//
// Borrows the context; owns its widgets (Qt children) and the main menu helper.
class MainWindow : public QMainWindow {
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

    // Puts the folder tree back on the work folder.
    void folderTreeChanged();

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
    void followDocument(EditDocument& document);
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
