#include "export/text_sink.h"

#include <algorithm>
#include <cstdint>

#include "base/text.h"

namespace tw::exports {

namespace {

bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

void appendRtfUnit(std::string& out, std::uint16_t unit) {
    out += "\\u";
    out += std::to_string(static_cast<std::int16_t>(unit));
    out += '?';
}

// Appends one character above 127 in its escaped form.
void appendCharacter(std::string& out, char32_t cp, TextEscape escape) {
    if (escape == TextEscape::Html) {
        out += "&#";
        out += std::to_string(static_cast<std::uint32_t>(cp));
        out += ';';
        return;
    }
    if (cp < 0x10000) {
        appendRtfUnit(out, static_cast<std::uint16_t>(cp));
        return;
    }
    const char32_t v = cp - 0x10000;
    appendRtfUnit(out, static_cast<std::uint16_t>(0xD800 + (v >> 10)));
    appendRtfUnit(out, static_cast<std::uint16_t>(0xDC00 + (v & 0x3FF)));
}

}  // namespace

void appendEscaped(std::string& out, std::string_view text, TextEscape escape) {
    if (escape == TextEscape::None) {
        out.append(text);
        return;
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto run =
            std::find_if_not(text.begin() + static_cast<std::ptrdiff_t>(pos), text.end(), isAscii);
        const auto end = static_cast<std::size_t>(run - text.begin());
        out.append(text, pos, end - pos);
        pos = end;
        if (pos == text.size())
            break;
        const base::CodePointAt at = base::codePointAt(text, pos);
        if (at.valid)
            appendCharacter(out, at.value, escape);
        else
            out.append(text, pos, at.length);
        pos += at.length;
    }
}

void TextSink::writeEscaped(std::string_view text, TextEscape escape) {
    if (escape == TextEscape::None || std::all_of(text.begin(), text.end(), isAscii)) {
        write(text);
        return;
    }
    // Long texts (a whole template head) go out in slices, so no copy of them is made.
    constexpr std::size_t kSlice = 64 * 1024;
    std::string escaped;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = std::min(text.size(), pos + kSlice);
        // Never cut a character in two: step back over continuation bytes.
        while (end < text.size() && end > pos &&
               (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
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
