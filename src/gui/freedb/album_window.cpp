// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/album_window.h"

#include <QMainWindow>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <filesystem>

#include "base/settings_store.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "freedb/lookup_job.h"
#include "freedb/retrieve_tracks_job.h"
#include "freedb/server_jobs.h"
#include "freedb/stored_album.h"
#include "gui/common/accessible_names.h"
#include "gui/common/window_placement.h"
#include "gui/freedb/album_info_pane.h"
#include "gui/freedb/album_store_commands.h"
#include "gui/freedb/album_trees.h"
#include "gui/freedb/log_pane.h"
#include "gui/freedb/save_text.h"
#include "gui/freedb/search_bar.h"
#include "gui/freedb/track_list.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;
using C = AlbumCommand;
using freedb::AlbumInfo;
using freedb::FoundIn;

namespace {

constexpr const char* kSection = "FreeDB";

bool isServerAlbum(FoundIn where) {
    return where == FoundIn::FreeDb || where == FoundIn::WebSearch;
}

}  // namespace

AlbumWindow::AlbumWindow(const FreeDbWindowContext& context, const AlbumInfo& album,
                         QWidget* parent)
    : QDialog(parent),
      context_(context),
      lookupAlbum_(album),
      frame_(new QMainWindow(this, Qt::Widget)),
      jobs_(std::make_unique<JobRunner>([context](std::string& user, std::string& password) {
          return context.answerProxyPrompt(user, password);
      })) {
    setObjectName(QStringLiteral("albumWindow"));
    // The frame brings the menu bar, tool bars and status bar into the dialog; it always
    // makes itself a window of its own, so it is made a plain child again.
    frame_->setWindowFlags(Qt::Widget);
    setWindowTitle(text(ids::kAlbumWindowCaption));
    setSizeGripEnabled(true);
    resize(900, 640);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame_);
    buildLayout();
    actions_ = std::make_unique<AlbumActions>(*frame_, *tabs_);
    frame_->addToolBarBreak();
    searchBar_ = new SearchBar(context_.settings, frame_);
    frame_->addToolBar(searchBar_);
    storeCommands_ = std::make_unique<AlbumStoreCommands>(
        context_, *trees_, [this](const QString& line) { log_->addLine(line); });
    connectActions();
    readWindowSettings();
    updateStates();
}

AlbumWindow::~AlbumWindow() {
    // The jobs' reports reach the widgets below: the jobs go first.
    jobs_.reset();
    // The widgets go after this object's members; what they signal while they go (an
    // open cell edit that commits, the trees' current item) must not reach it.
    for (const QObject* sender : std::initializer_list<const QObject*>{
             &trees_->lookup(), &trees_->search(), &trees_->cdPlayer(), &trees_->localDb(), tabs_,
             trackList_, searchBar_})
        disconnect(sender, nullptr, this, nullptr);
}

void AlbumWindow::buildLayout() {
    tabs_ = new QTabWidget(frame_);
    tabs_->setObjectName(QStringLiteral("albumTabs"));
    trees_ = std::make_unique<AlbumTrees>(freedb::TreeFormat::load(context_.settings),
                                          lookupAlbum_.discId(), tabs_);
    addNamedTab(*tabs_, trees_->lookup(), ids::kAlbumTabLookup);
    addNamedTab(*tabs_, trees_->search(), ids::kAlbumTabSearch);
    addNamedTab(*tabs_, trees_->cdPlayer(), ids::kDbInfoTabCdPlayer);
    addNamedTab(*tabs_, trees_->localDb(), ids::kDbInfoTabLocalDb);

    info_ = new AlbumInfoPane(frame_);
    trackList_ = new TrackList(context_.settings, frame_);
    log_ = new LogPane(frame_);
    auto* albumSide = new QWidget(frame_);
    auto* albumLayout = new QVBoxLayout(albumSide);
    albumLayout->setContentsMargins(0, 0, 0, 0);
    albumLayout->addWidget(info_);
    albumLayout->addWidget(trackList_, 1);
    treeSplitter_ = new QSplitter(Qt::Horizontal, frame_);
    treeSplitter_->addWidget(tabs_);
    treeSplitter_->addWidget(albumSide);
    treeSplitter_->setStretchFactor(1, 1);
    auto* mainSplitter = new QSplitter(Qt::Vertical, frame_);
    mainSplitter->addWidget(treeSplitter_);
    mainSplitter->addWidget(log_);
    mainSplitter->setStretchFactor(0, 3);
    mainSplitter->setStretchFactor(1, 1);
    frame_->setCentralWidget(mainSplitter);
    frame_->statusBar()->setObjectName(QStringLiteral("statusBar"));

    for (AlbumTree* tree : trees_->all()) {
        connect(tree, &QTreeWidget::currentItemChanged, this, [this] { showCurrent(); });
        connect(tree, &QWidget::customContextMenuRequested, this,
                [this, tree](const QPoint& pos) { showTreeMenu(*tree, pos); });
        connect(tree, &AlbumTree::albumRemoving, this, [this](AlbumNode* node) {
            if (node == shown_)
                shown_ = nullptr;
        });
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { showCurrent(); });
    connect(trackList_, &TrackList::trackEdited, this, &AlbumWindow::onTrackEdited);
    connect(trackList_, &QTreeWidget::currentItemChanged, this, [this] { updateStates(); });
}

