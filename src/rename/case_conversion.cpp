#include "rename/case_conversion.h"

#include <ctime>

#include "rename/code_points.h"

namespace tw::rename {

namespace {

using detail::isCasedLetter;
using detail::lowerOf;
using detail::mapCodePoints;
using detail::upperOf;

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
        text, [](std::size_t i, UChar32 c) { return i == 0 ? upperOf(lowerOf(c)) : lowerOf(c); });
}

std::string upperAllFirstLetters(std::string_view text) {
    bool insideWord = false;
    return mapCodePoints(text, [&insideWord](std::size_t, UChar32 c) {
        if (isCasedLetter(c)) {
            const UChar32 result = insideWord ? lowerOf(c) : upperOf(c);
            insideWord = true;
            return result;
        }
        // An apostrophe keeps the word going: "don't" has no capital T.
        if (c != U'\'')
            insideWord = false;
        return c;
    });
}

std::string randomize(std::string_view text, std::uint32_t seed) {
    LinearCongruential random(seed);
    return mapCodePoints(text, [&random](std::size_t, UChar32 c) {
        return random.next() > 16383 ? upperOf(c) : lowerOf(c);
    });
}

std::string invertCase(std::string_view text) {
    return mapCodePoints(
        text, [](std::size_t, UChar32 c) { return c == lowerOf(c) ? upperOf(c) : lowerOf(c); });
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
            return mapCodePoints(text, [](std::size_t, UChar32 c) { return lowerOf(c); });
        case CaseMode::UpperAll:
            return mapCodePoints(text, [](std::size_t, UChar32 c) { return upperOf(c); });
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
