// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTreeWidget>
#include <string>
#include <vector>

#include "freedb/album_info.h"
#include "freedb/album_tree_format.h"
#include "freedb/job_observer.h"

namespace tw::gui {

// An album in the tree: the album as the user sees and edits it, the copy it was found,
// read or saved as (what "Discard Changes" goes back to), and where it came from.
class AlbumNode : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    AlbumNode(freedb::FoundIn where, const freedb::AlbumInfo& album);

    freedb::FoundIn where() const { return where_; }
    const freedb::AlbumInfo& album() const { return album_; }
    freedb::AlbumInfo& album() { return album_; }
    const freedb::AlbumInfo& saved() const { return saved_; }

    // Edited since it was found, read or saved.
    bool isModified() const { return modified_; }
    void markModified();
    // Takes `album` as both the shown and the saved copy.
    void reset(const freedb::AlbumInfo& album);
    // Goes back to the saved copy.
    void discardChanges() { reset(saved_); }

    // The album's place: the same disc in the same category.
    bool isAlbum(const std::string& category, const std::string& discId) const;

private:
    void showState();

    freedb::FoundIn where_;
    freedb::AlbumInfo album_;
    freedb::AlbumInfo saved_;
    bool modified_ = false;
};

// The albums of the album window, grouped below a branch per source by the levels of the
// tree format (category, artist, album, disc id): the levels but the last make grouping
// nodes, the last names the album node. A tree with a single branch without a caption
// shows its albums at the top.
//
// Owns its items (Qt). One album node per disc and category in each branch: adding it
// again replaces the node's album.
class AlbumTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kGroupType = QTreeWidgetItem::UserType + 2;
    static constexpr int kBranchType = QTreeWidgetItem::UserType + 3;

    struct Branch {
        freedb::FoundIn where;
        QString caption;  // empty: no branch node
    };

    AlbumTree(std::vector<Branch> branches, const freedb::TreeFormat& format,
              QWidget* parent = nullptr);

    void setBranchCaption(freedb::FoundIn where, const QString& caption);
    // Groups every album anew.
    void setFormat(const freedb::TreeFormat& format);
    bool hasBranch(freedb::FoundIn where) const;

    // Adds the album to its branch, or replaces the album of the node of the same disc and
    // category there (a node with unsaved edits keeps them). The node.
    AlbumNode* addAlbum(freedb::FoundIn where, const freedb::AlbumInfo& album);
    AlbumNode* findAlbum(freedb::FoundIn where, const std::string& category,
                         const std::string& discId) const;
    // Moves the node to the place its album's texts give it now (after an edit was saved).
    void regroup(AlbumNode* node);
    // Removes the node and the grouping nodes it leaves empty.
    void removeAlbum(AlbumNode* node);
    void clearBranch(freedb::FoundIn where);

    AlbumNode* currentAlbum() const;
    // The source of the branch the item is in.
    freedb::FoundIn branchOf(const QTreeWidgetItem* item) const;
    // The album nodes at and below `item`.
    static std::vector<AlbumNode*> albumsBelow(QTreeWidgetItem* item);
    std::vector<AlbumNode*> albums(freedb::FoundIn where) const;

Q_SIGNALS:
    // The node is about to be deleted; pointers to it must go now.
    void albumRemoving(AlbumNode* node);

private:
    QTreeWidgetItem* branchItem(freedb::FoundIn where) const;
    QTreeWidgetItem* groupFor(QTreeWidgetItem* branch, const freedb::AlbumInfo& album);
    // The album node's text: that of the last level, or artist and title without levels.
    QString nodeText(const freedb::AlbumInfo& album) const;
    void place(AlbumNode* node);
    void removeEmptyGroups(QTreeWidgetItem* group);

    std::vector<Branch> branches_;
    std::vector<QTreeWidgetItem*> branchItems_;
    freedb::TreeFormat format_;
};

}  // namespace tw::gui