void AlbumWindow::connectActions() {
    const auto on = [this](C command, auto work) {
        connect(action(command), &QAction::triggered, this, work);
    };
    on(C::ShowCdPlayerIni, [this] { showCdPlayerIni(); });
    on(C::ClearLog, [this] {
        log_->flush();
        log_->clear();
    });
    on(C::SaveLog, [this] { saveLog(); });
    on(C::Exit, [this] { reject(); });
    on(C::GetTracklist, [this] { getTracklist(); });
    on(C::EditTrackTitle, [this] { trackList_->editCurrent(TrackList::Title); });
    on(C::EditTrackExtra, [this] { trackList_->editCurrent(TrackList::ExtraInfo); });
    on(C::EditTrackArtist, [this] { trackList_->editCurrent(TrackList::Artist); });
    on(C::Select, [this] { select(); });
    on(C::Stop, [this] { stopJobs(); });
    on(C::SearchBar, [this](bool shown) { searchBar_->setVisible(shown); });
    on(C::MainBar, [this](bool shown) { actions_->mainBar()->setVisible(shown); });
    on(C::StatusBar, [this](bool shown) { frame_->statusBar()->setVisible(shown); });
    on(C::SearchTab, [this](bool shown) { setTabShown(&trees_->search(), shown); });
    on(C::CdPlayerTab, [this](bool shown) {
        setTabShown(&trees_->cdPlayer(), shown);
        if (shown)
            listTab(FoundIn::CdPlayerIni);
    });
    on(C::LocalDbTab, [this](bool shown) {
        setTabShown(&trees_->localDb(), shown);
        if (shown)
            listTab(FoundIn::LocalDatabase);
    });
    on(C::DatabaseInfo, [this] { showDatabaseInfo(); });
    on(C::Settings, [this] { showSettings(); });
    on(C::Submit, [this] { submit(); });
    on(C::Save, [this] {
        if (shown_ && storeCommands_->save(*shownTree_, *shown_))
            refreshShown();
        updateStates();
    });
    on(C::DiscardChanges, [this] {
        if (shown_)
            storeCommands_->discardChanges(*shownTree_, *shown_);
        refreshShown();
        updateStates();
    });
    on(C::CopyToCdPlayer, [this] {
        if (shown_)
            storeCommands_->copyTo(shown_->album(), FoundIn::CdPlayerIni);
        updateStates();
    });
    on(C::CopyToLocalDb, [this] {
        if (shown_)
            storeCommands_->copyTo(shown_->album(), FoundIn::LocalDatabase);
        updateStates();
    });
    on(C::Delete, [this] {
        AlbumTree* tree = activeTree();
        if (tree && tree->currentItem())
            storeCommands_->remove(*tree, *tree->currentItem());
        showCurrent();
    });
    on(C::ExportAlbum, [this] { exportAlbum(); });
    on(C::ExpandAll, [this] {
        if (AlbumTree* tree = activeTree())
            tree->expandAll();
    });
    on(C::CollapseAll, [this] {
        if (AlbumTree* tree = activeTree())
            tree->collapseAll();
    });
    on(C::Expand, [this] {
        if (AlbumTree* tree = activeTree(); tree && tree->currentItem())
            tree->expandRecursively(tree->currentIndex());
    });
    on(C::Collapse, [this] {
        if (AlbumTree* tree = activeTree(); tree && tree->currentItem())
            tree->currentItem()->setExpanded(false);
    });
    connect(searchBar_, &SearchBar::searchRequested, this, &AlbumWindow::startSearch);
}

