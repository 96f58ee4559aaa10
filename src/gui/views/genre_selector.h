// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QComboBox>
#include <cstdint>

namespace tw::gui {

// The genre drop-down of the tag tabs and the file information window: one empty entry,
// then the 128 names of the GenreTable in table order. Entry k (k >= 1) stands for the
// number of table entry k-1, the empty entry for -1 (no genre).
class GenreSelector : public QComboBox {
    Q_OBJECT
public:
    explicit GenreSelector(QWidget* parent = nullptr);

    // The number of the chosen entry; -1 for the empty one.
    std::int32_t genre() const;
    // Chooses the entry of a number of 0..127; any other number shows the empty entry.
    void setGenre(std::int32_t number);
    // Chooses no entry: the placeholder text shows (the selected files differ).
    void showPlaceholder(const QString& placeholder);

    static std::int32_t genreAt(int entry);
    static int entryOf(std::int32_t number);

Q_SIGNALS:
    // The user chose an entry (not reported for setGenre).
    void genreChosen(std::int32_t number);
};

}  // namespace tw::gui
