#pragma once

#include "core/file_list.h"
#include "core/list_columns.h"

namespace tw::core {

// Compares two records by the key of `column`: <0, 0 or >0. Texts compare byte by byte
// (upper-case letters before lower-case, "128 kbps" before "64 kbps"); numbers as
// numbers. Picture has no key: every record is equal.
int compareByColumn(const AudioFile& a, const AudioFile& b, TagFieldId column);

// Sorts the records of the list by `column`. Records with equal keys keep their order, so
// sorting by one column and then another orders by the second and then the first. The
// selection stays with the records.
void sortFileList(FileList& list, TagFieldId column, bool ascending);

}  // namespace tw::core
