// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <string>

#include "gui/freedb/album_tree.h"

class QWidget;

namespace tw::gui {

// The album window's four trees: the lookup's (a branch per source), the web search's, and
// the tabs that list the whole CD-player file and the whole local database. The same stored
// album can show in several of them; this keeps them in step when a store changes.
//
// The trees are Qt children of `parent`; this object only points at them.
class AlbumTrees {
public:
    AlbumTrees(const freedb::TreeFormat& format, const std::string& lookupDiscId, QWidget* parent);

    AlbumTree& lookup() const { return *lookup_; }
    AlbumTree& search() const { return *search_; }
    AlbumTree& cdPlayer() const { return *cdPlayer_; }
    AlbumTree& localDb() const { return *localDb_; }
    std::array<AlbumTree*, 4> all() const { return {lookup_, search_, cdPlayer_, localDb_}; }

    // The copy a store holds now: in that store's tab, and in the lookup's branch of that
    // store when it is the disc being looked up.
    void showStored(freedb::FoundIn where, const freedb::AlbumInfo& copy);
    // The album went from its store: its nodes go from every tree that shows that store.
    void removeStored(freedb::FoundIn where, const freedb::AlbumInfo& album);
    void setFormat(const freedb::TreeFormat& format);

private:
    AlbumTree* tabOf(freedb::FoundIn where) const;

    std::string lookupDiscId_;
    AlbumTree* lookup_;
    AlbumTree* search_;
    AlbumTree* cdPlayer_;
    AlbumTree* localDb_;
};

}  // namespace tw::gui
