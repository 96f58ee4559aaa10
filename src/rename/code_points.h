#pragma once

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace tw::rename::detail {

// Rebuilds UTF-8 `text` with every code point passed through `map`(position, codePoint),
// positions counted in code points from 0. An ill-formed sequence reaches `map` as -1 at its
// own position and is copied unchanged, whatever `map` returns.
template <typename Map>
std::string mapCodePoints(std::string_view text, Map&& map) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return std::string(text);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    std::string out;
    out.reserve(text.size());
    std::size_t position = 0;
    for (std::int32_t i = 0; i < length;) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        const UChar32 mapped = map(position++, c);
        if (c < 0 || mapped < 0) {
            out.append(
                text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
            continue;
        }
        std::uint8_t encoded[U8_MAX_LENGTH];
        std::int32_t n = 0;
        U8_APPEND_UNSAFE(encoded, n, mapped);
        out.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(n));
    }
    return out;
}

// Simple case mapping of one code point; -1 (an ill-formed sequence) stays -1.
inline UChar32 lowerOf(UChar32 c) {
    return c < 0 ? c : u_tolower(c);
}
inline UChar32 upperOf(UChar32 c) {
    return c < 0 ? c : u_toupper(c);
}
// A letter is a code point whose two case forms differ.
inline bool isCasedLetter(UChar32 c) {
    return c >= 0 && u_tolower(c) != u_toupper(c);
}

}  // namespace tw::rename::detail
