// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/album_store_commands.h"

#include "base/string_ids.h"
#include "base/user_port.h"
#include "freedb/stored_album.h"
#include "gui/freedb/confirmation.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;
using freedb::AlbumInfo;
using freedb::FoundIn;
using freedb::StoreKind;

namespace {

StoreKind storeOf(FoundIn where) {
    return where == FoundIn::CdPlayerIni ? StoreKind::CdPlayerIni : StoreKind::LocalDatabase;
}

bool isStore(FoundIn where) {
    return where == FoundIn::CdPlayerIni || where == FoundIn::LocalDatabase;
}

// An album with only the disc id and category of `album`, to read a store's copy into.
AlbumInfo placeOf(const AlbumInfo& album) {
    AlbumInfo place;
    place.setDiscId(album.discId());
    place.setCategory(album.category());
    return place;
}

}  // namespace

AlbumStoreCommands::AlbumStoreCommands(const FreeDbWindowContext& context, AlbumTrees& trees,
                                       Log log)
    : context_(context), trees_(trees), log_(std::move(log)) {}

freedb::StoreFactory AlbumStoreCommands::stores() const {
    return context_.windowStores([log = log_](std::string_view line) { log(qs(line)); });
}

void AlbumStoreCommands::error(int textId) const {
    context_.port.showMessage(base::UserPort::Severity::Error, base::tr(textId));
}

bool AlbumStoreCommands::save(AlbumTree& tree, AlbumNode& node) {
    const FoundIn target = isStore(node.where()) ? node.where() : FoundIn::LocalDatabase;
    std::optional<AlbumInfo> copy;
    if (target == FoundIn::CdPlayerIni || freedb::HasTrackOffsets(node.album()))
        copy = freedb::ReplaceStoredAlbum(*stores().MakeStore(storeOf(target)), node.album());
    if (!copy) {
        error(ids::kMsgSavingFailed);
        return false;
    }
    if (node.where() == target) {
        node.reset(*copy);
        tree.regroup(&node);
    } else {
        // The server's album keeps its edits: they are what a submission sends.
        node.reset(node.album());
    }
    trees_.showStored(target, *copy);
    return true;
}

void AlbumStoreCommands::discardChanges(AlbumTree& tree, AlbumNode& node) {
    if (isStore(node.where())) {
        AlbumInfo copy = placeOf(node.saved());
        auto store = stores().MakeStore(storeOf(node.where()));
        const bool read = store->open() && store->read(copy);
        store->close();
        if (read) {
            node.reset(copy);
            tree.regroup(&node);
            return;
        }
    }
    node.discardChanges();
    tree.regroup(&node);
}

void AlbumStoreCommands::copyTo(const AlbumInfo& album, FoundIn target) {
    if (target == FoundIn::CdPlayerIni &&
        !Confirm(context_.port, context_.settings, "ConfirmationCopyToCDPlayer",
                 ids::kMsgCdPlayerCopyIncomplete))
        return;
    auto store = stores().MakeStore(storeOf(target));
    AlbumInfo existing = placeOf(album);
    const bool exists = store->open() && store->read(existing);
    store->close();
    if (exists &&
        !Confirm(context_.port, context_.settings, "ConfirmationAlbumExists", ids::kMsgAlbumExists))
        return;
    const std::optional<AlbumInfo> copy = freedb::ReplaceStoredAlbum(*store, album);
    if (!copy) {
        error(ids::kMsgWritingFailed);
        return;
    }
    trees_.showStored(target, *copy);
}

void AlbumStoreCommands::remove(AlbumTree& tree, QTreeWidgetItem& item) {
    const FoundIn where = tree.branchOf(&item);
    const std::vector<AlbumNode*> nodes = AlbumTree::albumsBelow(&item);
    if (!isStore(where) || nodes.empty())
        return;
    const bool oneAlbum = item.type() == AlbumNode::kType;
    if (!Confirm(context_.port, context_.settings,
                 oneAlbum ? "ConfirmationDeleteAlbum" : "ConfirmationDeleteAlbums",
                 oneAlbum ? ids::kMsgConfirmDeleteAlbum : ids::kMsgConfirmDeleteNode))
        return;
    // The nodes go as their albums go; the albums are taken first.
    std::vector<AlbumInfo> albums;
    for (const AlbumNode* node : nodes)
        albums.push_back(node->saved());
    auto store = stores().MakeStore(storeOf(where));
    const bool opened = store->open();
    bool failed = !opened;
    for (const AlbumInfo& album : albums) {
        if (opened && store->remove(album))
            trees_.removeStored(where, album);
        else
            failed = true;
    }
    store->close();
    if (failed)
        error(ids::kMsgDeletingFailed);
}

void AlbumStoreCommands::keepSelected(const AlbumInfo& album) {
    for (StoreKind failed : freedb::StoreSelectedAlbum(stores(), album))
        error(failed == StoreKind::CdPlayerIni ? ids::kMsgWritingToCdPlayerFailed
                                               : ids::kMsgWritingToLocalDbFailed);
}

}  // namespace tw::gui
