// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/album_tree.h"

#include <QHeaderView>
#include <algorithm>

#include "gui/qt_text.h"

namespace tw::gui {

using freedb::AlbumInfo;
using freedb::FoundIn;

AlbumNode::AlbumNode(FoundIn where, const AlbumInfo& album)
    : QTreeWidgetItem(kType), where_(where), album_(album), saved_(album) {}

void AlbumNode::markModified() {
    modified_ = true;
    showState();
}

void AlbumNode::reset(const AlbumInfo& album) {
    album_ = album;
    saved_ = album;
    modified_ = false;
    showState();
}

bool AlbumNode::isAlbum(const std::string& category, const std::string& discId) const {
    return album_.category() == category && album_.discId() == discId;
}

void AlbumNode::showState() {
    QFont shown = font(0);
    shown.setItalic(modified_);
    setFont(0, shown);
}

AlbumTree::AlbumTree(std::vector<Branch> branches, const freedb::TreeFormat& format,
                     QWidget* parent)
    : QTreeWidget(parent), branches_(std::move(branches)), format_(format) {
    setHeaderHidden(true);
    setColumnCount(1);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (const Branch& branch : branches_) {
        if (branch.caption.isEmpty() && branches_.size() == 1) {
            branchItems_.push_back(invisibleRootItem());
            continue;
        }
        auto* item = new QTreeWidgetItem(this, kBranchType);
        item->setText(0, branch.caption);
        item->setExpanded(true);
        branchItems_.push_back(item);
    }
}

void AlbumTree::setBranchCaption(FoundIn where, const QString& caption) {
    QTreeWidgetItem* item = branchItem(where);
    if (item && item != invisibleRootItem())
        item->setText(0, caption);
}

bool AlbumTree::hasBranch(FoundIn where) const {
    return branchItem(where) != nullptr;
}

QTreeWidgetItem* AlbumTree::branchItem(FoundIn where) const {
    for (std::size_t i = 0; i < branches_.size(); ++i)
        if (branches_[i].where == where)
            return branchItems_[i];
    return nullptr;
}

FoundIn AlbumTree::branchOf(const QTreeWidgetItem* item) const {
    while (item && item->parent())
        item = item->parent();
    for (std::size_t i = 0; i < branches_.size(); ++i)
        if (branchItems_[i] == item)
            return branches_[i].where;
    return branches_.front().where;
}

void AlbumTree::setFormat(const freedb::TreeFormat& format) {
    format_ = format;
    AlbumNode* current = currentAlbum();
    for (QTreeWidgetItem* branch : branchItems_) {
        std::vector<AlbumNode*> nodes = albumsBelow(branch);
        for (AlbumNode* node : nodes)
            (node->parent() ? node->parent() : branch)->removeChild(node);
        while (branch->childCount() > 0)
            delete branch->takeChild(0);
        for (AlbumNode* node : nodes)
            place(node);
    }
    if (current)
        setCurrentItem(current);
}

QTreeWidgetItem* AlbumTree::groupFor(QTreeWidgetItem* branch, const AlbumInfo& album) {
    const std::vector<freedb::TreeLevel> levels = format_.chosen();
    QTreeWidgetItem* group = branch;
    for (std::size_t i = 0; i + 1 < levels.size(); ++i) {
        const QString name = qs(freedb::TreeLevelText(album, levels[i]));
        QTreeWidgetItem* found = nullptr;
        for (int c = 0; c < group->childCount() && !found; ++c) {
            QTreeWidgetItem* child = group->child(c);
            if (child && child->type() == kGroupType && child->text(0) == name)
                found = child;
        }
        if (!found) {
            found = new QTreeWidgetItem(kGroupType);
            found->setText(0, name);
            group->addChild(found);
        }
        group = found;
    }
    return group;
}

QString AlbumTree::nodeText(const AlbumInfo& album) const {
    const std::vector<freedb::TreeLevel> levels = format_.chosen();
    std::string name = levels.empty() ? album.artist() + " / " + album.title()
                                      : freedb::TreeLevelText(album, levels.back());
    if (name.empty())
        name = album.discId();
    return qs(name);
}

void AlbumTree::place(AlbumNode* node) {
    node->setText(0, nodeText(node->album()));
    groupFor(branchItem(node->where()), node->album())->addChild(node);
}

AlbumNode* AlbumTree::addAlbum(FoundIn where, const AlbumInfo& album) {
    if (!hasBranch(where))
        return nullptr;
    if (AlbumNode* existing = findAlbum(where, album.category(), album.discId())) {
        if (!existing->isModified()) {
            existing->reset(album);
            regroup(existing);
        }
        return existing;
    }
    auto* node = new AlbumNode(where, album);
    place(node);
    return node;
}

AlbumNode* AlbumTree::findAlbum(FoundIn where, const std::string& category,
                                const std::string& discId) const {
    for (AlbumNode* node : albums(where))
        if (node->isAlbum(category, discId))
            return node;
    return nullptr;
}

void AlbumTree::regroup(AlbumNode* node) {
    node->setText(0, nodeText(node->album()));
    QTreeWidgetItem* group = node->parent() ? node->parent() : invisibleRootItem();
    QTreeWidgetItem* target = groupFor(branchItem(node->where()), node->album());
    if (target == group)
        return;
    const bool wasCurrent = currentItem() == node;
    const bool wasShown = group->isExpanded() || group == invisibleRootItem();
    group->removeChild(node);
    removeEmptyGroups(group);
    target->addChild(node);
    if (wasShown)
        for (QTreeWidgetItem* up = target; up; up = up->parent())
            up->setExpanded(true);
    if (wasCurrent)
        setCurrentItem(node);
}

void AlbumTree::removeAlbum(AlbumNode* node) {
    Q_EMIT albumRemoving(node);
    QTreeWidgetItem* parent = node->parent() ? node->parent() : invisibleRootItem();
    delete node;
    removeEmptyGroups(parent);
}

void AlbumTree::removeEmptyGroups(QTreeWidgetItem* group) {
    while (group && group->type() == kGroupType && group->childCount() == 0) {
        QTreeWidgetItem* parent = group->parent() ? group->parent() : invisibleRootItem();
        delete group;
        group = parent;
    }
}

void AlbumTree::clearBranch(FoundIn where) {
    QTreeWidgetItem* branch = branchItem(where);
    if (!branch)
        return;
    for (AlbumNode* node : albumsBelow(branch))
        Q_EMIT albumRemoving(node);
    while (branch->childCount() > 0)
        delete branch->takeChild(0);
}

AlbumNode* AlbumTree::currentAlbum() const {
    QTreeWidgetItem* item = currentItem();
    return item && item->type() == AlbumNode::kType ? static_cast<AlbumNode*>(item) : nullptr;
}

std::vector<AlbumNode*> AlbumTree::albumsBelow(QTreeWidgetItem* item) {
    std::vector<AlbumNode*> nodes;
    if (!item)
        return nodes;
    if (item->type() == AlbumNode::kType)
        nodes.push_back(static_cast<AlbumNode*>(item));
    for (int i = 0; i < item->childCount(); ++i) {
        const std::vector<AlbumNode*> below = albumsBelow(item->child(i));
        nodes.insert(nodes.end(), below.begin(), below.end());
    }
    return nodes;
}

std::vector<AlbumNode*> AlbumTree::albums(FoundIn where) const {
    return albumsBelow(branchItem(where));
}

}  // namespace tw::gui
