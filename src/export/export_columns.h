// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "export/record_values.h"

namespace tw::base {
class SettingsStore;
}
namespace tw::core {
struct AudioFile;
}

namespace tw::exports {

// The columns a fixed-layout export can hold, numbered 1 to 21 in the order they are
// written. Column 14 ("Picture") has a check box but is never exported.
struct ExportColumn {
    int index;     // 1..21
    int labelId;   // string id of the check box label (a column title of the file list)
    int headerId;  // command id whose "MenuItems" text heads the column; 0 for Picture
    RecordValue value;
};

inline constexpr int kExportColumnCount = 21;
inline constexpr int kPictureColumn = 14;

// The 21 columns in index order.
std::span<const ExportColumn> exportColumns();

// The text of column `index` for one file; empty for Picture and for indices out of range.
std::string exportColumnValue(const core::AudioFile& file, int index);

// The text heading column `index`: the active language's "MenuItems" text of its header id
// when it has at least two characters; else the column's title, cut at its first line
// break. (The built-in text of a header id is a status-bar prompt such as
// "Show/hide "Title" column", which does not read as a heading, so the title stands in.)
std::string exportColumnHeader(int index);

// The check boxes of the export page, stored as "c1".."c21" in section "Export" (default
// on). Picture is always off and never stored.
class ExportColumnFlags {
public:
    ExportColumnFlags() = default;  // everything off

    static ExportColumnFlags load(const base::SettingsStore& store);
    // Stores every flag but Picture's.
    void save(base::SettingsStore& store) const;

    bool checked(int index) const;
    // Indices out of range and Picture are left alone.
    void set(int index, bool on);

    void checkAll();
    void uncheckAll();
    void invertAll();

    // The checked columns in ascending order: the columns a writer exports.
    std::vector<int> columns() const;

private:
    std::array<bool, kExportColumnCount> on_{};
};

}  // namespace tw::exports
