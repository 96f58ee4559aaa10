// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/markup_escape.h"
#include "freedb/album_export_table.h"

namespace tw::freedb {

// Every album text is escaped, so the document is ASCII and no album text can add control
// words.
using base::escapeRtfText;

namespace {

constexpr std::string_view kNoBorders =
    "\\clbrdrt\\brdrnone\\clbrdrl\\brdrnone\\clbrdrb\\brdrnone\\clbrdrr\\brdrnone";
constexpr std::string_view kSingleBorders =
    "\\clbrdrt\\brdrs\\brdrw15\\brdrcf11\\clbrdrl\\brdrs\\brdrw15\\brdrcf11"
    "\\clbrdrb\\brdrs\\brdrw15\\brdrcf11\\clbrdrr\\brdrs\\brdrw15\\brdrcf11";

std::string_view cellEdge(AlbumExportTable::Column column) {
    using Column = AlbumExportTable::Column;
    switch (column) {
        case Column::Number:
            return "\\cellx1000";
        case Column::Title:
            return "\\cellx4000";
        case Column::Length:
            return "\\cellx5500";
        case Column::Frames:
            return "\\cellx6500";
        case Column::ExtraInfo:
            return "\\cellx8000";
        case Column::Artist:
            return "\\cellx8500";
    }
    return {};
}

void appendTrackRow(std::string& out, const AlbumExportTable& table,
                    const std::vector<std::string>& cells) {
    for (const std::string& cell : cells)
        out += "\\pard\\intbl " + escapeRtfText(cell) + "\\cell";
    out += "\r\n\\trowd\\trhdr\\trautofit1\\trgaph90\\trleft0\\trrh100";
    for (AlbumExportTable::Column column : table.columns) {
        out += kSingleBorders;
        out += cellEdge(column);
    }
    out += "\\row\\pard\r\n";
}

}  // namespace

std::string LayOutAlbumRtf(const AlbumExportTable& table, const std::string& discId) {
    std::string out =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204{\\*\\fname Arial;}Arial CYR;}}"
        "{\\colortbl ;\\red0\\green0\\blue255;\\red0\\green0\\blue0;}\\viewkind4\\uc1\\pard\\cf1"
        "\\lang1049\\f0\\fs26\\qc " +
        escapeRtfText(discId) + "\\cf2\\i0\\par\\par\\fs20\r\n";
    for (const auto& [label, value] : table.discRows) {
        out += "{\\pard\\intbl " + escapeRtfText(label) + " \\cell\\pard\\intbl\\b " +
               escapeRtfText(value) + " \\b0\\cell\\trowd\\trhdr\\trgaph30\\trleft0\\trrh100";
        out += kNoBorders;
        out += "\\cellx3000";
        out += kNoBorders;
        out += "\\cellx9000\\row}\\pard\r\n";
    }
    out += "\\par\\par\r\r\r\n";
    appendTrackRow(out, table, table.columnTitles);
    for (const auto& row : table.trackRows)
        appendTrackRow(out, table, row);
    out += "\\par }";
    return out;
}

}  // namespace tw::freedb
