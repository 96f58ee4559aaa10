// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/list_columns.h"

#include <array>

namespace tw::core {

namespace {

namespace ids = base::ids;
using A = ColumnAlign;
using F = TagFieldId;

constexpr std::array<ListColumn, kListColumnCount> kColumns = {{
    {F::Filename, ids::kListColumnFilename, true, true, A::Left, 200, 300, 1},
    {F::Track, ids::kListColumnTrack, true, true, A::Right, 30, 100, 0},
    {F::FileSize, ids::kListColumnFileSize, false, false, A::Center, 100, 300, 2},
    {F::Created, ids::kListColumnCreated, false, false, A::Center, 100, 300, 3},
    {F::Changed, ids::kListColumnChanged, false, false, A::Center, 100, 300, 4},
    {F::PlayTime, ids::kListColumnPlayTime, false, false, A::Center, 70, 300, 5},
    {F::Bitrate, ids::kListColumnBitrate, false, false, A::Left, 100, 300, 6},
    {F::Channels, ids::kListColumnChannels, false, false, A::Left, 100, 300, 7},
    {F::Title, ids::kListColumnTitle, true, true, A::Left, 100, 300, 8},
    {F::Artist, ids::kListColumnArtist, true, true, A::Left, 100, 300, 9},
    {F::Album, ids::kListColumnAlbum, true, true, A::Left, 100, 300, 10},
    {F::Year, ids::kListColumnYear, false, true, A::Left, 50, 100, 11},
    {F::Comments, ids::kListColumnComments, false, true, A::Left, 100, 300, 12},
    {F::Genre, ids::kListColumnGenre, false, false, A::Left, 70, 100, 13},
    {F::Composer, ids::kListColumnComposer, false, true, A::Left, 70, 300, 14},
    {F::Url, ids::kListColumnUrl, false, true, A::Left, 70, 300, 15},
    {F::Publisher, ids::kListColumnPublisher, false, true, A::Left, 70, 300, 16},
    {F::Copyright, ids::kListColumnCopyright, false, true, A::Left, 70, 300, 17},
    {F::EncodedBy, ids::kListColumnEncodedBy, false, true, A::Left, 70, 300, 18},
    {F::OrigArtist, ids::kListColumnOrigArtist, false, true, A::Left, 70, 300, 19},
    {F::Lyrics, ids::kListColumnLyrics, false, false, A::Left, 70, 300, 20},
    {F::Picture, ids::kListColumnPicture, false, false, A::Left, 70, 300, 21},
    {F::Folder, ids::kListColumnFolder, false, false, A::Left, 150, 600, 22},
}};

}  // namespace

std::span<const ListColumn> listColumns() {
    return kColumns;
}

int columnIndex(TagFieldId id) {
    for (std::size_t i = 0; i < kColumns.size(); ++i)
        if (kColumns[i].id == id)
            return static_cast<int>(i);
    return -1;
}

int columnIndexOfCommand(int commandId) {
    return columnIndex(static_cast<TagFieldId>(commandId));
}

}  // namespace tw::core
