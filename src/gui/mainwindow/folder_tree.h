// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QTreeWidget>

namespace tw::core {
struct AppOptions;
}

namespace tw::gui {

// The folder tree of the main window: the file system's root, the user's home and the
// mounted volumes at the top, each folder's sub-folders read when it is first expanded.
//
// Opening rules: with "w4" at 0, selecting a folder (mouse or keyboard) asks to open it; a
// double click asks whatever "w4" says. The tree only asks (folderActivated); whoever opens
// the folder calls selectFolder() afterwards, or to put the selection back.
//
// Paths handed out and taken end with "/". Reads options; owns its items.
class FolderTree : public QTreeWidget {
    Q_OBJECT
public:
    FolderTree(const core::AppOptions& options, QWidget* parent = nullptr);

    // Selects `folder`, expanding the way down to it; where a level no longer exists, the
    // deepest existing one is selected. Never asks to open anything.
    void selectFolder(const QString& folder);
    // The folder of the selected item; empty when none.
    QString selectedFolder() const;
    // The folder under the cursor at the last context menu request.
    QString contextFolder() const { return contextFolder_; }

    // More children than this are not checked for sub-folders of their own; they all show
    // the expand mark, which goes when they turn out empty.
    static constexpr int kSubfolderCheckLimit = 2000;

protected:
    // A view that gets the focus without a current item makes one of its own; that is not
    // the user choosing a folder.
    void focusInEvent(QFocusEvent* event) override;
    // A right click shows the menu of the folder under the cursor; it neither selects nor
    // opens that folder.
    void mousePressEvent(QMouseEvent* event) override;

Q_SIGNALS:
    void folderActivated(const QString& folder);
    // Reading a folder's sub-folders starts and ends (for the status bar).
    void readingFolder(const QString& folder);
    void readingDone();
    void menuRequested(const QPoint& globalPos);

private:
    void addTopItems();
    void fillChildren(QTreeWidgetItem& item);
    QTreeWidgetItem* childNamed(QTreeWidgetItem& item, const QString& name);
    QTreeWidgetItem* topItemFor(const QString& folder) const;

    const core::AppOptions& options_;
    bool selectingByProgram_ = false;
    QString contextFolder_;
};

}  // namespace tw::gui
