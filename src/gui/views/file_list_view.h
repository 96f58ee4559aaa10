// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringList>
#include <QTableView>
#include <vector>

#include "gui/gui_context.h"
#include "gui/views/column_header.h"

class QPoint;

namespace tw::gui {

class FileListModel;

// The defaults of the file list's columns, in model order (also for lists that show records
// the way the file list does).
std::vector<ColumnDefaults> listColumnDefaults();

// The file list of the main window: one row per record of the FileList, in list order, with
// the configurable columns, sorting, in-place editing and the dirty icons.
//
// The view reads and edits the records of context.list; it owns its model and header (Qt
// children) and nothing else. It reads its column layout from context.settings when it is
// made and stores it there when it is destroyed, so the settings store must outlive it.
//
// The main window calls the operations below after it changed the list; the view tells the
// main window about the user's doings through the signals. Selection changes made by the
// program (fillRows, syncSelection) never come back as chainChanged.
class FileListView : public QTableView {
    Q_OBJECT
public:
    // The settings section of the column layout, and its set.
    static constexpr const char* kLayoutSection = "FileList";
    static constexpr unsigned kLayoutSet = 0;
    // Autosize looks at this many rows around the visible ones, so it stays quick for any
    // length of list.
    static constexpr int kAutosizeSampleRows = 500;

    explicit FileListView(GuiContext& context, QWidget* parent = nullptr);
    ~FileListView() override;

    // Every row again from the records (after a scan, open, refresh, remove, save or a
    // batch command): sorted by the current sort column, autosized when "l1" is on, and the
    // selection taken from the records.
    void fillRows();
    // Every row again in the list's own order, without sorting (after Move Up/Down, whose
    // order a sort would undo).
    void redrawRows();
    // One row again from its record; with `autosize` and "l1" on, the columns are resized.
    void fillRow(int row, bool autosize);
    // Every row's cells and dirty icon again from the records, after their tags changed.
    void refreshRows();
    // The widget's selection from the records' `selected` flags, after Check All, Uncheck
    // All and Invert All; the focus follows core::focusAfterSelectionChange.
    void syncSelection();
    // The row holding the focus mark; 0 when none.
    int focusedRow() const;
    using QTableView::edit;
    // Edit Filename: starts editing the Filename cell of the focused row.
    void editFilename();
    // Ends an open cell edit as Enter would, keeping its text (before a command runs).
    void commitOpenEditor();
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    // Sorts the records by a column (model index) and shows the rows in the new order; the
    // header keeps the column and direction for every later fillRows.
    void sortBy(int column, bool ascending);
    // The current sort column (model index, -1 for none) and direction.
    int sortColumn() const { return sortColumn_; }
    bool sortAscending() const { return sortAscending_; }

    // Columns by TagFieldId (the ids of their show/hide commands, 32828 and up).
    bool isColumnVisible(int columnId) const;
    void setColumnVisible(int columnId, bool visible);
    // Every visible column to the width of its contents ("l1" switched on).
    void autosizeColumns();

    ColumnHeader& columnHeader() const { return *header_; }

Q_SIGNALS:
    // The user changed the selection; the chain already follows it.
    void chainChanged();
    // A double click on a row while editing in the list is off.
    void fileInfoRequested();
    // A cell editor opened.
    void editingStarted();
    // Files or folders were dropped on the list (local paths, in drop order).
    void itemsDropped(const QStringList& paths);
    // A right click on a row, and on the column header (global positions).
    void rowMenuRequested(const QPoint& globalPos);
    void headerMenuRequested(const QPoint& globalPos);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void onUserSelectionChanged();
    void onHeaderClicked(int column);
    void onDoubleClicked(const QModelIndex& index);
    void onRecordRenamed(int row);
    void autosizeIfOn();

    GuiContext& context_;
    FileListModel* model_;
    ColumnHeader* header_;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
    bool syncing_ = false;  // the program is setting the selection: not the user's doing
};

}  // namespace tw::gui
