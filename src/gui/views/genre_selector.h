// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QComboBox>
#include <cstdint>

namespace tw::gui {

// The genre drop-down of the tag tabs and the file information window: one empty entry,
// then the 128 names of the GenreTable in table order. Entry k (k >= 1) stands for the
// number of table entry k-1, the empty entry for -1 (no genre).
//
// For files whose tags hold the genre as text (setTextGenres) the box is editable: any text
// typed is a genre, and an entry of the list is its name. Its changes are reported like a
// tag field's: typing, pasting or choosing from the open list, never what the program shows,
// and its Undo and Redo keys are the window's.
class GenreSelector : public QComboBox {
    Q_OBJECT
public:
    explicit GenreSelector(QWidget* parent = nullptr);

    // Makes the box editable for genres as text, or the fixed list again.
    void setTextGenres(bool textGenres);
    bool textGenres() const { return isEditable(); }

    // The number of the chosen entry; -1 for the empty one (the fixed list).
    std::int32_t genre() const;
    // Chooses the entry of a number of 0..127; any other number shows the empty entry.
    void setGenre(std::int32_t number);
    // Shows a genre: a free genre as its text where the box takes text, else the number's
    // entry. A text already shown stays untouched, so the cursor does not jump.
    void showGenre(std::int32_t number, const QString& freeGenre);
    // Chooses no entry: the placeholder text shows (the selected files differ).
    void showPlaceholder(const QString& placeholder);
    QString placeholder() const;

    // The text the editable box shows for a genre.
    static QString textOf(std::int32_t number, const QString& freeGenre);
    static std::int32_t genreAt(int entry);
    static int entryOf(std::int32_t number);

Q_SIGNALS:
    // The user chose an entry of the fixed list (not reported for setGenre).
    void genreChosen(std::int32_t number);
    // The user changed the text of the editable box.
    void genreTyped(const QString& text);

protected:
    bool event(QEvent* event) override;

private:
    bool showing_ = false;  // the program is changing what the box shows
};

}  // namespace tw::gui
