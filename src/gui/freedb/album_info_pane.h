// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace tw::freedb {
class AlbumInfo;
}

namespace tw::gui {

// The info area of the album window: artist, title, year, category, disc id, disc length
// and the disc's extra text of the album shown.
//
// Owns its widgets.
class AlbumInfoPane : public QWidget {
    Q_OBJECT
public:
    explicit AlbumInfoPane(QWidget* parent = nullptr);

    // Null empties every field.
    void showAlbum(const freedb::AlbumInfo* album);

private:
    QLabel* addRow(const QString& label, const QString& name);

    QLabel* artist_;
    QLabel* title_;
    QLabel* year_;
    QLabel* category_;
    QLabel* discId_;
    QLabel* length_;
    QLabel* extra_;
};

}  // namespace tw::gui
