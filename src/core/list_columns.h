// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <span>

#include "base/string_ids.h"

namespace tw::core {

// The columns of the file list and the tag fields they show. Each id is also the command
// id of the column's show/hide menu item, so a menu, a stored layout and the list name a
// column by the same number.
enum class TagFieldId : int {
    Filename = base::ids::kCmdColumnFilename,
    FileSize = base::ids::kCmdColumnFileSize,
    Created = base::ids::kCmdColumnCreated,
    Changed = base::ids::kCmdColumnChanged,
    PlayTime = base::ids::kCmdColumnPlayTime,
    Bitrate = base::ids::kCmdColumnBitrate,
    Channels = base::ids::kCmdColumnChannels,
    Title = base::ids::kCmdColumnTitle,
    Track = base::ids::kCmdColumnTrack,
    Artist = base::ids::kCmdColumnArtist,
    Album = base::ids::kCmdColumnAlbum,
    Comments = base::ids::kCmdColumnComments,
    Genre = base::ids::kCmdColumnGenre,
    Lyrics = base::ids::kCmdColumnLyrics,
    Year = base::ids::kCmdColumnYear,
    Picture = base::ids::kCmdColumnPicture,
    Composer = base::ids::kCmdColumnComposer,
    Url = base::ids::kCmdColumnUrl,
    Publisher = base::ids::kCmdColumnPublisher,
    Copyright = base::ids::kCmdColumnCopyright,
    EncodedBy = base::ids::kCmdColumnEncodedBy,
    OrigArtist = base::ids::kCmdColumnOrigArtist,
    Folder = base::ids::kCmdColumnFolder,
};

enum class ColumnAlign { Left, Right, Center };

// One column as the list creates it; the user's order, widths and visibility are kept by
// the list widget, these are the defaults.
struct ListColumn {
    TagFieldId id;
    int titleId;    // string id of the header title
    bool visible;   // shown by default
    bool editable;  // can be edited in place (while editing in the list is allowed)
    ColumnAlign align;
    int width;     // default width in pixels
    int maxWidth;  // widest the column may be made
    int position;  // default place from the left
};

inline constexpr int kListColumnCount = 23;
inline constexpr int kListColumnMinWidth = 10;

// The columns in their creation (model) order: "Filename" is column 0 although "#" is
// shown first, then "#", "File size", ... "Picture", and "Folder" (hidden until sub-folders
// are first listed) last, so layouts stored before it keep their places.
std::span<const ListColumn> listColumns();

// The model index of a column id, or -1 for a number that names no column.
int columnIndex(TagFieldId id);
int columnIndexOfCommand(int commandId);

}  // namespace tw::core
