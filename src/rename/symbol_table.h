// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw::base {
class SettingsStore;
}

namespace tw::rename {

// The settings keys of the symbol tables in use, each a section at the settings root.
inline constexpr std::string_view kTagToFilenameTable = "SymbolReplacementTagToFilename";
inline constexpr std::string_view kFilenameToTagTable = "SymbolReplacementFilenameToTag";
// The table the mask editor edits when no dialog has named one.
inline constexpr std::string_view kUnnamedEditorTable = "SymbolReplacementID3toTag";
// The table of the export sheet's symbol page.
inline constexpr std::string_view kExportTable = "SymbolReplacement";

// One replacement rule: every `search` becomes `replacement` (which may be empty).
struct SymbolPair {
    std::string search;
    std::string replacement;

    bool operator==(const SymbolPair&) const = default;
};

// An ordered list of replacement rules that cleans generated names and parsed values.
// Tables are plain values; the settings store is their only home, and every use reads the
// table afresh (see ApplySymbolTable).
struct SymbolTable {
    std::vector<SymbolPair> pairs;

    // The thirteen pairs every table has until the user saves one of their own.
    static SymbolTable defaults();

    // Reads the table stored under `key`: the defaults when "ItemsCount" is absent,
    // otherwise that many pairs, a missing text read as "NODATA". Counts below 0 give an
    // empty table and counts above kMaxPairs are read as kMaxPairs, so a damaged store
    // cannot make loading hang.
    static SymbolTable load(const base::SettingsStore& store, std::string_view key);

    // Writes the pairs as "Search%u" / "Replace%u" and then "ItemsCount". Values of higher
    // indexes from an earlier, longer table stay and are ignored.
    void save(base::SettingsStore& store, std::string_view key) const;

    static constexpr int kMaxPairs = 1000;

    bool operator==(const SymbolTable&) const = default;
};

// The editor's way of showing a pair text: every space as "[space]", and back.
std::string toDisplayForm(std::string_view text);
std::string fromDisplayForm(std::string_view text);

// Cleans a generated name with `table`: each pair in order (a pair searching for "\" is
// skipped, so folder separators survive) between trims of the spaces at both ends; then
// leading spaces, trailing spaces, dots and spaces again are trimmed and every "\\"
// collapses to "\". Repeated replacement is bounded by growthLimit of the text's length.
std::string ApplySymbolTable(std::string_view text, const SymbolTable& table);
// The same with the table read from `store` under `key`.
std::string ApplySymbolTable(std::string_view text, const base::SettingsStore& store,
                             std::string_view key);

// The hand-off of the table key to the mask editor: section "Templates", value
// "RegSymbolReplacementAddress". Dialogs write their key before they open the editor;
// the editor reads it, with kUnnamedEditorTable when none was written.
void setEditedSymbolTable(base::SettingsStore& store, std::string_view key);
std::string editedSymbolTable(const base::SettingsStore& store);

}  // namespace tw::rename
