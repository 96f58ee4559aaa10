// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tw::freedb {

// White space as the C library sees it in the "C" locale: blank, tab, line feed, vertical
// tab, form feed, carriage return.
inline bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

inline std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    return s;
}

inline std::string_view Trim(std::string_view s) {
    return TrimLeft(TrimRight(s));
}

inline bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// The UTF-8 text without its control characters: C0 (except the bytes of `keep`), DEL and C1.
// Nothing a server or an old file sends may put them into a stored record, where strict
// readers refuse them and a line feed or NUL would break the line structure.
inline std::string WithoutControlCharacters(std::string_view text, std::string_view keep = "\t") {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte < 0x20 && keep.find(text[i]) == std::string_view::npos) || byte == 0x7F)
            continue;
        // C1 controls are U+0080 to U+009F, in UTF-8 the byte C2 and one of 80 to 9F.
        if (byte == 0xC2 && i + 1 < text.size() &&
            static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace tw::freedb
