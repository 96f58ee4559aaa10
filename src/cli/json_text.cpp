// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/json_text.h"

#include <array>

namespace tw::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at the start of `text` (which starts with a
// byte of 0x80 or more); when it is ill-formed, minus the length of its longest start that
// could still have become well-formed (at least 1), which one U+FFFD replaces.
int sequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return -1;
    }
    for (int i = 1; i < length; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        if (at >= text.size() || byte(at) < (i == 1 ? low : 0x80) ||
            byte(at) > (i == 1 ? high : 0xBF))
            return -i;
    }
    return length;
}

// The bytes that go into a JSON string as they are: printable ASCII but the quote and the
// backslash. A table, as the test runs for every byte of every text listed.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c)
        plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
}();

}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        // Runs that need nothing done (well-formed UTF-8 included) go in whole.
        std::size_t plain = i;
        int length = 0;
        while (plain < text.size()) {
            const auto c = static_cast<unsigned char>(text[plain]);
            if (kPlain[c])
                ++plain;
            else if (c >= 0x80 && (length = sequenceLength(text.substr(plain))) > 0)
                plain += static_cast<std::size_t>(length);
            else
                break;
        }
        out.append(text, i, plain - i);
        i = plain;
        if (i == text.size())
            break;

        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            out += kReplacement;
            i += static_cast<std::size_t>(-length);
            continue;
        }
        static constexpr char kHex[] = "0123456789abcdef";
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
        }
        ++i;
    }
    out += '"';
}

}  // namespace tw::cli
