// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/file_list_view.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QUrl>
#include <algorithm>
#include <vector>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/list_columns.h"
#include "core/list_rules.h"
#include "core/list_sort.h"
#include "gui/common/accessible_names.h"
#include "gui/document/edit_document.h"
#include "gui/views/column_header.h"
#include "gui/views/file_list_model.h"

namespace tw::gui {

std::vector<ColumnDefaults> listColumnDefaults() {
    std::vector<ColumnDefaults> defaults;
    for (const core::ListColumn& column : core::listColumns())
        defaults.push_back({column.width, column.maxWidth, column.position, column.visible});
    return defaults;
}

namespace {

constexpr int kIconSize = 18;

}  // namespace

FileListView::FileListView(GuiContext& context, QWidget* parent)
    : QTableView(parent),
      context_(context),
      model_(new FileListModel(context.list, context.options, this)),
      header_(new ColumnHeader(listColumnDefaults(), this)) {
    setHorizontalHeader(header_);
    setModel(model_);
    header_->restoreLayout(context_.settings, kLayoutSection, kLayoutSet);
    header_->setResizeContentsPrecision(kAutosizeSampleRows);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);  // double click: onDoubleClicked
    // Tab leaves the list for the tag tabs; walking from cell to cell would change the
    // selection, and with it what the tabs edit.
    setTabKeyNavigation(false);
    nameControl(*this, base::ids::kNameFiles);
    setShowGrid(true);
    setWordWrap(false);
    setIconSize(QSize(kIconSize, kIconSize));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(std::max(kIconSize + 2, fontMetrics().height() + 4));
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setContextMenuPolicy(Qt::CustomContextMenu);

    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (indexAt(pos).isValid())
            Q_EMIT rowMenuRequested(viewport()->mapToGlobal(pos));
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!syncing_)
            onUserSelectionChanged();
    });
    connect(header_, &QHeaderView::sectionClicked, this, &FileListView::onHeaderClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, &FileListView::onDoubleClicked);
    model_->setEditPath([this](int row, int columnTitleId, const std::function<void()>& change) {
        context_.document.editRow(EditDocument::setFieldName(columnTitleId, 1), row, change);
        autosizeIfOn();
    });
    connect(model_, &FileListModel::recordRenamed, this, &FileListView::onRecordRenamed);
    EditDocument& document = context.document;
    connect(&document, &EditDocument::recordsEdited, this, &FileListView::refreshRows);
    connect(&document, &EditDocument::selectionChanged, this, &FileListView::syncSelection);
    connect(&document, &EditDocument::allRowsChanged, this, &FileListView::fillRows);
    // A sort would undo the move.
    connect(&document, &EditDocument::rowsReordered, this, &FileListView::redrawRows);
    header_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Q_EMIT headerMenuRequested(header_->mapToGlobal(pos)); });

    syncSelection();
}

FileListView::~FileListView() {
    header_->saveLayout(context_.settings, kLayoutSection, kLayoutSet);
}

void FileListView::fillRows() {
    if (sortColumn_ >= 0)
        core::sortFileList(context_.list, FileListModel::columnId(sortColumn_), sortAscending_);
    redrawRows();
}

void FileListView::redrawRows() {
    {
        const QScopedValueRollback guard(syncing_, true);
        model_->reload();
    }
    autosizeIfOn();
    syncSelection();
}

void FileListView::fillRow(int row, bool autosize) {
    model_->refreshRows(row, row);
    if (autosize)
        autosizeIfOn();
}

void FileListView::refreshRows() {
    // Every row's icon may have changed, and a repaint reads only the visible rows, so
    // refreshing all rows costs no more than the chain.
    model_->refreshRows(0, context_.list.size() - 1);
}

