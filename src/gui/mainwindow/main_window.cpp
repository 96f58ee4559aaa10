// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/mainwindow/main_window.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "gui/actions/command_set.h"
#include "gui/actions/command_table.h"
#include "gui/actions/main_menu.h"
#include "gui/common/accessible_names.h"
#include "gui/document/edit_document.h"
#include "gui/mainwindow/folder_tree.h"
#include "gui/mainwindow/list_tabs_splitter.h"
#include "gui/mainwindow/status_panes.h"
#include "gui/product.h"
#include "gui/qt_text.h"
#include "gui/views/file_list_view.h"
#include "gui/views/tag_tabs_view.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

constexpr int kToolbarImageSize = 26;

QStringList localPaths(const QMimeData* data) {
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

}  // namespace

MainWindow::MainWindow(GuiContext& context) : context_(context) {
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    setAcceptDrops(true);

    mainBar_ = addToolBar(QString());
    mainBar_->setObjectName(QStringLiteral("MainBar"));
    mainBar_->setIconSize(QSize(kToolbarImageSize, kToolbarImageSize));
    // Qt's own button for the buttons a narrow window cannot show has no name of its own.
    if (auto* more = mainBar_->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button")))
        nameControl(*more, ids::kNameMoreMainBarButtons);

    folderDock_ = new QDockWidget(this);  // owned by this window, as are the widgets below
    folderDock_->setObjectName(QStringLiteral("FolderTree"));
    folderDock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    folderTree_ = new FolderTree(context.options, folderDock_);
    folderDock_->setWidget(folderTree_);
    addDockWidget(Qt::LeftDockWidgetArea, folderDock_);

    auto* splitter = new ListTabsSplitter(TagTabsView::kIdealHeight, this);
    fileList_ = new FileListView(context, splitter);
    tagTabs_ = new TagTabsView(context, splitter);
    splitter->addWidget(fileList_);
    splitter->addWidget(tagTabs_);
    setCentralWidget(splitter);

    statusPanes_ = new StatusPanes(*statusBar());
    statusBar()->setContextMenuPolicy(Qt::CustomContextMenu);

    connect(fileList_, &FileListView::chainChanged, this, [this] {
        tagTabs_->refresh();
        countsChanged();
    });
    connect(fileList_, &FileListView::itemsDropped, this, &MainWindow::itemsDropped);
    followDocument(context.document);
    connect(folderTree_, &FolderTree::readingFolder, this, [this](const QString& folder) {
        statusPanes_->showMessage(text(ids::kStatusParseFolder) + folder);
    });
    connect(folderTree_, &FolderTree::readingDone, statusPanes_, &StatusPanes::showReady);
    // Opening a folder rebuilds the list; it waits until the tree has finished its own
    // handling of the click.
    connect(folderTree_, &FolderTree::folderActivated, this, &MainWindow::folderActivated,
            Qt::QueuedConnection);

    updateTitle();
    countsChanged();
}

MainWindow::~MainWindow() = default;

void MainWindow::installCommands(CommandSet& commands) {
    commands_ = &commands;
    connect(this, &MainWindow::statesChanged, &commands, &CommandSet::updateStates);
    commands.setBeforeEachCommand([this] { fileList_->commitOpenEditor(); });
    commands.setFocusFallback(fileList_);
    // An open cell edit may be kept by Save Changes.
    connect(fileList_, &FileListView::editingStarted, this, &MainWindow::statesChanged);

    mainMenu_ = new MainMenu(*menuBar(), commands);  // owned by the menu bar

    mainBar_->clear();
    for (int id : toolbarLayout()) {
        if (id == 0)
            mainBar_->addSeparator();
        else
            mainBar_->addAction(commands.action(id));
    }

    for (const ListKey& key : listKeys()) {
        auto* shortcut = new QShortcut(QKeySequence(qs(key.key), QKeySequence::PortableText),
                                       fileList_, nullptr, nullptr, Qt::WidgetShortcut);
        const int id = key.commandId;
        connect(shortcut, &QShortcut::activated, &commands,
                [&commands, id] { commands.trigger(id); });
    }

    connect(fileList_, &FileListView::fileInfoRequested, &commands,
            [&commands] { commands.trigger(ids::kCmdFileInfo); });
    connect(fileList_, &FileListView::rowMenuRequested, this,
            [this](const QPoint& pos) { showContextMenu(fileListMenuSpec(), pos); });
    connect(fileList_, &FileListView::headerMenuRequested, this,
            [this](const QPoint& pos) { showContextMenu(columnMenuSpec(), pos); });
    connect(folderTree_, &FolderTree::menuRequested, this,
            [this](const QPoint& pos) { showContextMenu(folderTreeMenuSpec(), pos); });
    connect(statusBar(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        showContextMenu(barsMenuSpec(), statusBar()->mapToGlobal(pos));
    });
    commands.updateStates();
}

void MainWindow::showContextMenu(const std::vector<MenuEntry>& entries, const QPoint& globalPos) {
    if (!commands_)
        return;
    QMenu menu(this);
    commands_->appendEntries(menu, entries);
    menu.exec(globalPos);
}

QMenu* MainWindow::createPopupMenu() {
    if (!commands_)
        return nullptr;
    auto* menu = new QMenu(this);  // the caller deletes it after showing it
    commands_->appendEntries(*menu, barsMenuSpec());
    return menu;
}

void MainWindow::updateTitle() {
    setWindowTitle(productName() + QStringLiteral(" - [") + qs(context_.options.workFolder) +
                   QLatin1Char(']'));
}

void MainWindow::countsChanged() {
    statusPanes_->showCounts(context_.list);
    Q_EMIT statesChanged();
}

// The views follow the document themselves; the window keeps the counts, the title and the
// command states.
void MainWindow::followDocument(EditDocument& document) {
    connect(&document, &EditDocument::recordsEdited, this, &MainWindow::countsChanged);
    connect(&document, &EditDocument::selectionChanged, this, &MainWindow::countsChanged);
    connect(&document, &EditDocument::rowsReordered, this, &MainWindow::countsChanged);
    connect(&document, &EditDocument::allRowsChanged, this, [this] {
        updateTitle();
        countsChanged();
    });
    connect(&document, &EditDocument::workFolderChanged, this, &MainWindow::folderTreeChanged);
    connect(&document, &EditDocument::historyChanged, this, &MainWindow::statesChanged);
}

void MainWindow::folderTreeChanged() {
    folderTree_->selectFolder(qs(context_.options.workFolder));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!localPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList paths = localPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    Q_EMIT itemsDropped(paths);
}

}  // namespace tw::gui
