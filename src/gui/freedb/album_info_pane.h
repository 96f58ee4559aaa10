// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace tw::freedb {
class AlbumInfo;
}

namespace tw::gui {

class ElidedLabel;

// The info area of the album window: artist, title, year, category, disc id, disc length
// and the disc's extra text of the album shown. Its fields never widen the window: the
// one-line ones elide, the extra text wraps.
//
// Owns its widgets.
class AlbumInfoPane : public QWidget {
    Q_OBJECT
public:
    explicit AlbumInfoPane(QWidget* parent = nullptr);

    // Null empties every field.
    void showAlbum(const freedb::AlbumInfo* album);

private:
    ElidedLabel* addRow(const QString& label, const QString& name);

    ElidedLabel* artist_;
    ElidedLabel* title_;
    ElidedLabel* year_;
    ElidedLabel* category_;
    ElidedLabel* discId_;
    ElidedLabel* length_;
    QLabel* extra_;
};

}  // namespace tw::gui
