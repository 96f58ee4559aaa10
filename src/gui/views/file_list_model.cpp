// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/file_list_model.h"

#include "core/app_options.h"
#include "core/file_list.h"
#include "gui/qt_text.h"
#include "rename/rename_undo.h"

namespace tw::gui {

namespace {

using core::TagFieldId;

Qt::Alignment alignmentOf(core::ColumnAlign align) {
    switch (align) {
        case core::ColumnAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case core::ColumnAlign::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case core::ColumnAlign::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// A tag edit in the list writes into a tag the file does not have yet, so it creates it.
core::TagFields& created(core::TagFields& tag) {
    if (!tag.present)
        tag.makePresent();
    return tag;
}

using V2 = core::TagV2Fields;

// True when the field took the text.
bool setV2Only(V2& tag, void (V2::*setter)(std::string_view), std::string V2::*field,
               const std::string& text) {
    (tag.*setter)(text);
    return tag.*field == text;
}

template <typename Edit>
void editBothTags(core::AudioFile& file, Edit edit) {
    edit(created(file.id3v1));
    edit(created(file.id3v2));
}

}  // namespace

FileListModel::FileListModel(core::FileList& list, const core::AppOptions& options, QObject* parent)
    : QAbstractTableModel(parent), list_(list), options_(options) {
    for (const core::ListColumn& column : core::listColumns())
        titles_.push_back(text(column.titleId));
}

FileListModel::~FileListModel() = default;

core::TagFieldId FileListModel::columnId(int column) {
    return core::listColumns()[static_cast<std::size_t>(column)].id;
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.size();
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : core::kListColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= list_.size())
        return {};
    core::AudioFile& record = list_.at(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return qs(cells_.text(record, columnId(index.column())));
        case Qt::DecorationRole:
            if (index.column() != 0)
                return {};
            return record.unreadable() ? icons_.unreadable() : icons_.of(record.dirty());
        case Qt::ToolTipRole:
            // Why the row shows no tags: its file could not be read.
            if (index.column() == 0 && record.unreadable())
                return qs(base::worded(record.readFailure));
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(
                alignmentOf(core::listColumns()[static_cast<std::size_t>(index.column())].align));
        default:
            return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= core::kListColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return titles_[static_cast<std::size_t>(section)];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            alignmentOf(core::listColumns()[static_cast<std::size_t>(section)].align));
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return flags;
    const core::ListColumn& column = core::listColumns()[static_cast<std::size_t>(index.column())];
    if (column.id == TagFieldId::Filename || (column.editable && options_.allowEditInList))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= list_.size() ||
        !(flags(index) & Qt::ItemIsEditable))
        return false;
    const TagFieldId column = columnId(index.column());
    const std::string text = utf8(value.toString());
    // Only an edit that ends with a new text changes anything.
    if (text == cells_.text(list_.at(index.row()), column))
        return false;
    const int row = index.row();
    bool changed = false;
    const auto change = [&] { changed = applyEdit(row, column, text); };
    if (editPath_ && column != TagFieldId::Filename)
        editPath_(row, core::listColumns()[static_cast<std::size_t>(index.column())].titleId,
                  change);
    else
        change();
    // The cell shows the record afterwards in any case, also when a rename failed.
    refreshRows(row, row);
    if (changed && column == TagFieldId::Filename)
        Q_EMIT recordRenamed(row);
    return changed;
}

bool FileListModel::applyEdit(int row, core::TagFieldId column, const std::string& text) {
    core::AudioFile& file = list_.at(row);
    switch (column) {
        case TagFieldId::Filename: {
            // A name given by hand is a renaming like a batch's: the last one undo puts back.
            const std::string before = file.path;
            if (!file.rename(text).ok())
                return false;
            if (file.path != before)
                rename::keepRenameUndo({{before, file.path}});
            return true;
        }
        case TagFieldId::Title:
            editBothTags(file, [&](core::TagFields& tag) { tag.setTitle(text); });
            return true;
        case TagFieldId::Artist:
            editBothTags(file, [&](core::TagFields& tag) { tag.setArtist(text); });
            return true;
        case TagFieldId::Album:
            editBothTags(file, [&](core::TagFields& tag) { tag.setAlbum(text); });
            return true;
        case TagFieldId::Comments:
            editBothTags(file, [&](core::TagFields& tag) { tag.setComment(text); });
            return true;
        case TagFieldId::Year: {
            const std::int32_t year = core::leadingNumber(text);
            editBothTags(file, [&](core::TagFields& tag) { tag.setYear(year, true); });
            return true;
        }
        case TagFieldId::Track: {
            const std::int32_t track = core::leadingNumber(text);
            editBothTags(file, [&](core::TagFields& tag) { tag.setTrack(track, true); });
            return true;
        }
        // The ID3v2-only fields change only while the file has an ID3v2 tag.
        case TagFieldId::Composer:
            return setV2Only(file.id3v2, &V2::setComposer, &V2::composer, text);
        case TagFieldId::Url:
            return setV2Only(file.id3v2, &V2::setUrl, &V2::url, text);
        case TagFieldId::Publisher:
            return setV2Only(file.id3v2, &V2::setPublisher, &V2::publisher, text);
        case TagFieldId::Copyright:
            return setV2Only(file.id3v2, &V2::setCopyright, &V2::copyright, text);
        case TagFieldId::EncodedBy:
            return setV2Only(file.id3v2, &V2::setEncodedBy, &V2::encodedBy, text);
        case TagFieldId::OrigArtist:
            return setV2Only(file.id3v2, &V2::setOrigArtist, &V2::origArtist, text);
        default:
            return false;
    }
}

void FileListModel::reload() {
    beginResetModel();
    endResetModel();
}

void FileListModel::refreshRows(int first, int last) {
    if (list_.empty() || first > last)
        return;
    Q_EMIT dataChanged(index(std::max(first, 0), 0),
                       index(std::min(last, list_.size() - 1), core::kListColumnCount - 1));
}

}  // namespace tw::gui
