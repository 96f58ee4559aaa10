// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/document/edit_document.h"

#include <unordered_set>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/file_list.h"
#include "core/tag_save.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

EditDocument::EditDocument(core::FileList& list, base::UserPort& port) : list_(list), port_(port) {}

EditDocument::~EditDocument() = default;

bool EditDocument::editSelected(const QString& name, const std::function<void()>& change,
                                int mergeKey) {
    std::vector<core::AudioFile*> records;
    list_.forEachSelected([&](core::AudioFile& record) { records.push_back(&record); });
    return record(core::captureEdit(utf8(name), records, change, mergeKey));
}

bool EditDocument::editAll(const QString& name, const std::function<void()>& change) {
    std::vector<core::AudioFile*> records;
    records.reserve(static_cast<std::size_t>(list_.size()));
    for (int row = 0; row < list_.size(); ++row)
        records.push_back(&list_.at(row));
    return record(core::captureEdit(utf8(name), records, change));
}

bool EditDocument::editRow(const QString& name, int row, const std::function<void()>& change,
                           int mergeKey) {
    return record(core::captureEdit(utf8(name), {&list_.at(row)}, change, mergeKey));
}

bool EditDocument::record(core::EditStep step) {
    const std::vector<int> rows = rowsOf(step);
    if (!history_.push(std::move(step)))
        return false;
    Q_EMIT recordsEdited(rows);
    Q_EMIT historyChanged();
    return true;
}

void EditDocument::undo() {
    if (!history_.canUndo())
        return;
    const std::vector<int> rows = rowsOf(history_.undo());
    Q_EMIT recordsEdited(rows);
    Q_EMIT historyChanged();
}

void EditDocument::redo() {
    if (!history_.canRedo())
        return;
    const std::vector<int> rows = rowsOf(history_.redo());
    Q_EMIT recordsEdited(rows);
    Q_EMIT historyChanged();
}

std::vector<int> EditDocument::rowsOf(const core::EditStep& step) const {
    std::unordered_set<const core::AudioFile*> changed;
    for (const core::RecordChange& change : step.changes)
        changed.insert(change.record);
    std::vector<int> rows;
    for (int row = 0; row < list_.size() && rows.size() < changed.size(); ++row)
        if (changed.contains(&list_.at(row)))
            rows.push_back(row);
    return rows;
}

QString EditDocument::undoName() const {
    return history_.canUndo() ? qs(history_.nextUndo().name) : QString();
}

QString EditDocument::redoName() const {
    return history_.canRedo() ? qs(history_.nextRedo().name) : QString();
}

void EditDocument::forgetHistory() {
    history_.clear(list_.anyDirty() ? core::EditHistory::Loss::Discarded
                                    : core::EditHistory::Loss::None);
    Q_EMIT historyChanged();
}

void EditDocument::save() {
    core::saveAll(list_, port_);
    recordsWritten();
}

void EditDocument::recordsWritten() {
    forgetHistory();
    Q_EMIT allRowsChanged();
}

bool EditDocument::confirmClose() {
    if (!list_.anyDirty())
        return true;
    switch (port_.askYesNoCancel(base::tr(ids::kMsgSaveBeforeClosing))) {
        case base::UserPort::Answer::Yes:
            // A file that could not be written keeps the window open with its edits.
            save();
            return !list_.anyDirty();
        case base::UserPort::Answer::No:
            return true;
        case base::UserPort::Answer::Cancel:
            break;
    }
    return false;
}

void EditDocument::selectAll() {
    list_.selectAll();
    Q_EMIT selectionChanged();
}

void EditDocument::invertSelection() {
    list_.invertSelection();
    Q_EMIT selectionChanged();
}

void EditDocument::selectOnly(int row) {
    list_.selectOnly(row);
    Q_EMIT selectionChanged();
}

void EditDocument::recordRenamed(int row) {
    Q_EMIT recordsEdited({row});
}

void EditDocument::recordsRenamed() {
    Q_EMIT allRowsChanged();
}

void EditDocument::listChanged() {
    // The records of the history may be gone, and their memory taken by new ones.
    forgetHistory();
    Q_EMIT allRowsChanged();
}

void EditDocument::rowsMoved() {
    Q_EMIT rowsReordered();
}

void EditDocument::folderTreeChanged() {
    Q_EMIT workFolderChanged();
}

QString EditDocument::setFieldName(int fieldNameId, int fileCount) {
    const std::string field = utf8(commandName(fieldNameId));
    return qs(fileCount == 1 ? base::trf(ids::kEditSetField, field)
                             : base::trf(ids::kEditSetFieldInFiles, field, fileCount));
}

QString EditDocument::commandName(int menuLabelId) {
    QString name = qs(base::tr(menuLabelId));
    name = name.left(name.indexOf(QLatin1Char('\t')));
    if (name.endsWith(QStringLiteral("...")))
        name.chop(3);
    // "&&" is a shown "&"; a single one marks the access key.
    name.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    name.remove(QLatin1Char('&'));
    name.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return name;
}

}  // namespace tw::gui
