// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/mainwindow/folder_tree.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMouseEvent>
#include <QStorageInfo>
#include <QStyle>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "gui/common/accessible_names.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

QString withSlash(QString path) {
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString pathOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kPathRole).toString() : QString();
}

bool hasSubfolders(const QString& path) {
    return QDirIterator(path, QDir::Dirs | QDir::NoDotAndDotDot).hasNext();
}

// Volumes a user keeps files on: real devices mounted outside the system's own folders.
bool isUserVolume(const QStorageInfo& volume) {
    if (!volume.isValid() || !volume.isReady() || volume.isRoot())
        return false;
    if (!volume.device().startsWith(QByteArrayLiteral("/dev/")))
        return false;
    const QString root = volume.rootPath();
    for (const char* systemFolder : {"/boot", "/proc", "/sys", "/dev", "/snap", "/var", "/efi"})
        if (root == QLatin1String(systemFolder) ||
            root.startsWith(QLatin1String(systemFolder) + QLatin1Char('/')))
            return false;
    return true;
}

// A volume reads "Label (/media/usb)"; one without a label shows its root path alone.
QString volumeText(const QString& label, const QString& root) {
    if (label.isEmpty())
        return root;
    return label + QStringLiteral(" (") + root + QLatin1Char(')');
}

}  // namespace

FolderTree::FolderTree(const core::AppOptions& options, QWidget* parent)
    : QTreeWidget(parent), options_(options) {
    setHeaderHidden(true);
    setColumnCount(1);
    nameControl(*this, base::ids::kNameFolderTree);
    setContextMenuPolicy(Qt::CustomContextMenu);
    addTopItems();

    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { fillChildren(*item); });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!selectingByProgram_ && current && !options_.doubleClickOpensFolder)
            Q_EMIT folderActivated(pathOf(current));
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        // With single-click opening the click before the double click opened it already.
        const QString folder = pathOf(item);
        if (options_.doubleClickOpensFolder || folder != qs(options_.workFolder))
            Q_EMIT folderActivated(folder);
    });
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        contextFolder_ = pathOf(itemAt(pos));
        Q_EMIT menuRequested(viewport()->mapToGlobal(pos));
    });
}

void FolderTree::addTopItems() {
    const QIcon driveIcon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    auto addTop = [&](const QString& text, const QString& path) {
        auto* item = new QTreeWidgetItem(this, {text});  // owned by the tree
        item->setIcon(0, driveIcon);
        item->setData(0, kPathRole, withSlash(path));
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    };
    addTop(QStringLiteral("/"), QStringLiteral("/"));
    const QString home = QDir::homePath();
    if (home != QLatin1String("/"))
        addTop(home, home);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (isUserVolume(volume) && volume.rootPath() != home)
            addTop(volumeText(volume.name(), volume.rootPath()), volume.rootPath());
}

void FolderTree::fillChildren(QTreeWidgetItem& item) {
    if (item.data(0, kFilledRole).toBool())
        return;
    item.setData(0, kFilledRole, true);
    const QString folder = pathOf(&item);
    Q_EMIT readingFolder(folder);

    const QStringList names = QDir(folder).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    const bool checkEach = names.size() <= kSubfolderCheckLimit;
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    QList<QTreeWidgetItem*> children;
    children.reserve(names.size());
    for (const QString& name : names) {
        auto* child = new QTreeWidgetItem({name});  // owned by `item` once inserted
        const QString path = folder + name + QLatin1Char('/');
        child->setIcon(0, folderIcon);
        child->setData(0, kPathRole, path);
        child->setChildIndicatorPolicy(!checkEach || hasSubfolders(path)
                                           ? QTreeWidgetItem::ShowIndicator
                                           : QTreeWidgetItem::DontShowIndicator);
        children.append(child);
    }
    item.addChildren(children);
    if (children.isEmpty())
        item.setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    Q_EMIT readingDone();
}

QTreeWidgetItem* FolderTree::childNamed(QTreeWidgetItem& item, const QString& name) {
    fillChildren(item);
    for (int i = 0; i < item.childCount(); ++i)
        if (item.child(i)->text(0) == name)
            return item.child(i);
    return nullptr;
}

QTreeWidgetItem* FolderTree::topItemFor(const QString& folder) const {
    QTreeWidgetItem* best = nullptr;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = topLevelItem(i);
        const QString path = pathOf(top);
        if (folder.startsWith(path) && (!best || path.size() > pathOf(best).size()))
            best = top;
    }
    return best;
}

void FolderTree::selectFolder(const QString& folder) {
    const QString target = withSlash(folder);
    QTreeWidgetItem* item = topItemFor(target);
    if (!item)
        return;
    selectingByProgram_ = true;
    const QStringList levels =
        target.mid(pathOf(item).size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& level : levels) {
        QTreeWidgetItem* child = childNamed(*item, level);
        if (!child || !QFileInfo(pathOf(child)).isDir())
            break;
        item->setExpanded(true);
        item = child;
    }
    setCurrentItem(item);
    scrollToItem(item);
    selectingByProgram_ = false;
}

void FolderTree::focusInEvent(QFocusEvent* event) {
    const bool wasByProgram = selectingByProgram_;
    selectingByProgram_ = true;
    QTreeWidget::focusInEvent(event);
    selectingByProgram_ = wasByProgram;
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

QString FolderTree::selectedFolder() const {
    return pathOf(currentItem());
}

}  // namespace tw::gui
