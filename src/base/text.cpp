// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/text.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>

namespace tw::base {

CodePointAt codePointAt(std::string_view text, std::size_t pos) {
    // ICU's decoder works on int32_t offsets; a character never needs more than four bytes.
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data() + pos);
    const auto available = static_cast<int32_t>(std::min<std::size_t>(text.size() - pos, 4));
    int32_t i = 0;
    UChar32 c = 0;
    U8_NEXT(bytes, i, available, c);
    if (c < 0)
        return {0, 1, false};
    return {static_cast<char32_t>(c), static_cast<std::size_t>(i), true};
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        CodePointAt at = codePointAt(text, pos);
        if (!at.valid)
            return false;
        pos += at.length;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    uint8_t buffer[U8_MAX_LENGTH];
    int32_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, static_cast<UChar32>(cp));  // cp is a scalar value here
    out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
}

std::size_t codePointCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += codePointAt(text, pos).length)
        ++count;
    return count;
}

std::string_view prefixByCodePoints(std::string_view text, std::size_t maxCodePoints) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < maxCodePoints && pos < text.size(); ++n)
        pos += codePointAt(text, pos).length;
    return text.substr(0, pos);
}

std::string_view prefixByBytes(std::string_view text, std::size_t maxBytes) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t next = pos + codePointAt(text, pos).length;
        if (next > maxBytes)
            break;
        pos = next;
    }
    return text.substr(0, pos);
}

char32_t toUpper(char32_t cp) {
    return static_cast<char32_t>(u_toupper(static_cast<UChar32>(cp)));
}
char32_t toLower(char32_t cp) {
    return static_cast<char32_t>(u_tolower(static_cast<UChar32>(cp)));
}
char32_t toTitle(char32_t cp) {
    return static_cast<char32_t>(u_totitle(static_cast<UChar32>(cp)));
}
bool isLetter(char32_t cp) {
    return u_isalpha(static_cast<UChar32>(cp));
}
bool isUpper(char32_t cp) {
    return u_isupper(static_cast<UChar32>(cp));
}
bool isLower(char32_t cp) {
    return u_islower(static_cast<UChar32>(cp));
}
bool isWhitespace(char32_t cp) {
    return u_isUWhiteSpace(static_cast<UChar32>(cp));
}

namespace {

template <typename Map>
std::string mapCodePoints(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        CodePointAt at = codePointAt(text, pos);
        if (at.valid)
            appendUtf8(out, map(at.value));
        else
            out += text[pos];
        pos += at.length;
    }
    return out;
}

}  // namespace

std::string toUpper(std::string_view text) {
    return mapCodePoints(text, [](char32_t cp) { return toUpper(cp); });
}

std::string toLower(std::string_view text) {
    return mapCodePoints(text, [](char32_t cp) { return toLower(cp); });
}

}  // namespace tw::base
