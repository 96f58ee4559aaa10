// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/symbol_table.h"

#include <algorithm>

#include "base/settings_store.h"
#include "rename/bounded_replace.h"

namespace tw::rename {

namespace {

constexpr std::string_view kItemsCount = "ItemsCount";
constexpr std::string_view kMissingText = "NODATA";
constexpr std::string_view kSpaceDisplay = "[space]";
constexpr std::string_view kHandOffSection = "Templates";
constexpr std::string_view kHandOffValue = "RegSymbolReplacementAddress";

// "Search%u" / "Replace%u" for index i.
std::string indexedName(std::string_view prefix, int index) {
    return std::string(prefix) + std::to_string(index);
}

std::string replaceAll(std::string_view text, std::string_view search,
                       std::string_view replacement) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t hit = text.find(search); hit != std::string_view::npos;
         hit = text.find(search, from)) {
        out.append(text.substr(from, hit - from));
        out.append(replacement);
        from = hit + search.size();
    }
    out.append(text.substr(from));
    return out;
}

}  // namespace

SymbolTable SymbolTable::defaults() {
    return SymbolTable{{
        {"%20", " "},
        {"_", " "},
        {"  ", " "},
        {"..", "."},
        {"*", "x"},
        {"\\", "-"},
        {"/", "-"},
        {"?", "."},
        {"\"", "'"},
        {"|", "l"},
        {"<", "["},
        {">", "]"},
        {":", "-"},
    }};
}

SymbolTable SymbolTable::load(const base::SettingsStore& store, std::string_view key) {
    const std::int32_t count = store.getInt(key, kItemsCount, -1);
    if (count == -1)
        return defaults();
    SymbolTable table;
    const int readable = std::clamp(count, 0, kMaxPairs);
    table.pairs.reserve(static_cast<std::size_t>(readable));
    for (int i = 0; i < readable; ++i) {
        table.pairs.push_back({store.getString(key, indexedName("Search", i), kMissingText),
                               store.getString(key, indexedName("Replace", i), kMissingText)});
    }
    return table;
}

void SymbolTable::save(base::SettingsStore& store, std::string_view key) const {
    int i = 0;
    for (const SymbolPair& pair : pairs) {
        store.setString(key, indexedName("Search", i), pair.search);
        store.setString(key, indexedName("Replace", i), pair.replacement);
        ++i;
    }
    store.setInt(key, kItemsCount, i);
}

std::string toDisplayForm(std::string_view text) {
    return replaceAll(text, " ", kSpaceDisplay);
}

std::string fromDisplayForm(std::string_view text) {
    return replaceAll(text, kSpaceDisplay, " ");
}

std::string ApplySymbolTable(std::string_view text, const SymbolTable& table) {
    std::string result(text);
    const std::size_t limit = growthLimit(text.size());
    for (const SymbolPair& pair : table.pairs) {
        if (pair.search == "\\")
            continue;
        trimBoth(result, " ");
        replaceRepeatedly(result, pair.search, pair.replacement, limit);
        trimBoth(result, " ");
    }
    trimStart(result, " ");
    trimEnd(result, " ");
    trimEnd(result, ".");
    trimEnd(result, " ");
    // Collapsing only shrinks the text, so it needs no bound.
    replaceRepeatedly(result, "\\\\", "\\", std::string::npos);
    return result;
}

std::string ApplySymbolTable(std::string_view text, const base::SettingsStore& store,
                             std::string_view key) {
    return ApplySymbolTable(text, SymbolTable::load(store, key));
}

void setEditedSymbolTable(base::SettingsStore& store, std::string_view key) {
    store.setString(kHandOffSection, kHandOffValue, key);
}

std::string editedSymbolTable(const base::SettingsStore& store) {
    return store.getString(kHandOffSection, kHandOffValue, kUnnamedEditorTable);
}

}  // namespace tw::rename
