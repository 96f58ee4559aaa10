// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "core/file_list.h"

namespace tw::core {

// The tag commands that act on every file of the selection chain. They change the records
// in memory only and leave them dirty; saveAll() writes them.

// How the chain is numbered: from `start`, and with `withTotal` the ID3v2 tag gets the last
// number as its total (written as "n/total"), else no total.
struct Numbering {
    std::int32_t start = 1;
    bool withTotal = true;
};

// Numbers the chain start, start + 1 ... in both tags (the window's command: 1, 2, 3 ...
// with the chain length as the ID3v2 total).
void setNumbering(FileList& list, const Numbering& numbering = {});
// Empties the track numbers (and the ID3v2 total) of both tags.
void removeNumbering(FileList& list);

// fillV1FromV2 / fillV2FromV1 without overwriting, for each file of the chain. These and the
// numbering leave out the ID3v1 tag of files that cannot hold one (format_tags.h).
void fillV1FromV2Selected(FileList& list);
void fillV2FromV1Selected(FileList& list);

// clearFields on the ID3v1 (ID3v2) tag of each file of the chain (an ID3v2 tag cleared also
// loses its pictures). True when some file changed, so the views know whether to redraw.
bool clearV1Selected(FileList& list);
bool clearV2Selected(FileList& list);

// The files of the chain that hold no ID3v1 tag, which the ID3v1 commands leave out.
int selectedWithoutId3v1(const FileList& list);

}  // namespace tw::core
