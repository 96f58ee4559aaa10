// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/list_export.h"

#include "base/ascii.h"
#include "base/language.h"
#include "base/markup_escape.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/file_list.h"
#include "export/export_columns.h"
#include "export/export_document.h"
#include "export/text_sink.h"

namespace tw::exports {

namespace {

constexpr int kUrlColumn = 11;

constexpr std::string_view kRtfHead =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204{\\*\\fname Arial;}Arial CYR;}}"
    "{\\colortbl ;\\red0\\green0\\blue255;\\red0\\green0\\blue0;}\\viewkind4\\uc1\\pard\\cf1"
    "\\lang1049\\f0\\fs24 MP3 Files list\\cf2\\i\\fs22";

// The columns that are written: valid indices other than Picture, in the order given.
std::vector<int> writtenColumns(const std::vector<int>& columns) {
    std::vector<int> written;
    for (int index : columns) {
        if (index >= 1 && index <= kExportColumnCount && index != kPictureColumn)
            written.push_back(index);
    }
    return written;
}

// Only a link that leads to a page or a mail is made a link: a "javascript:" or "data:" URL
// in a tag would run or show what its author chose when the reader clicks it.
bool isWebLink(std::string_view url) {
    const std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || url.find_first_of("/?#") < colon)
        return true;  // no scheme: relative to the page
    const std::string scheme = base::asciiLower(url.substr(0, colon));
    return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto";
}

void writeHtmlCell(TextSink& sink, int index, const std::string& value) {
    sink.write("\t\t<td>");
    if (value.empty()) {
        sink.write("&nbsp;");
    } else if (index == kUrlColumn && isWebLink(value)) {
        sink.write("<a href=\"");
        sink.write(base::escapeHtmlUrl(value));
        sink.write("\">");
        sink.writeEscaped(value, TextEscape::HtmlText);
        sink.write("</a>");
    } else {
        sink.writeEscaped(value, TextEscape::HtmlText);
    }
    sink.write("</td>\r\n");
}

}  // namespace

void WriteHtmlList(TextSink& sink, const core::FileList& list, const std::vector<int>& columns) {
    const std::vector<int> written = writtenColumns(columns);
    sink.write("<html>\r\n<title>MP3 Files list</title>\r\n<body>\r\n");
    sink.write("<p align=center><table border=1 cellspacing=0 cellpadding=0>\r\n");
    sink.write("\t<tr>\r\n");
    for (int index : written) {
        sink.write("\t\t<td><b>");
        sink.writeEscaped(exportColumnHeader(index), TextEscape::HtmlText);
        sink.write("</b></td>\r\n");
    }
    sink.write("\t</tr>\r\n");
    for (int row = 0; row < list.size(); ++row) {
        sink.write("\t<tr>\r\n");
        for (int index : written)
            writeHtmlCell(sink, index, exportColumnValue(list.at(row), index));
        sink.write("\t</tr>\r\n");
    }
    sink.write("</table></p>\r\n");
    sink.write("</body>\r\n</html>\r\n");
}

void WriteRtfList(TextSink& sink, const core::FileList& list, const std::vector<int>& columns) {
    const std::vector<int> written = writtenColumns(columns);
    sink.write(kRtfHead);
    sink.write("\\par \\par \\b");
    for (int index : written) {
        sink.write("\\tab ");
        sink.writeEscaped(exportColumnHeader(index), TextEscape::RtfText);
    }
    sink.write("\\par \\i0\\b0");
    for (int row = 0; row < list.size(); ++row) {
        for (int index : written) {
            sink.write("\\tab ");
            sink.writeEscaped(exportColumnValue(list.at(row), index), TextEscape::RtfText);
        }
        sink.write("\\par");
    }
    sink.write("\\par }");
}

std::optional<std::string> ExportHtml(const core::FileList& list, const ListExportRequest& request,
                                      base::UserPort& port) {
    const std::string path = exportFilePath(request.folder, request.fileName, DocumentKind::Html);
    return writeDocument(path, port,
                         [&](TextSink& sink) { WriteHtmlList(sink, list, request.columns); });
}

std::optional<std::string> ExportRtf(const core::FileList& list, const ListExportRequest& request,
                                     base::UserPort& port) {
    const std::string path = exportFilePath(request.folder, request.fileName, DocumentKind::Rtf);
    return writeDocument(path, port,
                         [&](TextSink& sink) { WriteRtfList(sink, list, request.columns); });
}

}  // namespace tw::exports
