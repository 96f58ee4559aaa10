#pragma once

#include <QStringList>
#include <QTableView>

#include "gui/gui_context.h"

class QPoint;

namespace tw::gui {

// The file list of the main window: one row per record of the FileList, in list order, with
// the configurable columns, sorting, in-place editing and the dirty icons.
//
// The view reads and edits the records of context.list; it owns its model and nothing else.
// It stores its column layouts in context.settings when it is destroyed, so the settings
// store must outlive it.
//
// The main window calls the operations below after it changed the list; the view tells the
// main window about the user's doings through the signals. Selection changes made by the
// program (fillRows, syncSelection) never come back as chainChanged.
class FileListView : public QTableView {
    Q_OBJECT
public:
    explicit FileListView(GuiContext& context, QWidget* parent = nullptr);
    ~FileListView() override;

    // Every row again from the records (after a scan, open, refresh, move, remove, save or a
    // batch command): sorted by the current sort column, autosized when "l1" is on, and the
    // selection taken from the records.
    void fillRows();
    // The rows of the selection chain again, and every row's dirty icon.
    void refreshSelectedRows();
    // The widget's selection from the records' `selected` flags, after Check All, Uncheck
    // All and Invert All; the focus follows core::focusAfterSelectionChange.
    void syncSelection();
    // The row holding the focus mark; 0 when none.
    int focusedRow() const;
    // Edit Filename: starts editing the Filename cell of the focused row.
    void editFilename();

    // Columns by TagFieldId (the ids of their show/hide commands, 32828 and up).
    bool isColumnVisible(int columnId) const;
    void setColumnVisible(int columnId, bool visible);
    // Every visible column to the width of its contents ("l1" switched on).
    void autosizeColumns();

Q_SIGNALS:
    // The user changed the selection; the chain already follows it.
    void chainChanged();
    // An in-place edit changed a record (its row is already redrawn).
    void recordsEdited();
    // A double click on a row while editing in the list is off.
    void fileInfoRequested();
    // Files or folders were dropped on the list (local paths, in drop order).
    void itemsDropped(const QStringList& paths);
    // A right click on a row, and on the column header (global positions).
    void rowMenuRequested(const QPoint& globalPos);
    void headerMenuRequested(const QPoint& globalPos);

private:
    GuiContext& context_;
};

}  // namespace tw::gui
