// SPDX-License-Identifier: GPL-2.0-or-later
#include <algorithm>

#include "base/text.h"
#include "freedb/album_export_table.h"

namespace tw::freedb {

namespace {

constexpr std::size_t kLabelWidth = 30;

void appendPadded(std::string& out, const std::string& text, std::size_t width) {
    out += text;
    const std::size_t length = base::codePointCount(text);
    if (length < width)
        out.append(width - length, ' ');
}

void appendRow(std::string& out, const std::vector<std::string>& cells,
               const std::vector<std::size_t>& widths) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
        appendPadded(out, cells[c], widths[c]);
        out += ' ';
    }
    out += "\r\n";
}

}  // namespace

std::string LayOutAlbumText(const AlbumExportTable& table) {
    std::string out;
    for (const auto& [label, value] : table.discRows) {
        appendPadded(out, label, kLabelWidth);
        out += value;
        out += "\r\n";
    }
    out += "\r\n\r\n";

    std::vector<std::size_t> widths;
    for (const std::string& title : table.columnTitles)
        widths.push_back(base::codePointCount(title));
    for (const auto& row : table.trackRows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], base::codePointCount(row[c]));
    std::size_t tableWidth = 0;
    for (std::size_t width : widths)
        tableWidth += width + 1;
    const std::string rule = std::string(tableWidth, '-') + "\r\n";

    out += rule;
    appendRow(out, table.columnTitles, widths);
    out += rule;
    for (const auto& row : table.trackRows)
        appendRow(out, row, widths);
    return out;
}

}  // namespace tw::freedb
