// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

#include "core/file_list.h"
#include "core/list_columns.h"

namespace tw::core {

// Compares two texts in natural order: <0, 0 or >0. A run of digits compares with another
// by its value ("2" < "10" < "200"); everything else byte by byte, so upper-case letters come
// before lower-case ones, unless `ignoreCase` folds the ASCII letters. Texts that compare
// equal so ("01" and "1", or "A" and "a" when folding) are ordered by their bytes, so the
// answer is 0 only for equal texts.
int compareNatural(std::string_view a, std::string_view b, bool ignoreCase = false);

// The order in which a folder's files are listed when it is read: natural order of their
// names, letter case aside. Full paths of one folder may be compared as well.
bool listsBefore(std::string_view a, std::string_view b);

// Compares two records by the key of `column`: <0, 0 or >0. Texts compare in natural order
// (compareNatural: "64 kbps" before "128 kbps", upper-case letters before lower-case);
// numbers as numbers. Picture has no key: every record is equal.
int compareByColumn(const AudioFile& a, const AudioFile& b, TagFieldId column);

// Sorts the records of the list by `column`. Records with equal keys keep their order, so
// sorting by one column and then another orders by the second and then the first. The
// selection stays with the records.
void sortFileList(FileList& list, TagFieldId column, bool ascending);

}  // namespace tw::core
