// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/case_conversion.h"

#include <ctime>

#include "base/text.h"

namespace tw::rename {

namespace {

// A code point, or -1 for a byte that starts no well-formed character.
using CodePoint = std::int32_t;
constexpr CodePoint kIllFormed = -1;

CodePoint lowerOf(CodePoint c) {
    return c == kIllFormed ? c : static_cast<CodePoint>(base::toLower(static_cast<char32_t>(c)));
}
CodePoint upperOf(CodePoint c) {
    return c == kIllFormed ? c : static_cast<CodePoint>(base::toUpper(static_cast<char32_t>(c)));
}
// A letter is a character whose two case forms differ.
bool isCasedLetter(CodePoint c) {
    return lowerOf(c) != upperOf(c);
}

// Rebuilds `text` with every character passed through `map`(position, codePoint), positions
// counted in characters. An ill-formed byte reaches `map` as kIllFormed at its own position
// and is copied unchanged, whatever `map` returns, so no character is ever split or damaged.
template <typename Map>
std::string mapCodePoints(std::string_view text, Map&& map) {
    std::string out;
    out.reserve(text.size());
    std::size_t position = 0;
    for (std::size_t at = 0; at < text.size();) {
        const base::CodePointAt c = base::codePointAt(text, at);
        const CodePoint mapped =
            map(position++, c.valid ? static_cast<CodePoint>(c.value) : kIllFormed);
        if (c.valid && mapped != kIllFormed)
            base::appendUtf8(out, static_cast<char32_t>(mapped));
        else
            out.append(text.substr(at, c.length));
        at += c.length;
    }
    return out;
}

// The classic C library generator, so a seed gives the same pattern as it always did.
class LinearCongruential {
public:
    explicit LinearCongruential(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next() {
        state_ = state_ * 214013u + 2531011u;
        return (state_ >> 16) & 32767u;
    }

private:
    std::uint32_t state_;
};

std::string upperFirstLetter(std::string_view text) {
    return mapCodePoints(
        text, [](std::size_t i, CodePoint c) { return i == 0 ? upperOf(lowerOf(c)) : lowerOf(c); });
}

std::string upperAllFirstLetters(std::string_view text) {
    bool insideWord = false;
    return mapCodePoints(text, [&insideWord](std::size_t, CodePoint c) {
        if (isCasedLetter(c)) {
            const CodePoint result = insideWord ? lowerOf(c) : upperOf(c);
            insideWord = true;
            return result;
        }
        // An apostrophe keeps the word going: "don't" has no capital T.
        if (c != '\'')
            insideWord = false;
        return c;
    });
}

std::string randomize(std::string_view text, std::uint32_t seed) {
    LinearCongruential random(seed);
    return mapCodePoints(text, [&random](std::size_t, CodePoint c) {
        return random.next() > 16383 ? upperOf(c) : lowerOf(c);
    });
}

std::string invertCase(std::string_view text) {
    return mapCodePoints(
        text, [](std::size_t, CodePoint c) { return c == lowerOf(c) ? upperOf(c) : lowerOf(c); });
}

}  // namespace

std::string ConvertCase(std::string_view text, CaseMode mode) {
    return ConvertCase(text, mode, static_cast<std::uint32_t>(std::time(nullptr)));
}

std::string ConvertCase(std::string_view text, CaseMode mode, std::uint32_t randomSeed) {
    switch (mode) {
        case CaseMode::UpperFirstLetter:
            return upperFirstLetter(text);
        case CaseMode::UpperAllFirstLetters:
            return upperAllFirstLetters(text);
        case CaseMode::LowerAll:
            return mapCodePoints(text, [](std::size_t, CodePoint c) { return lowerOf(c); });
        case CaseMode::UpperAll:
            return mapCodePoints(text, [](std::size_t, CodePoint c) { return upperOf(c); });
        case CaseMode::Randomize:
            return randomize(text, randomSeed);
        case CaseMode::InvertCase:
            return invertCase(text);
        case CaseMode::AsIs:
            break;
    }
    return std::string(text);
}

CaseMode caseModeOf(ChangeCaseMode mode) {
    switch (mode) {
        case ChangeCaseMode::UpperFirstLetter:
            return CaseMode::UpperFirstLetter;
        case ChangeCaseMode::UpperAllFirstLetters:
            return CaseMode::UpperAllFirstLetters;
        case ChangeCaseMode::LowerAll:
            return CaseMode::LowerAll;
        case ChangeCaseMode::UpperAll:
            return CaseMode::UpperAll;
        case ChangeCaseMode::InvertCase:
            return CaseMode::InvertCase;
    }
    return CaseMode::AsIs;
}

bool ChangeCaseOfText(std::string& text, ChangeCaseMode mode) {
    std::string converted = ConvertCase(text, caseModeOf(mode));
    if (converted == text)
        return false;
    text = std::move(converted);
    return true;
}

}  // namespace tw::rename
