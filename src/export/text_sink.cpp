// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/text_sink.h"

#include <algorithm>

#include "base/markup_escape.h"

namespace tw::exports {

namespace {

bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

}  // namespace

void appendEscaped(std::string& out, std::string_view text, TextEscape escape) {
    switch (escape) {
        case TextEscape::None:
            out.append(text);
            break;
        case TextEscape::HtmlMarkup:
            base::appendHtmlNonAscii(out, text);
            break;
        case TextEscape::RtfMarkup:
            base::appendRtfNonAscii(out, text);
            break;
        case TextEscape::HtmlText:
            out += base::escapeHtmlText(text);
            break;
        case TextEscape::RtfText:
            out += base::escapeRtfText(text);
            break;
    }
}

void TextSink::writeEscaped(std::string_view text, TextEscape escape) {
    const bool markup = escape == TextEscape::HtmlMarkup || escape == TextEscape::RtfMarkup;
    if (escape == TextEscape::None || (markup && std::all_of(text.begin(), text.end(), isAscii))) {
        write(text);
        return;
    }
    // Long texts (a whole template head) go out in slices, so no copy of them is made.
    constexpr std::size_t kSlice = 64 * 1024;
    std::string escaped;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = std::min(text.size(), pos + kSlice);
        // Never cut a character or a CR LF line break in two.
        while (end < text.size() && end > pos &&
               ((static_cast<unsigned char>(text[end]) & 0xC0) == 0x80 || text[end - 1] == '\r'))
            --end;
        if (end == pos)
            end = std::min(text.size(), pos + kSlice);
        escaped.clear();
        appendEscaped(escaped, text.substr(pos, end - pos), escape);
        write(escaped);
        pos = end;
    }
}

}  // namespace tw::exports
