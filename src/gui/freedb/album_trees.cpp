// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/album_trees.h"

#include "base/string_ids.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;
using freedb::FoundIn;

AlbumTrees::AlbumTrees(const freedb::TreeFormat& format, const std::string& lookupDiscId,
                       QWidget* parent)
    : lookupDiscId_(lookupDiscId),
      lookup_(new AlbumTree({{FoundIn::CdPlayerIni, text(ids::kTreeFromCdPlayer)},
                             {FoundIn::LocalDatabase, text(ids::kTreeFromLocalDb)},
                             {FoundIn::FreeDb, text(ids::kTreeFromFreeDb)}},
                            format, parent)),
      search_(new AlbumTree({{FoundIn::WebSearch, {}}}, format, parent)),
      cdPlayer_(new AlbumTree({{FoundIn::CdPlayerIni, {}}}, format, parent)),
      localDb_(new AlbumTree({{FoundIn::LocalDatabase, {}}}, format, parent)) {
    lookup_->setObjectName(QStringLiteral("lookupTree"));
    search_->setObjectName(QStringLiteral("searchTree"));
    cdPlayer_->setObjectName(QStringLiteral("cdPlayerTree"));
    localDb_->setObjectName(QStringLiteral("localDbTree"));
}

AlbumTree* AlbumTrees::tabOf(FoundIn where) const {
    switch (where) {
        case FoundIn::CdPlayerIni:
            return cdPlayer_;
        case FoundIn::LocalDatabase:
            return localDb_;
        default:
            return nullptr;
    }
}

void AlbumTrees::showStored(FoundIn where, const freedb::AlbumInfo& copy) {
    if (AlbumTree* tab = tabOf(where))
        tab->addAlbum(where, copy);
    // A match of this lookup (an inexact one has a disc id of its own) stays with it.
    if (copy.discId() == lookupDiscId_ ||
        lookup_->findAlbum(FoundIn::FreeDb, copy.category(), copy.discId()))
        lookup_->addAlbum(where, copy);
}

void AlbumTrees::removeStored(FoundIn where, const freedb::AlbumInfo& album) {
    for (AlbumTree* tree : {lookup_, tabOf(where)}) {
        if (!tree)
            continue;
        if (AlbumNode* node = tree->findAlbum(where, album.category(), album.discId()))
            tree->removeAlbum(node);
    }
}

void AlbumTrees::setFormat(const freedb::TreeFormat& format) {
    for (AlbumTree* tree : all())
        tree->setFormat(format);
}

}  // namespace tw::gui
