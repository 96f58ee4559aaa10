// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <vector>

#include "core/list_cells.h"
#include "core/list_columns.h"
#include "gui/views/file_state_icons.h"

namespace tw::core {
class FileList;
struct AppOptions;
}  // namespace tw::core

namespace tw::gui {

// The file list as a table: one row per record of the FileList, in list order, and the 22
// columns of core::listColumns() in their model order ("Filename" is column 0). Cells are
// read from the records whenever the view paints them; nothing is copied per row.
//
// Editing a cell changes the record at once (setData): a new file name renames the file, a
// tag field goes into both tags or the ID3v2 tag by the column's rule. Only the Filename
// column is editable while editing in the list is off (for "Edit Filename").
//
// Borrows the list and the options, which outlive it. After the list changed outside,
// the owner calls reload() (rows added, removed or reordered) or refreshRows().
class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    FileListModel(core::FileList& list, const core::AppOptions& options, QObject* parent = nullptr);
    ~FileListModel() override;

    static core::TagFieldId columnId(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // How an edit of a tag cell reaches the records: `change` edits the record of `row`.
    // Without one (a preview of copies), the change is made as it is.
    using EditPath =
        std::function<void(int row, int columnTitleId, const std::function<void()>& change)>;
    void setEditPath(EditPath path) { editPath_ = std::move(path); }

    // Every row again: the number of records or their order changed.
    void reload();
    // The cells and icons of rows first..last again from their records.
    void refreshRows(int first, int last);

Q_SIGNALS:
    // An in-place edit of the Filename cell renamed the file of `row`.
    void recordRenamed(int row);

private:
    [[nodiscard]] bool applyEdit(int row, core::TagFieldId column, const std::string& text);

    core::FileList& list_;
    const core::AppOptions& options_;
    EditPath editPath_;
    core::ListCellTexts cells_;
    FileStateIcons icons_;
    std::vector<QString> titles_;
};

}  // namespace tw::gui
