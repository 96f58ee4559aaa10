// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/track_list.h"

#include <QMenu>
#include <array>

#include "base/string_ids.h"
#include "freedb/album_info.h"
#include "gui/common/accessible_names.h"
#include "gui/qt_text.h"
#include "gui/views/column_header.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

constexpr const char* kLayoutSection = "FreeDB\\TrackList";
constexpr unsigned kLayoutSet = 0;

std::vector<ColumnDefaults> trackColumnDefaults() {
    return {
        {40, 200, 0, true},    // #
        {220, 2000, 1, true},  // title
        {140, 2000, 2, true},  // artist
        {60, 300, 3, true},    // length
        {70, 300, 4, true},    // frames
        {180, 2000, 5, true},  // extra info
    };
}

// The header texts and the header menu's labels, in column order.
constexpr std::array<int, TrackList::ColumnCount> kHeaderIds = {
    ids::kTrackColumnNumber, ids::kTrackColumnTitle,  ids::kTrackColumnArtist,
    ids::kTrackColumnLength, ids::kTrackColumnFrames, ids::kTrackColumnExtraInfo};
struct MenuItem {
    TrackList::Column column;
    int labelId;
};
constexpr std::array<MenuItem, TrackList::ColumnCount> kMenu = {{
    {TrackList::Title, ids::kTrackMenuTitle},
    {TrackList::Number, ids::kTrackMenuNumber},
    {TrackList::Artist, ids::kTrackMenuArtist},
    {TrackList::Length, ids::kTrackMenuLength},
    {TrackList::Frames, ids::kTrackMenuFrames},
    {TrackList::ExtraInfo, ids::kTrackMenuExtraInfo},
}};

}  // namespace

TrackList::TrackList(base::SettingsStore& settings, QWidget* parent)
    : QTreeWidget(parent),
      settings_(settings),
      header_(new ColumnHeader(trackColumnDefaults(), this)) {
    setObjectName(QStringLiteral("trackList"));
    nameControl(*this, ids::kNameTracks);
    setColumnCount(ColumnCount);
    setHeader(header_);
    QStringList labels;
    for (int id : kHeaderIds)
        labels << text(id);
    setHeaderLabels(labels);
    header_->restoreLayout(settings_, kLayoutSection, kLayoutSet);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    header_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { showHeaderMenu(header_->mapToGlobal(pos)); });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (!filling_)
            Q_EMIT trackEdited(indexOfTopLevelItem(item), column, item->text(column));
    });
}

TrackList::~TrackList() {
    header_->saveLayout(settings_, kLayoutSection, kLayoutSet);
}

void TrackList::showAlbum(const freedb::AlbumInfo* album) {
    filling_ = true;
    clear();
    if (album) {
        for (std::size_t i = 0; i < album->trackCount(); ++i) {
            const freedb::AlbumTrack& track = album->track(i);
            auto* item = new QTreeWidgetItem(this);
            item->setText(Number, QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')));
            item->setText(Title, qs(track.title()));
            item->setText(Artist, qs(track.artist()));
            if (track.hasFrameOffset()) {
                item->setText(Length, qs(album->trackLengthText(i)));
                item->setText(Frames, QString::number(album->trackLength(i)));
            }
            item->setText(ExtraInfo, qs(track.extraData()));
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
    }
    filling_ = false;
}

void TrackList::editCurrent(Column column) {
    if (QTreeWidgetItem* item = currentItem()) {
        scrollToItem(item);
        editItem(item, column);
    }
}

bool TrackList::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const int column = index.column();
    if (column != Title && column != Artist && column != ExtraInfo)
        return false;
    return QTreeWidget::edit(index, trigger, event);
}

void TrackList::showHeaderMenu(const QPoint& globalPos) {
    QMenu menu(this);
    for (const MenuItem& item : kMenu) {
        const int column = item.column;
        QAction* action = menu.addAction(text(item.labelId));
        action->setCheckable(true);
        action->setChecked(!header_->isSectionHidden(column));
        connect(action, &QAction::toggled, this,
                [this, column](bool on) { header_->setColumnVisible(column, on); });
    }
    menu.exec(globalPos);
}

}  // namespace tw::gui