void AlbumWindow::readWindowSettings() {
    const auto flag = [this](const char* name, int fallback) {
        return context_.settings.getInt(kSection, name, fallback) != 0;
    };
    const bool searchBar = flag("ShowSearchBar", 0);
    const bool statusBar = flag("ShowStatusBar", 1);
    action(C::SearchBar)->setChecked(searchBar);
    searchBar_->setVisible(searchBar);
    action(C::MainBar)->setChecked(true);
    action(C::StatusBar)->setChecked(statusBar);
    frame_->statusBar()->setVisible(statusBar);
    info_->setVisible(flag("ShowInfoBar", 1));
    setTabShown(&trees_->search(), false);
    setTabShown(&trees_->cdPlayer(), flag("ShowCDPlayerTab", 0));
    setTabShown(&trees_->localDb(), flag("ShowLocalDBTab", 0));
    const int treeWidth = std::max(50, context_.settings.getInt(kSection, "TreeSplitter", 200));
    treeSplitter_->setSizes({treeWidth, std::max(100, width() - treeWidth)});
}

void AlbumWindow::saveWindowSettings() const {
    base::SettingsStore& s = context_.settings;
    s.setInt(kSection, "ShowSearchBar", action(C::SearchBar)->isChecked());
    s.setInt(kSection, "ShowStatusBar", action(C::StatusBar)->isChecked());
    s.setInt(kSection, "ShowInfoBar", info_->isVisibleTo(frame_));
    s.setInt(kSection, "ShowCDPlayerTab", action(C::CdPlayerTab)->isChecked());
    s.setInt(kSection, "ShowLocalDBTab", action(C::LocalDbTab)->isChecked());
    s.setInt(kSection, "TreeSplitter", treeSplitter_->sizes().value(0, 200));
}

void AlbumWindow::setTabShown(QWidget* tab, bool shown) {
    tabs_->setTabVisible(tabs_->indexOf(tab), shown);
    const C toggle = tab == &trees_->search()     ? C::SearchTab
                     : tab == &trees_->cdPlayer() ? C::CdPlayerTab
                                                  : C::LocalDbTab;
    action(toggle)->setChecked(shown);
    if (shown)
        tabs_->setCurrentWidget(tab);
}

QString AlbumWindow::statusText() const {
    return frame_->statusBar()->currentMessage();
}

bool AlbumWindow::isBusy() const {
    return jobs_->busy();
}

void AlbumWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fitWithinScreen(*this);
    if (lookupStarted_)
        return;
    startLookup();
    if (action(C::CdPlayerTab)->isChecked())
        listTab(FoundIn::CdPlayerIni);
    if (action(C::LocalDbTab)->isChecked())
        listTab(FoundIn::LocalDatabase);
    tabs_->setCurrentWidget(&trees_->lookup());
}

AlbumTree* AlbumWindow::activeTree() const {
    return qobject_cast<AlbumTree*>(tabs_->currentWidget());
}

void AlbumWindow::showCurrent() {
    if (settling_)
        return;
    AlbumTree* tree = activeTree();
    AlbumNode* next = tree ? tree->currentAlbum() : nullptr;
    if (next != shown_) {
        settling_ = true;
        settleEdits(false);
        settling_ = false;
        next = tree ? tree->currentAlbum() : nullptr;
    }
    shown_ = next;
    shownTree_ = next ? tree : nullptr;
    refreshShown();
    updateStates();
}

void AlbumWindow::refreshShown() {
    const AlbumInfo* album = shown_ ? &shown_->album() : nullptr;
    info_->showAlbum(album);
    trackList_->showAlbum(album);
}

bool AlbumWindow::settleEdits(bool withCancel) {
    if (!shown_ || !shown_->isModified())
        return true;
    const std::string question = base::tr(ids::kMsgAlbumModified);
    const base::UserPort::Answer answer =
        withCancel ? context_.port.askYesNoCancel(question) : context_.port.askYesNo(question);
    switch (answer) {
        case base::UserPort::Answer::Cancel:
            return false;
        case base::UserPort::Answer::Yes:
            // A failed save keeps the edits (and, where the user may, the window).
            return storeCommands_->save(*shownTree_, *shown_) || !withCancel;
        case base::UserPort::Answer::No:
            shown_->discardChanges();
            return true;
    }
    return true;
}

