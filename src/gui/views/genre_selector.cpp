// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/genre_selector.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

#include "core/genre_table.h"
#include "gui/qt_text.h"
#include "gui/views/list_choice_only.h"

namespace tw::gui {

GenreSelector::GenreSelector(QWidget* parent) : QComboBox(parent) {
    addItem(QString());
    for (const core::GenreEntry& entry : core::GenreTable::entries())
        addItem(qs(entry.name));
    setMaxVisibleItems(20);
    setInsertPolicy(QComboBox::NoInsert);
    changeOnlyByListChoice(*this);
    // In the editable box "activated" also comes when the focus leaves a text that matches
    // an entry; only a change of the text counts there.
    connect(this, &QComboBox::activated, this, [this](int entry) {
        if (!isEditable())
            Q_EMIT genreChosen(genreAt(entry));
    });
    connect(this, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (showing_)
            return;
        lineEdit()->setPlaceholderText(QString());
        Q_EMIT genreTyped(text);
    });
}

void GenreSelector::setTextGenres(bool textGenres) {
    if (textGenres == isEditable())
        return;
    const QScopedValueRollback guard(showing_, true);
    setEditable(textGenres);
    // Completion would change the text while it is typed, and every change is written into
    // the selected files at once.
    if (textGenres)
        setCompleter(nullptr);
}

std::int32_t GenreSelector::genre() const {
    return genreAt(currentIndex());
}

void GenreSelector::setGenre(std::int32_t number) {
    showGenre(number, QString());
}

void GenreSelector::showGenre(std::int32_t number, const QString& freeGenre) {
    const QScopedValueRollback guard(showing_, true);
    if (!isEditable()) {
        setCurrentIndex(entryOf(number));
        return;
    }
    lineEdit()->setPlaceholderText(QString());
    const QString shown = textOf(number, freeGenre);
    if (currentText() != shown)
        setEditText(shown);
}

void GenreSelector::showPlaceholder(const QString& placeholder) {
    const QScopedValueRollback guard(showing_, true);
    if (!isEditable()) {
        setPlaceholderText(placeholder);
        setCurrentIndex(-1);
        return;
    }
    setEditText(QString());
    lineEdit()->setPlaceholderText(placeholder);
}

QString GenreSelector::placeholder() const {
    return isEditable() ? lineEdit()->placeholderText() : placeholderText();
}

bool GenreSelector::event(QEvent* event) {
    // The text's own undo would bring back the empty text that stands for differing values
    // and write it into every selected file; the keys go on to the window's Undo and Redo.
    if (event->type() == QEvent::ShortcutOverride && isEditable()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
            return true;
    }
    return QComboBox::event(event);
}

QString GenreSelector::textOf(std::int32_t number, const QString& freeGenre) {
    if (!freeGenre.isEmpty())
        return freeGenre;
    const auto position = core::GenreTable::positionOf(number);
    return position ? qs(core::GenreTable::entries()[*position].name) : QString();
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
