// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QToolBar>

#include "freedb/cddb_http_connection.h"
#include "freedb/search_history.h"

class QCheckBox;
class QComboBox;

namespace tw::base {
class SettingsStore;
}

namespace tw::gui {

// The search bar of the album window: the words with the history of earlier searches (disc
// ids marked by an icon), the four switches of the fields to search and the search button.
// The switches are kept as "SearchInArtists", "SearchInTitles", "SearchInTrackTitles" and
// "SearchInTrackExtras", the history in "FreeDB\SearchHistory".
//
// Owns its widgets; borrows the settings store.
class SearchBar : public QToolBar {
    Q_OBJECT
public:
    // Entries of the history that are disc ids carry true in this item data role.
    static constexpr int kDiscIdRole = Qt::UserRole + 1;

    explicit SearchBar(base::SettingsStore& settings, QWidget* parent = nullptr);
    ~SearchBar() override;

    freedb::SearchFields fields() const;
    QComboBox& wordsBox() const { return *words_; }

Q_SIGNALS:
    // The user asked for a search of these words (already put at the top of the history).
    void searchRequested(const QString& words, const freedb::SearchFields& fields);

private:
    void search();
    void showHistory();

    base::SettingsStore& settings_;
    freedb::SearchHistory history_;
    QComboBox* words_;
    QCheckBox* artists_;
    QCheckBox* titles_;
    QCheckBox* trackTitles_;
    QCheckBox* trackExtras_;
};

}  // namespace tw::gui
