// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QTreeWidget>

namespace tw::base {
class SettingsStore;
}

namespace tw::freedb {
class AlbumInfo;
}

namespace tw::gui {

class ColumnHeader;

// The tracks of the album shown in the album window: number, title, artist, length, frames
// and extra text. The user shows and hides columns from the header's menu and resizes them;
// the layout is kept in "FreeDB\TrackList". Title, artist and extra text are edited in
// place; an edit the user makes is reported with trackEdited, a fill by the program is not.
//
// Owns its items and header (Qt). Knows nothing of the album once it is shown.
class TrackList : public QTreeWidget {
    Q_OBJECT
public:
    enum Column { Number, Title, Artist, Length, Frames, ExtraInfo, ColumnCount };

    TrackList(base::SettingsStore& settings, QWidget* parent = nullptr);
    ~TrackList() override;

    // Shows the album's tracks; null shows none.
    void showAlbum(const freedb::AlbumInfo* album);
    // Starts editing the current track's field in `column` (Title, Artist or ExtraInfo).
    void editCurrent(Column column);
    bool hasCurrentTrack() const { return currentItem() != nullptr; }

    // The header's menu: a check item per column.
    void showHeaderMenu(const QPoint& globalPos);

Q_SIGNALS:
    void trackEdited(int track, int column, const QString& text);

protected:
    // Only the title, the artist and the extra text are edited.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    base::SettingsStore& settings_;
    ColumnHeader* header_;
    bool filling_ = false;
};

}  // namespace tw::gui