void AlbumWindow::onTrackEdited(int track, int column, const QString& edited) {
    if (!shown_ || track < 0 || static_cast<std::size_t>(track) >= shown_->album().trackCount())
        return;
    AlbumInfo& album = shown_->album();
    freedb::AlbumTrack& entry = album.track(static_cast<std::size_t>(track));
    const std::string value = utf8(edited);
    switch (column) {
        case TrackList::Title:
            if (entry.title() == value)
                return;
            entry.setTitle(value, false);
            break;
        case TrackList::Artist:
            if (entry.artist() == value)
                return;
            album.setTrackArtist(static_cast<std::size_t>(track), value);
            break;
        case TrackList::ExtraInfo:
            if (entry.extraData() == value)
                return;
            entry.setExtraData(value, false);
            break;
        default:
            return;
    }
    shown_->markModified();
    updateStates();
}

void AlbumWindow::showTreeMenu(AlbumTree& tree, const QPoint& pos) {
    QTreeWidgetItem* item = tree.itemAt(pos);
    if (!item)
        return;
    tree.setCurrentItem(item);
    updateStates();
    QMenu menu(this);
    actions_->fillContextMenu(menu,
                              item->type() == AlbumNode::kType ? NodeKind::Album : NodeKind::Group,
                              tree.branchOf(item));
    menu.exec(tree.viewport()->mapToGlobal(pos));
}

void AlbumWindow::updateStates() {
    AlbumTree* tree = activeTree();
    QTreeWidgetItem* item = tree ? tree->currentItem() : nullptr;
    const AlbumNode* node = shown_;
    const AlbumInfo* album = node ? &node->album() : nullptr;
    const FoundIn where = node ? node->where() : FoundIn::FreeDb;
    const bool hasTracks = album && album->trackCount() > 0;
    const bool storedItem = item && tree &&
                            (tree->branchOf(item) == FoundIn::CdPlayerIni ||
                             tree->branchOf(item) == FoundIn::LocalDatabase);
    const bool track = node && trackList_->hasCurrentTrack();
    const auto set = [this](C command, bool enabled) { action(command)->setEnabled(enabled); };

    set(C::GetTracklist,
        node && isServerAlbum(where) ? !jobs_->isRunning(tracklistJob_) : lookupCanRunAgain());
    set(C::EditTrackTitle, track);
    set(C::EditTrackExtra, track);
    set(C::EditTrackArtist, track);
    set(C::Select, hasTracks);
    set(C::Stop, jobs_->busy());
    set(C::Submit, hasTracks && where != FoundIn::CdPlayerIni && freedb::HasTrackOffsets(*album));
    set(C::Save, node && node->isModified());
    set(C::DiscardChanges, node && node->isModified());
    set(C::CopyToCdPlayer, hasTracks && album->hasData() && where != FoundIn::CdPlayerIni);
    set(C::CopyToLocalDb, hasTracks && isServerAlbum(where) && freedb::HasTrackOffsets(*album));
    set(C::Delete, storedItem && !AlbumTree::albumsBelow(item).empty());
    set(C::ExportAlbum, node != nullptr);
    set(C::Expand, item && item->childCount() > 0);
    set(C::Collapse, item && item->childCount() > 0);
}

// ---- jobs ---------------------------------------------------------------------------------

JobHandlers AlbumWindow::handlersFor(AlbumTree& tree, FoundIn updated) {
    JobHandlers h;
    h.logLine = [this](const QString& line) { log_->addLine(line); };
    h.status = [this](const QString& text) { frame_->statusBar()->showMessage(text); };
    h.message = [this](freedb::JobObserver::Severity severity, const QString& text) {
        context_.port.showMessage(severity == freedb::JobObserver::Severity::Error
                                      ? base::UserPort::Severity::Error
                                      : base::UserPort::Severity::Information,
                                  utf8(text));
    };
    h.albumFound = [this, &tree](FoundIn where, const AlbumInfo& album) {
        AlbumNode* node = tree.addAlbum(where, album);
        if (!node)
            return;
        if (&tree == &trees_->lookup() || &tree == &trees_->search())
            for (QTreeWidgetItem* up = node->parent(); up; up = up->parent())
                up->setExpanded(true);
        if (!shown_ && activeTree() == &tree && !tree.currentAlbum())
            tree.setCurrentItem(node);
        updateStates();
    };
    h.albumStored = [this](FoundIn where, const AlbumInfo& copy) {
        trees_->showStored(where, copy);
    };
    h.albumUpdated = [this, &tree, updated](const AlbumInfo& album) {
        if (AlbumNode* node = tree.addAlbum(updated, album); node && node == shown_)
            refreshShown();
        updateStates();
    };
    h.finished = [this](bool) { updateStates(); };
    return h;
}

