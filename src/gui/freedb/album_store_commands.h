// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <functional>

#include "freedb/album_info.h"
#include "freedb/job_observer.h"
#include "gui/freedb/album_trees.h"
#include "gui/freedb/freedb_window_context.h"

class QTreeWidgetItem;

namespace tw::gui {

// The album window's commands that change the CD-player file and the local database, run
// on the window's thread (each is one quick file operation): saving an edited album,
// discarding its edits, copying it to the other store, deleting albums, and keeping the
// album the user selects where the settings ask. They ask the user where the window's
// rules say so, report failures with the window's texts, and put the stores' new state into
// the trees.
//
// Borrows the trees for its lifetime; the window owns both.
class AlbumStoreCommands {
public:
    using Log = std::function<void(const QString& line)>;

    AlbumStoreCommands(const FreeDbWindowContext& context, AlbumTrees& trees, Log log);

    // "Save": the album replaces the copy of the store it came from; an album of the
    // server's (or of the web search) is kept in the local database, ready to be submitted.
    // False when it could not be stored (the album stays as it was).
    [[nodiscard]] bool save(AlbumTree& tree, AlbumNode& node);
    // "Discard Changes": back to the copy of its store, or to the album as it was found.
    void discardChanges(AlbumTree& tree, AlbumNode& node);
    // "Copy to CDPlayer.ini" and "Copy to Local Database" (`target`).
    void copyTo(const freedb::AlbumInfo& album, freedb::FoundIn target);
    // "Delete": the album of `item`, or every album below a grouping node, after asking.
    void remove(AlbumTree& tree, QTreeWidgetItem& item);
    // What "Select" stores: the copies the settings ask for.
    void keepSelected(const freedb::AlbumInfo& album);

private:
    freedb::StoreFactory stores() const;
    void error(int textId) const;

    FreeDbWindowContext context_;
    AlbumTrees& trees_;
    Log log_;
};

}  // namespace tw::gui
