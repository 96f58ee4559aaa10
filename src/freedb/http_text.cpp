// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/http_text.h"

#include <cstdint>

namespace tw::freedb {

namespace {

bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool staysInPath(char c) {
    static constexpr std::string_view kOthers = "-._~!$&'()*+,;=:@/";
    return isAsciiAlnum(c) || kOthers.find(c) != std::string_view::npos;
}

// "%" and the byte's two hexadecimal digits, from `digits` (upper or lower case).
void appendEscaped(std::string& out, char c, const char* digits) {
    const auto byte = static_cast<std::uint8_t>(c);
    out += '%';
    out += digits[byte >> 4];
    out += digits[byte & 0x0F];
}

}  // namespace

std::string EncodeRequestPath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(path.size() * 3 + 1);
    if (path.empty() || path.front() != '/')
        out += '/';
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        const bool escape =
            c == '%' && i + 2 < path.size() && isHexDigit(path[i + 1]) && isHexDigit(path[i + 2]);
        if (staysInPath(c) || escape)
            out += c;
        else
            appendEscaped(out, c, kHex);
    }
    return out;
}

std::string UrlEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() * 3);
    for (char c : text) {
        if (c == ' ') {
            out += '+';
        } else if (isAsciiAlnum(c)) {
            out += c;
        } else {
            appendEscaped(out, c, kHex);
        }
    }
    return out;
}

std::string Base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t v = (static_cast<std::uint8_t>(bytes[i]) << 16) |
                                (static_cast<std::uint8_t>(bytes[i + 1]) << 8) |
                                static_cast<std::uint8_t>(bytes[i + 2]);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    const std::size_t left = bytes.size() - i;
    if (left > 0) {
        std::uint32_t v = static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i])) << 16;
        if (left == 2)
            v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i + 1])) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += left == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

}  // namespace tw::freedb
