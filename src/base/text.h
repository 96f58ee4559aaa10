// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tw::base {

// Unicode helpers for the program's text, which is UTF-8 in std::string throughout.
//
// Text read from outside may hold bytes that are not valid UTF-8. These helpers never reject
// or repair such bytes: an ill-formed byte is a "code point" of its own that keeps its byte,
// so conversions change only what they understand and never split or damage a character.
// All functions are pure and safe to call from any thread.

// True when the text is well-formed UTF-8 (no overlong forms, surrogates or values above
// U+10FFFF).
bool isValidUtf8(std::string_view text);

// One step through UTF-8 text.
struct CodePointAt {
    char32_t value = 0;      // the code point; meaningless when !valid
    std::size_t length = 0;  // bytes taken, 1 to 4 (1 for an ill-formed byte)
    bool valid = false;      // false: text[pos] is a byte that starts no well-formed character
};

// Decodes the character that starts at byte `pos` (pos < text.size()).
CodePointAt codePointAt(std::string_view text, std::size_t pos);

// Appends the UTF-8 form of `cp`; values that are not Unicode scalar values append U+FFFD.
void appendUtf8(std::string& out, char32_t cp);

// Number of characters (ill-formed bytes count one each).
std::size_t codePointCount(std::string_view text);

// The longest prefix of `text` with at most `maxCodePoints` characters.
std::string_view prefixByCodePoints(std::string_view text, std::size_t maxCodePoints);

// The longest prefix of at most `maxBytes` bytes that does not end inside a character.
std::string_view prefixByBytes(std::string_view text, std::size_t maxBytes);

// Simple (one to one) case mapping and character classes of one code point, by Unicode's
// character database: 'é' <-> 'É', 'ß' stays 'ß'.
char32_t toUpper(char32_t cp);
char32_t toLower(char32_t cp);
char32_t toTitle(char32_t cp);
bool isLetter(char32_t cp);
bool isUpper(char32_t cp);
bool isLower(char32_t cp);
bool isWhitespace(char32_t cp);

// The text with every well-formed character mapped by simple case mapping; ill-formed bytes
// are kept as they are.
std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);

}  // namespace tw::base