void AlbumWindow::startLookup() {
    if (lookupStarted_)
        return;
    lookupStarted_ = true;
    lookupJob_ = jobs_->start(
        [config = context_.loadConfig(), album = lookupAlbum_](
            freedb::JobObserver& observer, freedb::ProxyCredentialsPrompt prompt) {
            return std::make_unique<freedb::LookupJob>(config, observer, album, std::move(prompt));
        },
        handlersFor(trees_->lookup(), FoundIn::FreeDb));
    updateStates();
}

void AlbumWindow::startSearch(const QString& words, const freedb::SearchFields& fields) {
    if (jobs_->isRunning(searchJob_))
        return;
    setTabShown(&trees_->search(), true);
    trees_->search().clearBranch(FoundIn::WebSearch);
    searchJob_ = jobs_->start(
        [config = context_.loadConfig(), words = utf8(words), fields](
            freedb::JobObserver& observer, freedb::ProxyCredentialsPrompt prompt) {
            return std::make_unique<freedb::SearchJob>(config, observer, words, fields,
                                                       std::move(prompt));
        },
        handlersFor(trees_->search(), FoundIn::WebSearch));
    updateStates();
}

bool AlbumWindow::lookupCanRunAgain() const {
    return lookupStarted_ && !jobs_->isRunning(lookupJob_) &&
           trees_->lookup().albums(FoundIn::FreeDb).empty();
}

void AlbumWindow::getTracklist() {
    if (!shown_ || !isServerAlbum(shown_->where())) {
        // The lookup found nothing (a server down, settings wrong): try it again, with the
        // settings as they are now.
        if (lookupCanRunAgain()) {
            lookupStarted_ = false;
            startLookup();
        }
        return;
    }
    if (jobs_->isRunning(tracklistJob_))
        return;
    tracklistJob_ = jobs_->start(
        [config = context_.loadConfig(), match = shown_->album()](
            freedb::JobObserver& observer, freedb::ProxyCredentialsPrompt prompt) {
            return std::make_unique<freedb::RetrieveTracksJob>(
                config, observer, std::vector<AlbumInfo>{match}, std::move(prompt));
        },
        handlersFor(*shownTree_, shown_->where()));
    updateStates();
}

void AlbumWindow::listTab(FoundIn where) {
    AlbumTree& tree = where == FoundIn::CdPlayerIni ? trees_->cdPlayer() : trees_->localDb();
    tree.clearBranch(where);
    const freedb::StoreKind kind = where == FoundIn::CdPlayerIni ? freedb::StoreKind::CdPlayerIni
                                                                 : freedb::StoreKind::LocalDatabase;
    jobs_->start(
        [config = context_.loadConfig(), kind](freedb::JobObserver& observer,
                                               freedb::ProxyCredentialsPrompt) {
            return std::make_unique<freedb::ListAllJob>(config, observer, kind);
        },
        handlersFor(tree, where));
    updateStates();
}

void AlbumWindow::stopJobs() {
    if (!jobs_->busy())
        return;
    frame_->statusBar()->showMessage(text(ids::kStatusStoppingThreads));
    jobs_->stopAll();
    updateStates();
}

// ---- commands -----------------------------------------------------------------------------

void AlbumWindow::select() {
    if (!shown_ || shown_->album().trackCount() == 0)
        return;
    const AlbumInfo chosen = shown_->album();
    storeCommands_->keepSelected(chosen);
    Q_EMIT albumSelected(chosen);
    accept();
}

void AlbumWindow::reject() {
    if (!settleEdits(true))
        return;
    QDialog::reject();
}

void AlbumWindow::done(int result) {
    saveWindowSettings();
    jobs_->stopAll();
    QDialog::done(result);
}

void AlbumWindow::showCdPlayerIni() {
    std::error_code error;
    if (!std::filesystem::exists(context_.cdPlayerIni, error)) {
        context_.port.showMessage(base::UserPort::Severity::Error,
                                  base::tr(ids::kMsgCdPlayerIniNotFound));
        return;
    }
    context_.port.openDocument(context_.cdPlayerIni.string());
}

void AlbumWindow::saveLog() {
    log_->flush();
    (void)SaveTextAs(context_.port, log_->text());  // which tells a failure
}

}  // namespace tw::gui
