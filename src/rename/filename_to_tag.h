// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rename/case_conversion.h"

namespace tw::base {
class SettingsStore;
}
namespace tw::core {
struct AudioFile;
}

namespace tw::rename {

class MaskPattern;
struct SymbolTable;

// How FillTagsFromName writes: `overwrite` lets it replace fields that hold a value (else it
// only fills empty ones); `writeV1` and `writeV2` choose the tags; `caseMode` converts each
// value read from the name.
struct FillOptions {
    bool overwrite = false;
    bool writeV1 = true;
    bool writeV2 = true;
    CaseMode caseMode = CaseMode::AsIs;
};

// The values a mask reads out of a base name, one per slot of `pattern`, each cleaned with
// `table` and converted by `caseMode`. Cleaning applies every pair in order between trims
// of white space and commas at both ends (an empty table leaves the value untrimmed);
// repeated replacement is bounded by growthLimit of the value's length.
std::vector<std::string> readNameValues(std::string_view baseName, const MaskPattern& pattern,
                                        const SymbolTable& table, CaseMode caseMode);

// Fills the fields of `file` from its base name by `mask`, in memory only: each field the
// mask names, in each chosen tag, takes the value read for it unless it already holds that
// text, or holds a value and `overwrite` is off; a year needs a leading number other than
// 0. A tag that is not present is created. The composer goes to ID3v2 only. A genre is a
// name of the genre table, but any text where the file holds its genre as text (text_genre.h).
// True when any field was set.
bool FillTagsFromName(core::AudioFile& file, std::string_view mask, const FillOptions& options,
                      const SymbolTable& table);
// The same with the table "SymbolReplacementFilenameToTag" read from `store`.
bool FillTagsFromName(core::AudioFile& file, std::string_view mask, const FillOptions& options,
                      const base::SettingsStore& store);

}  // namespace tw::rename
