// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/genre_selector.h"

#include "core/genre_table.h"
#include "gui/qt_text.h"
#include "gui/views/list_choice_only.h"

namespace tw::gui {

GenreSelector::GenreSelector(QWidget* parent) : QComboBox(parent) {
    addItem(QString());
    for (const core::GenreEntry& entry : core::GenreTable::entries())
        addItem(qs(entry.name));
    setMaxVisibleItems(20);
    changeOnlyByListChoice(*this);
    connect(this, &QComboBox::activated, this,
            [this](int entry) { Q_EMIT genreChosen(genreAt(entry)); });
}

std::int32_t GenreSelector::genre() const {
    return genreAt(currentIndex());
}

void GenreSelector::setGenre(std::int32_t number) {
    setCurrentIndex(entryOf(number));
}

void GenreSelector::showPlaceholder(const QString& placeholder) {
    setPlaceholderText(placeholder);
    setCurrentIndex(-1);
}

std::int32_t GenreSelector::genreAt(int entry) {
    const auto entries = core::GenreTable::entries();
    if (entry < 1 || entry > static_cast<int>(entries.size()))
        return -1;
    return entries[static_cast<std::size_t>(entry - 1)].number;
}

int GenreSelector::entryOf(std::int32_t number) {
    const auto position = core::GenreTable::positionOf(number);
    return position ? static_cast<int>(*position) + 1 : 0;
}

}  // namespace tw::gui
