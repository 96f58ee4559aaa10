#include "base/text.h"
#include "freedb/album_export_table.h"

namespace tw::freedb {

namespace {

constexpr std::string_view kNoBorders =
    "\\clbrdrt\\brdrnone\\clbrdrl\\brdrnone\\clbrdrb\\brdrnone\\clbrdrr\\brdrnone";
constexpr std::string_view kSingleBorders =
    "\\clbrdrt\\brdrs\\brdrw15\\brdrcf11\\clbrdrl\\brdrs\\brdrw15\\brdrcf11"
    "\\clbrdrb\\brdrs\\brdrw15\\brdrcf11\\clbrdrr\\brdrs\\brdrw15\\brdrcf11";

void appendUnicode(std::string& out, char32_t value) {
    // RTF counts in UTF-16 units, written as signed 16-bit numbers.
    auto unit = [&out](std::uint32_t u) {
        out +=
            "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(u))) + "?";
    };
    if (value > 0xFFFF) {
        const std::uint32_t v = static_cast<std::uint32_t>(value) - 0x10000;
        unit(0xD800 + (v >> 10));
        unit(0xDC00 + (v & 0x3FF));
    } else {
        unit(static_cast<std::uint32_t>(value));
    }
}

// Control characters of RTF escaped, line feeds as line breaks, everything above 127 as
// "\uN?", so the document stays ASCII and no album text can add control words.
std::string rtf(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const base::CodePointAt cp = base::codePointAt(text, i);
        i += cp.length;
        const char32_t value = cp.valid ? cp.value : U'\uFFFD';
        if (value == U'\\' || value == U'{' || value == U'}') {
            out += '\\';
            out += static_cast<char>(value);
        } else if (value == U'\n') {
            out += "\\line ";
        } else if (value == U'\r') {
        } else if (value == U'\t') {
            out += "\\tab ";
        } else if (value < 128) {
            out += static_cast<char>(value);
        } else {
            appendUnicode(out, value);
        }
    }
    return out;
}

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
        out += "\\pard\\intbl " + rtf(cell) + "\\cell";
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
        rtf(discId) + "\\cf2\\i0\\par\\par\\fs20\r\n";
    for (const auto& [label, value] : table.discRows) {
        out += "{\\pard\\intbl " + rtf(label) + " \\cell\\pard\\intbl\\b " + rtf(value) +
               " \\b0\\cell\\trowd\\trhdr\\trgaph30\\trleft0\\trrh100";
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
