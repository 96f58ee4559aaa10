// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "core/edit_history.h"
#include "core/list_session.h"

namespace tw::base {
class UserPort;
}

namespace tw::core {
class FileList;
struct AudioFile;
}  // namespace tw::core

namespace tw::gui {

// The open folder as the windows edit it: the file list with its selection, and the history
// of the edits not yet saved.
//
// Every change of a record's tags goes through edit() as one named step, which undo() and
// redo() take back and do again; the selection commands and saving go through here as well.
// What changed is told through the signals, so no window redraws another by hand. The list
// session reports here (ListViews) when it rebuilt or reordered the list.
//
// Borrows the list and the port, which must outlive it.
class EditDocument : public QObject, public core::ListViews {
    Q_OBJECT
public:
    EditDocument(core::FileList& list, base::UserPort& port);
    ~EditDocument() override;

    core::FileList& list() const { return list_; }
    const core::EditHistory& history() const { return history_; }

    // Runs `change`, which edits records of the selection (of the whole list), and keeps
    // what it changed as one step named `name`. Edits of the same non-zero mergeKey that
    // follow each other are one step until endTyping(). False when nothing changed.
    bool editSelected(const QString& name, const std::function<void()>& change, int mergeKey = 0);
    bool editAll(const QString& name, const std::function<void()>& change);
    // The same for the record at `row`.
    bool editRow(const QString& name, int row, const std::function<void()>& change,
                 int mergeKey = 0);
    // The field being typed in lost the focus: its next edit is a step of its own.
    void endTyping() { history_.closeTyping(); }

    void undo();
    void redo();
    // The menu texts of the next undo and redo: "Set Album in 5 files"; empty when none.
    QString undoName() const;
    QString redoName() const;

    // "Save Changes": every dirty record is written. The history goes with it: the records
    // are read again from what was written, and a step could otherwise put back values
    // whose "changed" marks no longer tell what the files hold.
    void save();
    // A record was written to its file outside save() (Save Lyrics): the steps of the
    // history would no longer tell what the file holds, so they go.
    void recordsWritten();
    // Before the window closes with unsaved edits: asks, and saves when the user says so.
    // False keeps the window open.
    bool confirmClose();

    void selectAll();
    void invertSelection();
    void selectOnly(int row);
    // The file of `row` (of every row) was renamed on disk, which is not an edit of its
    // tags and has no place in the history.
    void recordRenamed(int row);
    void recordsRenamed();

    // core::ListViews
    void listChanged() override;
    void rowsMoved() override;
    void folderTreeChanged() override;

    // "Set <field> in <n> files" ("Set <field>" for one file), for edits of one field, named
    // by its label or column title.
    static QString setFieldName(int fieldNameId, int fileCount);
    // A menu label as an edit's name: "Filename > ID3 &Tag\tCtrl+F7" as "Filename > ID3 Tag".
    static QString commandName(int menuLabelId);

Q_SIGNALS:
    // Fields of the records in these rows changed (an edit, undo or redo).
    void recordsEdited(const std::vector<int>& rows);
    // The selection flags changed; the file list follows them.
    void selectionChanged();
    // The list was rebuilt, reread, reordered by a sort or saved: every row anew.
    void allRowsChanged();
    // Move Up / Move Down: every row in the list's own order, which a sort would undo.
    void rowsReordered();
    // The work folder changed or was rescanned.
    void workFolderChanged();
    // The next undo or redo changed.
    void historyChanged();

private:
    [[nodiscard]] bool record(core::EditStep step);
    std::vector<int> rowsOf(const core::EditStep& step) const;
    void forgetHistory();

    core::FileList& list_;
    base::UserPort& port_;
    core::EditHistory history_;
};

}  // namespace tw::gui
