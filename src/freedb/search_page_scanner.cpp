// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/search_page_scanner.h"

namespace tw::freedb {

bool SearchPageScanner::IsEndLine(std::string_view line) {
    return line == "</html>" || line == "</table><table border=0 align=right valign=top width=250>";
}

std::optional<QueryMatch> SearchPageScanner::ScanLine(std::string_view line) {
    const std::size_t link = line.find(linkPrefix_);
    if (link == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = line.substr(link + linkPrefix_.size());

    const std::size_t idStart = rest.find("&id=");
    if (idStart == std::string_view::npos)
        return std::nullopt;
    QueryMatch match;
    match.category = std::string(rest.substr(0, idStart));
    rest.remove_prefix(idStart + 4);

    const std::size_t tagEnd = rest.find("\">");
    if (tagEnd == std::string_view::npos)
        return std::nullopt;
    match.discId = std::string(rest.substr(0, tagEnd));
    rest.remove_prefix(tagEnd + 2);

    const std::size_t textEnd = rest.find("</a>");
    if (textEnd == std::string_view::npos)
        return std::nullopt;
    const std::string_view text = rest.substr(0, textEnd);

    const std::size_t split = text.find(" / ");
    if (split == std::string_view::npos) {
        match.artist = match.title = std::string(text);
    } else {
        match.artist = std::string(text.substr(0, split));
        match.title = std::string(text.substr(split + 3));
        if (match.title.empty())
            match.title = match.artist;
    }
    if (line.find("<font size=-1>") != std::string_view::npos) {
        match.artist = previousArtist_;
        match.title = previousTitle_;
    }
    previousArtist_ = match.artist;
    previousTitle_ = match.title;
    return match;
}

}  // namespace tw::freedb
