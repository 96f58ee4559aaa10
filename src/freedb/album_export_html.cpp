#include "base/text.h"
#include "freedb/album_export_table.h"

namespace tw::freedb {

namespace {

// Markup characters as entities and everything above 127 as a numeric reference, so the
// page is ASCII and no album text can add markup.
std::string html(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const base::CodePointAt cp = base::codePointAt(text, i);
        i += cp.length;
        const char32_t value = cp.valid ? cp.value : U'\uFFFD';
        switch (value) {
            case U'&':
                out += "&amp;";
                break;
            case U'<':
                out += "&lt;";
                break;
            case U'>':
                out += "&gt;";
                break;
            case U'"':
                out += "&quot;";
                break;
            default:
                if (value < 128)
                    out += static_cast<char>(value);
                else
                    out += "&#" + std::to_string(static_cast<std::uint32_t>(value)) + ";";
        }
    }
    return out;
}

}  // namespace

std::string LayOutAlbumHtml(const AlbumExportTable& table, const std::string& discId) {
    using Column = AlbumExportTable::Column;
    std::string out = "<HTML>\r\n<TITLE>Album " + html(discId) + "</TITLE>\r\n<BODY>\r\n";
    out += "<TABLE ALIGN=CENTER CELLSPACING=0 CELLPADDING=5>\r\n";
    for (const auto& [label, value] : table.discRows)
        out += "<TR><TD>" + html(label) + "</TD><TD><B>" + html(value) + "</B></TD>\r\n";
    out += "</TABLE>\r\n";
    out += "<TABLE ALIGN=CENTER BORDER=1 CELLSPACING=0 CELLPADDING=2>\r\n<TR>";
    for (const std::string& title : table.columnTitles)
        out += "<TH>" + html(title) + "</TH>";
    out += "</TR>\r\n";
    for (const auto& row : table.trackRows) {
        out += "<TR>";
        for (std::size_t c = 0; c < row.size(); ++c) {
            const char* prefix = table.columns[c] == Column::ExtraInfo ? "<TD>&nbsp;" : "<TD>";
            out += prefix + html(row[c]) + "</TD>";
        }
        out += "</TR>\r\n";
    }
    out += "</TABLE>\r\n</BODY>\r\n</HTML>";
    return out;
}

}  // namespace tw::freedb
