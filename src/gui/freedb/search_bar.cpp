// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/search_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

#include "base/settings_store.h"
#include "base/string_ids.h"
#include "gui/common/accessible_names.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

constexpr const char* kSection = "FreeDB";

QCheckBox* makeSwitch(QToolBar& bar, int labelId, const QString& name, bool on) {
    auto* box = new QCheckBox(text(labelId), &bar);
    box->setObjectName(name);
    box->setChecked(on);
    bar.addWidget(box);
    return box;
}

}  // namespace

SearchBar::SearchBar(base::SettingsStore& settings, QWidget* parent)
    : QToolBar(parent),
      settings_(settings),
      history_(freedb::SearchHistory::load(settings)),
      words_(new QComboBox(this)) {
    setObjectName(QStringLiteral("searchBar"));
    words_->setObjectName(QStringLiteral("searchText"));
    nameControl(*words_, ids::kAlbumTabSearch);
    words_->setEditable(true);
    words_->setInsertPolicy(QComboBox::NoInsert);
    words_->setMinimumContentsLength(24);
    addWidget(words_);
    showHistory();
    words_->setEditText(QString());
    artists_ = makeSwitch(*this, ids::kSearchInArtist, QStringLiteral("searchArtists"),
                          settings_.getInt(kSection, "SearchInArtists", 1) != 0);
    titles_ = makeSwitch(*this, ids::kSearchInAlbum, QStringLiteral("searchTitles"),
                         settings_.getInt(kSection, "SearchInTitles", 1) != 0);
    trackTitles_ = makeSwitch(*this, ids::kSearchInTrackTitle, QStringLiteral("searchTracks"),
                              settings_.getInt(kSection, "SearchInTrackTitles", 0) != 0);
    trackExtras_ = makeSwitch(*this, ids::kSearchInExtraInfo, QStringLiteral("searchExtras"),
                              settings_.getInt(kSection, "SearchInTrackExtras", 0) != 0);
    auto* go = new QToolButton(this);
    go->setObjectName(QStringLiteral("searchButton"));
    go->setText(text(ids::kSearchButton));
    go->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    go->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addWidget(go);
    connect(go, &QToolButton::clicked, this, &SearchBar::search);
    connect(words_->lineEdit(), &QLineEdit::returnPressed, this, &SearchBar::search);
}

SearchBar::~SearchBar() {
    settings_.setInt(kSection, "SearchInArtists", artists_->isChecked());
    settings_.setInt(kSection, "SearchInTitles", titles_->isChecked());
    settings_.setInt(kSection, "SearchInTrackTitles", trackTitles_->isChecked());
    settings_.setInt(kSection, "SearchInTrackExtras", trackExtras_->isChecked());
}

freedb::SearchFields SearchBar::fields() const {
    return {artists_->isChecked(), titles_->isChecked(), trackTitles_->isChecked(),
            trackExtras_->isChecked()};
}

void SearchBar::search() {
    const QString words = words_->currentText().trimmed();
    if (words.isEmpty())
        return;
    history_.push(utf8(words));
    history_.save(settings_);
    showHistory();
    words_->setEditText(words);
    Q_EMIT searchRequested(words, fields());
}

void SearchBar::showHistory() {
    const QString typed = words_->currentText();
    words_->clear();
    for (const freedb::SearchHistory::Entry& entry : history_.entries()) {
        if (entry.isDiscId)
            words_->addItem(style()->standardIcon(QStyle::SP_DriveCDIcon), qs(entry.text));
        else
            words_->addItem(qs(entry.text));
        words_->setItemData(words_->count() - 1, entry.isDiscId, kDiscIdRole);
    }
    words_->setEditText(typed);
}

}  // namespace tw::gui
