// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "freedb/cddb_reply.h"

namespace tw::freedb {

// Finds the albums in the lines of the web site's search result page. Each album is a link
// "<prefix>CATEGORY&id=DISCID">ARTIST / TITLE</a>"; a line that also holds "<font size=-1>"
// lists a further category of the album before it and takes that album's artist and title.
// The scanner remembers that album between lines, so one scanner serves one page.
class SearchPageScanner {
public:
    // `linkPrefix` is the site's absolute address of the album page up to "?cat=" included,
    // such as "http://host/freedb_search_fmt.php?cat=".
    explicit SearchPageScanner(std::string linkPrefix) : linkPrefix_(std::move(linkPrefix)) {}

    // True for the lines after which the page holds no more results.
    static bool IsEndLine(std::string_view line);

    // The album the line links to, if any.
    std::optional<QueryMatch> ScanLine(std::string_view line);

private:
    std::string linkPrefix_;
    std::string previousArtist_;
    std::string previousTitle_;
};

}  // namespace tw::freedb
