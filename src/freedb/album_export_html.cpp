// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/markup_escape.h"
#include "freedb/album_export_table.h"

namespace tw::freedb {

// Every album text is escaped, so the page is ASCII and no album text can add markup.
using base::escapeHtmlText;

std::string LayOutAlbumHtml(const AlbumExportTable& table, const std::string& discId) {
    using Column = AlbumExportTable::Column;
    std::string out = "<HTML>\r\n<TITLE>Album " + escapeHtmlText(discId) + "</TITLE>\r\n<BODY>\r\n";
    out += "<TABLE ALIGN=CENTER CELLSPACING=0 CELLPADDING=5>\r\n";
    for (const auto& [label, value] : table.discRows)
        out += "<TR><TD>" + escapeHtmlText(label) + "</TD><TD><B>" + escapeHtmlText(value) +
               "</B></TD>\r\n";
    out += "</TABLE>\r\n";
    out += "<TABLE ALIGN=CENTER BORDER=1 CELLSPACING=0 CELLPADDING=2>\r\n<TR>";
    for (const std::string& title : table.columnTitles)
        out += "<TH>" + escapeHtmlText(title) + "</TH>";
    out += "</TR>\r\n";
    for (const auto& row : table.trackRows) {
        out += "<TR>";
        for (std::size_t c = 0; c < row.size(); ++c) {
            const char* prefix = table.columns[c] == Column::ExtraInfo ? "<TD>&nbsp;" : "<TD>";
            out += prefix + escapeHtmlText(row[c]) + "</TD>";
        }
        out += "</TR>\r\n";
    }
    out += "</TABLE>\r\n</BODY>\r\n</HTML>";
    return out;
}

}  // namespace tw::freedb
