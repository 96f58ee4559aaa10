// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/markup_escape.h"

#include <cstdint>

#include "base/text.h"

namespace tw::base {

namespace {

enum class Malformed { Keep, Replace };

bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

void appendHtmlReference(std::string& out, char32_t cp) {
    out += "&#";
    out += std::to_string(static_cast<std::uint32_t>(cp));
    out += ';';
}

void appendRtfUnit(std::string& out, std::uint16_t unit) {
    out += "\\u";
    out += std::to_string(static_cast<std::int16_t>(unit));
    out += '?';
}

void appendRtfCharacter(std::string& out, char32_t cp) {
    if (cp < 0x10000) {
        appendRtfUnit(out, static_cast<std::uint16_t>(cp));
        return;
    }
    const char32_t v = cp - 0x10000;
    appendRtfUnit(out, static_cast<std::uint16_t>(0xD800 + (v >> 10)));
    appendRtfUnit(out, static_cast<std::uint16_t>(0xDC00 + (v & 0x3FF)));
}

// Appends `text` with every character above 127 written by `wide` and every ASCII byte that
// `special` picks written by `ascii`; the other ASCII bytes go out in runs, as they are.
template <typename Special, typename Ascii>
void appendEscaped(std::string& out, std::string_view text, Malformed malformed, Special special,
                   Ascii ascii, void (*wide)(std::string&, char32_t)) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && isAscii(text[end]) && !special(text[end]))
            ++end;
        out.append(text, pos, end - pos);
        pos = end;
        if (pos == text.size())
            break;
        if (isAscii(text[pos])) {
            ascii(out, text[pos]);
            ++pos;
            continue;
        }
        const CodePointAt at = codePointAt(text, pos);
        if (at.valid)
            wide(out, at.value);
        else if (malformed == Malformed::Replace)
            wide(out, U'\uFFFD');
        else
            out.append(text, pos, at.length);
        pos += at.length;
    }
}

bool noAsciiEscape(char) {
    return false;
}

void appendAsIs(std::string& out, char c) {
    out += c;
}

bool isHtmlMarkup(char c) {
    return c == '&' || c == '<' || c == '>' || c == '"' || c == '\'';
}

void appendHtmlEntity(std::string& out, char c) {
    switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += "&#39;";
    }
}

bool isRtfControl(char c) {
    return c == '\\' || c == '{' || c == '}' || c == '\n' || c == '\r' || c == '\t';
}

void appendRtfControl(std::string& out, char c) {
    switch (c) {
        case '\n':
        case '\r':
            out += "\\line ";
            break;
        case '\t':
            out += "\\tab ";
            break;
        default:
            out += '\\';
            out += c;
    }
}

}  // namespace

void appendHtmlNonAscii(std::string& out, std::string_view text) {
    appendEscaped(out, text, Malformed::Keep, noAsciiEscape, appendAsIs, appendHtmlReference);
}

void appendRtfNonAscii(std::string& out, std::string_view text) {
    appendEscaped(out, text, Malformed::Keep, noAsciiEscape, appendAsIs, appendRtfCharacter);
}

std::string escapeHtmlText(std::string_view text) {
    std::string out;
    appendEscaped(out, text, Malformed::Replace, isHtmlMarkup, appendHtmlEntity,
                  appendHtmlReference);
    return out;
}

std::string escapeRtfText(std::string_view text) {
    std::string out;
    // A line may end with CR LF, LF or a lone CR (as older taggers write lyrics): each is one
    // line break, so a CR LF pair is written as one.
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t crlf = text.find("\r\n", pos);
        const std::size_t end = crlf == std::string_view::npos ? text.size() : crlf;
        appendEscaped(out, text.substr(pos, end - pos), Malformed::Replace, isRtfControl,
                      appendRtfControl, appendRtfCharacter);
        if (crlf == std::string_view::npos)
            break;
        out += "\\line ";
        pos = crlf + 2;
    }
    return out;
}

std::string escapeHtmlUrl(std::string_view url) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    static constexpr std::string_view kNotInUrl = " \"<>\\^`{|}'";
    std::string out;
    for (const char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || kNotInUrl.find(c) != std::string_view::npos) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else if (c == '&') {
            out += "&amp;";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace tw::base
