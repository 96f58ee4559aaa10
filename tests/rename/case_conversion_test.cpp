// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/case_conversion.h"

#include <gtest/gtest.h>

namespace tw::rename {
namespace {

std::string convert(std::string_view text, CaseMode mode) {
    return ConvertCase(text, mode, 1);
}

TEST(ConvertCase, RulesOnPlainText) {
    EXPECT_EQ(convert("hELLO wORLD", CaseMode::UpperFirstLetter), "Hello world");
    EXPECT_EQ(convert("don't stop", CaseMode::UpperAllFirstLetters), "Don't Stop");
    EXPECT_EQ(convert("3rd o'neil AC-DC x.y", CaseMode::UpperAllFirstLetters),
              "3Rd O'neil Ac-Dc X.Y");
    EXPECT_EQ(convert("rock'n'roll  two", CaseMode::UpperAllFirstLetters), "Rock'n'roll  Two");
    EXPECT_EQ(convert("MiXeD 12", CaseMode::LowerAll), "mixed 12");
    EXPECT_EQ(convert("MiXeD 12", CaseMode::UpperAll), "MIXED 12");
    EXPECT_EQ(convert("MiXeD 12", CaseMode::InvertCase), "mIxEd 12");
    EXPECT_EQ(convert("", CaseMode::UpperFirstLetter), "");
    EXPECT_EQ(convert("Artist\\Title.mp3", CaseMode::UpperAll), "ARTIST\\TITLE.MP3");
}

TEST(ConvertCase, UnknownModesAndAsIsKeepEveryByte) {
    const std::string text = "Ünïcödé \xff\xfe abc";
    EXPECT_EQ(convert(text, CaseMode::AsIs), text);
    EXPECT_EQ(convert(text, static_cast<CaseMode>(7)), text);
    EXPECT_EQ(convert(text, static_cast<CaseMode>(-1)), text);
}

TEST(ConvertCase, LettersAndPositionsAreCodePoints) {
    EXPECT_EQ(convert("élan", CaseMode::UpperFirstLetter), "Élan");
    EXPECT_EQ(convert("ÉLAN VITAL", CaseMode::UpperAllFirstLetters), "Élan Vital");
    EXPECT_EQ(convert("straße", CaseMode::UpperAll), "STRAßE");  // simple mapping: ß stays
    EXPECT_EQ(convert("Ωμέγα", CaseMode::InvertCase), "ωΜΈΓΑ");
    // A capital after a multi-byte letter must not be taken as a word start.
    EXPECT_EQ(convert("ébc", CaseMode::UpperAllFirstLetters), "Ébc");
}

TEST(ConvertCase, IllFormedBytesSurviveEveryMode) {
    const std::string text = "a\xc3(b\xe2\x82 \xff";
    for (int mode = 0; mode <= 6; ++mode) {
        const std::string out = convert(text, static_cast<CaseMode>(mode));
        EXPECT_NE(out.find("\xc3("), std::string::npos) << mode;
        EXPECT_NE(out.find("\xe2\x82"), std::string::npos) << mode;
        EXPECT_NE(out.find('\xff'), std::string::npos) << mode;
        EXPECT_EQ(out.size(), text.size()) << mode;
    }
    // An ill-formed byte ends a word like any other non-letter.
    EXPECT_EQ(convert("ab\xffxy", CaseMode::UpperAllFirstLetters), "Ab\xffXy");
}

TEST(ConvertCase, RandomizeFollowsItsGeneratorAndTouchesOnlyLetters) {
    // Seed 1 draws 41, 18467, 6334, 26500, 19169, ...: lower, upper, lower, upper, upper.
    EXPECT_EQ(ConvertCase("abcde", CaseMode::Randomize, 1), "aBcDE");
    // Every position draws, letter or not, so the pattern shifts past the digit.
    EXPECT_EQ(ConvertCase("a1cde", CaseMode::Randomize, 1), "a1cDE");
    const std::string text = "Grüße, 1999! ÀÉÎ";
    for (std::uint32_t seed : {0u, 7u, 123456u}) {
        const std::string out = ConvertCase(text, CaseMode::Randomize, seed);
        EXPECT_EQ(convert(out, CaseMode::LowerAll), convert(text, CaseMode::LowerAll));
    }
    EXPECT_EQ(ConvertCase(text, CaseMode::Randomize, 99),
              ConvertCase(text, CaseMode::Randomize, 99));
}

TEST(ChangeCaseOfText, ReportsAnyChangeAndKeepsTextForUnknownModes) {
    std::string text = "ABC";
    EXPECT_TRUE(ChangeCaseOfText(text, ChangeCaseMode::UpperFirstLetter));
    EXPECT_EQ(text, "Abc");
    EXPECT_FALSE(ChangeCaseOfText(text, ChangeCaseMode::UpperFirstLetter));
    EXPECT_TRUE(ChangeCaseOfText(text, ChangeCaseMode::InvertCase));
    EXPECT_EQ(text, "aBC");
    for (const int mode : {5, -1})
        EXPECT_FALSE(ChangeCaseOfText(text, static_cast<ChangeCaseMode>(mode)));
    EXPECT_EQ(text, "aBC");
}

}  // namespace
}  // namespace tw::rename
