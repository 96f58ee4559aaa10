#pragma once

#include "core/file_list.h"

namespace tw::core {

// The tag commands that act on every file of the selection chain. They change the records
// in memory only and leave them dirty; saveAll() writes them.

// Numbers the chain 1, 2, 3 ... in both tags; the ID3v2 tag also gets the chain length as
// its total, so it is written as "n/total".
void setNumbering(FileList& list);
// Empties the track numbers (and the ID3v2 total) of both tags.
void removeNumbering(FileList& list);

// fillV1FromV2 / fillV2FromV1 without overwriting, for each file of the chain.
void fillV1FromV2Selected(FileList& list);
void fillV2FromV1Selected(FileList& list);

// clearFields on the ID3v1 (ID3v2) tag of each file of the chain. True when some file
// changed, so the views know whether to redraw.
bool clearV1Selected(FileList& list);
bool clearV2Selected(FileList& list);

}  // namespace tw::core
