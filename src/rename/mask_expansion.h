// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rename/case_conversion.h"

namespace tw::base {
class SettingsStore;
}
namespace tw::core {
struct AudioFile;
}

namespace tw::rename {

struct SymbolTable;

// The "<counter>" settings of a mask list: the number is the file's 1-based position plus
// `start`, written with at least `length` digits (clamped to 1..6).
struct CounterSettings {
    std::int32_t start = 0;
    std::int32_t length = 1;
};

// Where one file stands in the run: its index in the FileList ("<filenumber>") and its
// 1-based position among the files processed ("<counter>").
struct FilePlace {
    int fileIndex = 0;
    int position = 1;
};

// A tag value as it may enter a name: "\" and "/" both become "/", which the symbol table
// treats as a character a file name cannot hold (so a value never adds a folder part), and
// control characters become spaces.
std::string nameSafeValue(std::string value);

// The length of the folders a mask begins with that are the user's own path rather than a
// name to clean: its run of "..\" or, for an absolute mask (one that begins with "\"), the
// folders before its first token. The symbol table would make "..\" a "." and spoil a real
// folder's name (its "_" or ".."), so expansion keeps them as written.
std::size_t fixedFolderLength(std::string_view mask);

// The text of "<counter>" for a file at `position`.
std::string counterText(int position, CounterSettings counter);
// The text of "<number>": empty for 0 (or less), two digits for 1 to 9, else plain decimal.
std::string trackNumberText(std::int32_t number);

// Why a mask gave a file no name.
enum class NameRefusal {
    None,
    Empty,                 // the mask expands to nothing
    NoValues,              // every field the mask names is empty for the file
    TooLong,               // longer than any file system allows
    LeavesAllowedFolders,  // a ".." part beyond the mask's leading "..\\" run
};

// A mask expanded for one file: the name, or the reason there is none.
struct Expansion {
    std::string name;  // empty when refused
    NameRefusal refusal = NameRefusal::None;
};

// The new name of `file`, relative to the work folder and with its extension, made from
// `mask`: the tokens replaced by the file's values in a fixed order (a value holding a later
// token's text is expanded again by it), ".mp3" added when missing, `table` and `caseMode`
// applied. "\" in the mask makes a folder part and a leading "..\" goes one folder up; a
// mask that begins with "\" names an absolute folder. The leading "..\" run and the absolute
// folders before the first token are kept as written (no symbol table, no case change).
//
// Values cannot add folder parts: a "\" or "/" in a tag value is taken as "/", which the
// table's "/" pair cleans like any character a file name cannot hold, and whatever "/" is
// left at the end becomes "-". Control characters in values become spaces. Empty when the
// mask gives nothing, when the name would be longer than any file system allows, or when
// it would leave the folders the mask allows (a ".." part beyond its leading "..\" run);
// renaming to an empty name fails, so such a file is reported, never moved.
std::string ExpandMask(const core::AudioFile& file, std::string_view mask, FilePlace place,
                       CounterSettings counter, CaseMode caseMode, const SymbolTable& table);
// The same, saying why when there is no name.
Expansion expandMaskChecked(const core::AudioFile& file, std::string_view mask, FilePlace place,
                            CounterSettings counter, CaseMode caseMode, const SymbolTable& table);
// The same with the table "SymbolReplacementTagToFilename" read from `store`.
std::string ExpandMask(const core::AudioFile& file, std::string_view mask, FilePlace place,
                       CounterSettings counter, CaseMode caseMode,
                       const base::SettingsStore& store);

}  // namespace tw::rename
