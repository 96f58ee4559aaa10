// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw::rename {

// The letter-case rule of a mask list, stored as its "CaseConversion" value. Stored values
// outside 0..6 may turn up and mean "as is".
enum class CaseMode : std::int32_t {
    AsIs = 0,
    UpperFirstLetter = 1,
    UpperAllFirstLetters = 2,
    LowerAll = 3,
    UpperAll = 4,
    Randomize = 5,
    InvertCase = 6,
};

// The choice of the Change Case command (setting "cc"), a subset of CaseMode in another
// order. Values outside 0..4 change nothing.
enum class ChangeCaseMode : std::int32_t {
    UpperFirstLetter = 0,
    UpperAllFirstLetters = 1,
    LowerAll = 2,
    UpperAll = 3,
    InvertCase = 4,
};

// Letters and positions are Unicode code points of the UTF-8 text, mapped with simple
// (one-to-one) case mapping; a letter is a character whose upper and lower forms differ. A
// byte that is not part of well-formed UTF-8 is kept as it is and counts as one non-letter
// position, so no conversion damages a character.

// The text converted by `mode`; unknown modes return it unchanged. Randomize seeds its
// generator with the current time in whole seconds.
std::string ConvertCase(std::string_view text, CaseMode mode);
// The same with the seed of Randomize given (for reproducible results).
std::string ConvertCase(std::string_view text, CaseMode mode, std::uint32_t randomSeed);

// Converts `text` in place by the rule `mode` stands for; true when any byte changed.
bool ChangeCaseOfText(std::string& text, ChangeCaseMode mode);

// The CaseMode whose rule a ChangeCaseMode applies; AsIs for unknown values.
CaseMode caseModeOf(ChangeCaseMode mode);

}  // namespace tw::rename
