// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <memory>

#include "freedb/album_info.h"
#include "gui/freedb/album_actions.h"
#include "gui/freedb/freedb_window_context.h"
#include "gui/freedb/job_runner.h"

class QMainWindow;
class QSplitter;
class QTabWidget;
class QTreeWidgetItem;

namespace tw::gui {

class AlbumInfoPane;
class AlbumNode;
class AlbumStoreCommands;
class AlbumTree;
class AlbumTrees;
class LogPane;
class SearchBar;
class TrackList;

// "FreeDB Editor", the album window: the albums found for the selected files, grouped in
// the lookup tree by where they were found; the tracks and disc texts of the album chosen
// there, which the user edits, saves, copies, exports and submits; the web search; the
// tabs that list the whole CD-player file and the whole local database; the live operation
// log. "Select" hands the chosen album to the caller (albumSelected) and closes; "Exit",
// Escape and the close control close without an album.
//
// The window starts the lookup as soon as it is shown and runs its jobs on worker threads
// (JobRunner); it stays responsive while they run, shows what they report as it arrives,
// stops them on "Stop", and on closing stops them and waits for them to end.
//
// Owns its widgets (Qt children) and, through unique pointers that it releases first in its
// destructor, the job runner; borrows what the context borrows.
class AlbumWindow : public QDialog {
    Q_OBJECT
public:
    // `album` is the disc made from the selected files.
    AlbumWindow(const FreeDbWindowContext& context, const freedb::AlbumInfo& album,
                QWidget* parent = nullptr);
    ~AlbumWindow() override;

    QAction* action(AlbumCommand command) const { return (*actions_)[command]; }
    AlbumTrees& trees() const { return *trees_; }
    TrackList& trackList() const { return *trackList_; }
    LogPane& logPane() const { return *log_; }
    SearchBar& searchBar() const { return *searchBar_; }
    QTabWidget& tabs() const { return *tabs_; }
    QString statusText() const;
    // The album whose tracks show, or null.
    AlbumNode* shownAlbum() const { return shown_; }
    bool isBusy() const;

    // Starts the lookup of the album the window was opened with (the window does so when it
    // is first shown).
    void startLookup();
    // Enables and checks the actions for the state now.
    void updateStates();

    // Exit: closes without an album, after the question about unsaved edits.
    void reject() override;
    // Select and Exit end here: the window's values are kept and its jobs told to stop.
    void done(int result) override;

Q_SIGNALS:
    void albumSelected(const freedb::AlbumInfo& album);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void connectActions();
    void readWindowSettings();
    void saveWindowSettings() const;

    AlbumTree* activeTree() const;
    // Shows the current album of the active tree, after asking about the edits of the one
    // that showed before.
    void showCurrent();
    void refreshShown();
    // Asks whether the edits of the shown album are to be saved; false when the user
    // cancelled (only with `withCancel`).
    bool settleEdits(bool withCancel);
    void onTrackEdited(int track, int column, const QString& text);
    void showTreeMenu(AlbumTree& tree, const QPoint& pos);

    // The jobs.
    // What a job reports goes into `tree`; records retrieved update its `updated` branch.
    JobHandlers handlersFor(AlbumTree& tree, freedb::FoundIn updated);
    void startSearch(const QString& words, const freedb::SearchFields& fields);
    void getTracklist();
    // The lookup has ended without a match from the servers, so running it again may help.
    bool lookupCanRunAgain() const;
    void listTab(freedb::FoundIn where);
    void stopJobs();

    // Commands.
    void select();
    void submit();
    void exportAlbum();
    void showDatabaseInfo();
    void showSettings();
    void showCdPlayerIni();
    void saveLog();
    void setTabShown(QWidget* tab, bool shown);

    FreeDbWindowContext context_;
    freedb::AlbumInfo lookupAlbum_;
    QMainWindow* frame_;
    QTabWidget* tabs_;
    QSplitter* treeSplitter_;
    AlbumInfoPane* info_;
    TrackList* trackList_;
    LogPane* log_;
    SearchBar* searchBar_;
    std::unique_ptr<AlbumTrees> trees_;
    std::unique_ptr<AlbumActions> actions_;
    std::unique_ptr<AlbumStoreCommands> storeCommands_;
    std::unique_ptr<JobRunner> jobs_;
    AlbumNode* shown_ = nullptr;
    AlbumTree* shownTree_ = nullptr;
    bool settling_ = false;
    int lookupJob_ = 0;
    int searchJob_ = 0;
    int tracklistJob_ = 0;
    bool lookupStarted_ = false;
};

}  // namespace tw::gui
