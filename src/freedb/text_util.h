#pragma once

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

}  // namespace tw::freedb
