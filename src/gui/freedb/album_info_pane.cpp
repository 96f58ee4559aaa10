// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/album_info_pane.h"

#include <QFormLayout>
#include <QLabel>

#include "base/string_ids.h"
#include "freedb/album_info.h"
#include "gui/freedb/elided_label.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

QString labelOf(int id) {
    return text(id) + QLatin1Char(':');
}

}  // namespace

AlbumInfoPane::AlbumInfoPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("infoPane"));
    new QFormLayout(this);
    artist_ = addRow(labelOf(ids::kTrackColumnArtist), QStringLiteral("infoArtist"));
    title_ = addRow(labelOf(ids::kTrackColumnTitle), QStringLiteral("infoTitle"));
    year_ = addRow(text(ids::kAlbumYearLabel), QStringLiteral("infoYear"));
    category_ = addRow(text(ids::kAlbumCategoryLabel), QStringLiteral("infoCategory"));
    discId_ = addRow(text(ids::kAlbumDiskIdLabel), QStringLiteral("infoDiscId"));
    length_ = addRow(text(ids::kAlbumDiskLengthLabel), QStringLiteral("infoLength"));
    extra_ = new QLabel(this);
    extra_->setObjectName(QStringLiteral("infoExtra"));
    extra_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    extra_->setTextFormat(Qt::PlainText);
    extra_->setWordWrap(true);
    // A word longer than the room is cut rather than widening the window.
    extra_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    static_cast<QFormLayout*>(layout())->addRow(labelOf(ids::kTrackColumnExtraInfo), extra_);
}

ElidedLabel* AlbumInfoPane::addRow(const QString& label, const QString& name) {
    auto* value = new ElidedLabel(this);
    value->setObjectName(name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    static_cast<QFormLayout*>(layout())->addRow(label, value);
    return value;
}

void AlbumInfoPane::showAlbum(const freedb::AlbumInfo* album) {
    const auto show = [album](ElidedLabel* field, auto get) {
        field->setFullText(album ? qs(get(*album)) : QString());
    };
    show(artist_, [](const freedb::AlbumInfo& a) { return a.artist(); });
    show(title_, [](const freedb::AlbumInfo& a) { return a.title(); });
    show(year_, [](const freedb::AlbumInfo& a) { return a.year(); });
    show(category_, [](const freedb::AlbumInfo& a) { return a.category(); });
    show(discId_, [](const freedb::AlbumInfo& a) { return a.discId(); });
    show(length_, [](const freedb::AlbumInfo& a) { return a.lengthText(); });
    extra_->setText(album ? qs(album->extendedData()) : QString());
}

}  // namespace tw::gui
