// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/format.h"

#include <array>
#include <cstdio>
#include <optional>

#include "base/text.h"

namespace tw::base {

namespace {

// One "%..." of a format, split into its parts.
struct Conversion {
    std::size_t length = 0;  // bytes of the whole "%..." in the format
    std::string_view flags;
    int width = -1;      // -1: none
    int precision = -1;  // -1: none
    char letter = 0;
    bool usable = false;
    bool percent = false;  // "%%"
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a decimal number; numbers above kMaxWidth come back as kMaxWidth + 1.
int readNumber(std::string_view s, std::size_t& pos) {
    int value = 0;
    while (pos < s.size() && isDigit(s[pos])) {
        value = std::min(value * 10 + (s[pos] - '0'), kMaxWidth + 1);
        ++pos;
    }
    return value;
}

std::optional<ConversionKind> kindOf(char letter) {
    switch (letter) {
        case 'd':
        case 'i':
        case 'u':
        case 'o':
        case 'x':
        case 'X':
            return ConversionKind::Integer;
        case 'c':
            return ConversionKind::Char;
        case 's':
            return ConversionKind::String;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            return ConversionKind::Float;
        default:
            return std::nullopt;
    }
}

// Parses the conversion that starts at format[start] == '%'.
Conversion parseConversion(std::string_view format, std::size_t start) {
    Conversion c;
    std::size_t pos = start + 1;
    if (pos < format.size() && format[pos] == '%') {
        c.length = 2;
        c.percent = true;
        c.usable = true;
        return c;
    }
    std::size_t flagsBegin = pos;
    while (pos < format.size() &&
           std::string_view("-+ #0").find(format[pos]) != std::string_view::npos)
        ++pos;
    c.flags = format.substr(flagsBegin, pos - flagsBegin);
    bool starred = false;
    if (pos < format.size() && format[pos] == '*') {
        starred = true;
        ++pos;
    } else if (pos < format.size() && isDigit(format[pos])) {
        c.width = readNumber(format, pos);
    }
    if (pos < format.size() && format[pos] == '.') {
        ++pos;
        if (pos < format.size() && format[pos] == '*') {
            starred = true;
            ++pos;
        } else {
            c.precision = readNumber(format, pos);
        }
    }
    // Length modifiers say nothing here: the argument's own type decides.
    while (pos < format.size() &&
           std::string_view("hljztLq").find(format[pos]) != std::string_view::npos)
        ++pos;
    if (pos < format.size())
        c.letter = format[pos++];
    c.length = pos - start;
    c.usable = !starred && kindOf(c.letter) && c.width <= kMaxWidth && c.precision <= kMaxWidth;
    return c;
}

std::string pad(std::string body, const Conversion& c) {
    if (c.width > 0 && static_cast<int>(body.size()) < c.width) {
        std::string fill(static_cast<std::size_t>(c.width) - body.size(), ' ');
        body = c.flags.find('-') != std::string_view::npos ? body + fill : fill + body;
    }
    return body;
}

// A printf spec rebuilt from parsed parts only, so its shape is known to be harmless.
std::string printfSpec(const Conversion& c, std::string_view lengthModifier, char letter) {
    std::string spec = "%";
    spec += c.flags;
    if (c.width >= 0)
        spec += std::to_string(c.width);
    if (c.precision >= 0) {
        // Appended in two steps: `"." + std::string` trips a -Wrestrict false positive of
        // g++ 12 at -O3.
        spec += '.';
        spec += std::to_string(c.precision);
    }
    spec += lengthModifier;
    spec += letter;
    return spec;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
template <typename T>
std::string printNumber(const std::string& spec, T value) {
    std::array<char, 2 * kMaxWidth + 64> buffer;
    int n = std::snprintf(buffer.data(), buffer.size(), spec.c_str(), value);
    if (n < 0)
        return {};
    return std::string(buffer.data(),
                       std::min<std::size_t>(static_cast<std::size_t>(n), buffer.size() - 1));
}
#pragma GCC diagnostic pop

std::optional<std::string> render(const Conversion& c, const FormatArg& arg) {
    using Kind = FormatArg::Kind;
    switch (*kindOf(c.letter)) {
        case ConversionKind::Integer: {
            if (arg.kind() != Kind::Signed && arg.kind() != Kind::Unsigned &&
                arg.kind() != Kind::Char)
                return std::nullopt;
            bool isSignedConversion = c.letter == 'd' || c.letter == 'i';
            if (isSignedConversion && arg.kind() != Kind::Unsigned)
                return printNumber(printfSpec(c, "ll", c.letter),
                                   static_cast<long long>(arg.asSigned()));
            unsigned long long value = arg.asUnsigned();
            if (arg.kind() != Kind::Unsigned) {
                std::int64_t s = arg.asSigned();
                // A negative int shown unsigned reads as the 32-bit pattern it always had.
                value = (s < 0 && s >= INT32_MIN) ? static_cast<std::uint32_t>(s)
                                                  : static_cast<unsigned long long>(s);
            }
            return printNumber(printfSpec(c, "ll", isSignedConversion ? 'u' : c.letter), value);
        }
        case ConversionKind::Float: {
            double value = 0;
            if (arg.kind() == Kind::Float)
                value = arg.asFloat();
            else if (arg.kind() == Kind::Signed)
                value = static_cast<double>(arg.asSigned());
            else if (arg.kind() == Kind::Unsigned)
                value = static_cast<double>(arg.asUnsigned());
            else
                return std::nullopt;
            return printNumber(printfSpec(c, "", c.letter), value);
        }
        case ConversionKind::Char: {
            std::string body;
            if (arg.kind() == Kind::Char)
                body += static_cast<char>(arg.asSigned());
            else if (arg.kind() == Kind::Signed && arg.asSigned() >= 0)
                appendUtf8(body, static_cast<char32_t>(arg.asSigned()));
            else if (arg.kind() == Kind::Unsigned)
                appendUtf8(body, static_cast<char32_t>(
                                     std::min<std::uint64_t>(arg.asUnsigned(), 0xFFFFFFFF)));
            else
                return std::nullopt;
            return pad(std::move(body), c);
        }
        case ConversionKind::String: {
            if (arg.kind() != Kind::String)
                return std::nullopt;
            std::string_view s = arg.asString();
            if (c.precision >= 0)
                s = prefixByBytes(s, static_cast<std::size_t>(c.precision));
            return pad(std::string(s), c);
        }
    }
    return std::nullopt;
}

}  // namespace

ConversionSignature conversionSignature(std::string_view format) {
    ConversionSignature signature;
    for (std::size_t pos = format.find('%'); pos != std::string_view::npos;
         pos = format.find('%', pos)) {
        Conversion c = parseConversion(format, pos);
        pos += c.length;
        if (c.percent)
            continue;
        if (!c.usable) {
            signature.usable = false;
            signature.kinds.clear();
            return signature;
        }
        switch (*kindOf(c.letter)) {
            case ConversionKind::Integer:
                signature.kinds += 'i';
                break;
            case ConversionKind::Char:
                signature.kinds += 'c';
                break;
            case ConversionKind::String:
                signature.kinds += 's';
                break;
            case ConversionKind::Float:
                signature.kinds += 'f';
                break;
        }
    }
    return signature;
}

std::string formatChecked(std::string_view format, FormatArgs args) {
    std::string out;
    out.reserve(format.size() + 16 * args.size());
    std::size_t next = 0;
    std::size_t pos = 0;
    while (pos < format.size()) {
        std::size_t percent = format.find('%', pos);
        if (percent == std::string_view::npos) {
            out += format.substr(pos);
            break;
        }
        out += format.substr(pos, percent - pos);
        Conversion c = parseConversion(format, percent);
        std::string_view text = format.substr(percent, c.length);
        pos = percent + c.length;
        if (c.percent) {
            out += '%';
            continue;
        }
        std::optional<std::string> rendered;
        if (c.usable && next < args.size())
            rendered = render(c, args[next++]);
        out += rendered ? *rendered : std::string(text);
    }
    return out;
}

}  // namespace tw::base