void FileListView::syncSelection() {
    const QScopedValueRollback guard(syncing_, true);
    const int lastColumn = core::kListColumnCount - 1;
    QItemSelection selection;
    int runStart = -1;
    int runEnd = -1;
    const auto flush = [&] {
        if (runStart >= 0)
            selection.select(model_->index(runStart, 0), model_->index(runEnd, lastColumn));
    };
    for (int index : context_.list.selectedIndices()) {
        if (runStart >= 0 && index == runEnd + 1) {
            runEnd = index;
            continue;
        }
        flush();
        runStart = runEnd = index;
    }
    flush();
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);

    const int focus = core::focusAfterSelectionChange(context_.list, focusedRow());
    if (focus >= 0) {
        const int column =
            currentIndex().isValid() ? currentIndex().column() : header_->logicalIndex(0);
        selectionModel()->setCurrentIndex(model_->index(focus, column),
                                          QItemSelectionModel::NoUpdate);
    }
}

int FileListView::focusedRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : 0;
}

void FileListView::editFilename() {
    if (context_.list.empty() || isColumnHidden(0))
        return;
    const QModelIndex cell = model_->index(std::min(focusedRow(), context_.list.size() - 1), 0);
    scrollTo(cell);
    edit(cell);
}

void FileListView::commitOpenEditor() {
    if (!isEditing())
        return;
    // An editor without the focus has been committed already when the focus left it.
    QWidget* editor = QApplication::focusWidget();
    if (!editor || !viewport()->isAncestorOf(editor))
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool FileListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool started = QTableView::edit(index, trigger, event);
    if (started)
        Q_EMIT editingStarted();
    return started;
}

void FileListView::sortBy(int column, bool ascending) {
    if (column < 0 || column >= core::kListColumnCount)
        return;
    sortColumn_ = column;
    sortAscending_ = ascending;
    header_->setSortIndicatorShown(true);
    header_->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    fillRows();
}

bool FileListView::isColumnVisible(int columnId) const {
    const int column = core::columnIndexOfCommand(columnId);
    return column >= 0 && !isColumnHidden(column);
}

void FileListView::setColumnVisible(int columnId, bool visible) {
    header_->setColumnVisible(core::columnIndexOfCommand(columnId), visible);
}

void FileListView::autosizeColumns() {
    for (int column = 0; column < core::kListColumnCount; ++column)
        if (!isColumnHidden(column))
            resizeColumnToContents(column);
}

void FileListView::autosizeIfOn() {
    if (context_.options.autosizeColumns)
        autosizeColumns();
}

void FileListView::onUserSelectionChanged() {
    core::FileList& list = context_.list;
    if (list.empty())
        return;
    std::vector<bool> chosen(static_cast<std::size_t>(list.size()), false);
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = std::max(range.top(), 0); row <= std::min(range.bottom(), list.size() - 1);
             ++row)
            chosen[static_cast<std::size_t>(row)] = true;

    const auto first = std::find(chosen.begin(), chosen.end(), true);
    if (first == chosen.end()) {
        // Some file is always selected (the chain never runs empty while the list holds
        // files), so the edits of the tag tabs never go to files the user cannot see.
        syncSelection();
        return;
    }
    list.selectOnly(static_cast<int>(first - chosen.begin()));
    for (auto it = first + 1; it != chosen.end(); ++it)
        if (*it)
            list.selectAdd(static_cast<int>(it - chosen.begin()));
    Q_EMIT chainChanged();
}

void FileListView::onHeaderClicked(int column) {
    sortBy(column, column == sortColumn_ ? !sortAscending_ : true);
    // The first file of the chain may be another record now.
    Q_EMIT chainChanged();
}

void FileListView::onDoubleClicked(const QModelIndex& index) {
    if (!context_.options.allowEditInList) {
        Q_EMIT fileInfoRequested();
        return;
    }
    if (model_->flags(index) & Qt::ItemIsEditable)
        edit(index);
}

void FileListView::onRecordRenamed(int row) {
    selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::NoUpdate);
    fillRow(row, true);
    context_.document.recordRenamed(row);
}

void FileListView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void FileListView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void FileListView::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT itemsDropped(paths);
}

}  // namespace tw::gui
