// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/name_pattern.h"

#include <gtest/gtest.h>

namespace tw::rename {
namespace {

using Values = std::vector<std::string>;

Values match(std::string_view mask, std::string_view name) {
    return MatchMask(name, MaskPattern(mask));
}

TEST(MaskPattern, AcceptsEachFieldOnceAndDropsOtherTokens) {
    const MaskPattern pattern("<Artist> - <title> <TITLE> <foo> (<year>)<comment><comments>");
    EXPECT_EQ(pattern.slots(), (std::vector<NameField>{NameField::Artist, NameField::Title,
                                                       NameField::Year, NameField::Comment}));
    EXPECT_EQ(MaskPattern("<a<title>").slots().size(), 0u);  // the name is "a<title"
}

TEST(MaskPattern, MaskTextNeverMakesASlot) {
    const MaskPattern pattern("%s <title>");
    ASSERT_EQ(pattern.slots().size(), 1u);
    EXPECT_FALSE(pattern.slotAt(0));
    EXPECT_TRUE(pattern.slotAt(3));
    EXPECT_EQ(match("%s - <title>", "%s - Song"), (Values{"Song"}));
}

TEST(MatchMask, LazyValuesEndAtTheFirstFollowingLiteral) {
    EXPECT_EQ(match("<number> - <title>", "01 - Intro"), (Values{"01", "Intro"}));
    EXPECT_EQ(match("<artist> - <title> (<year>)", "Band - Song (1999)"),
              (Values{"Band", "Song", "1999)"}));
    EXPECT_EQ(match("<artist> - <title>", "A - B - C"), (Values{"A", "B - C"}));
    EXPECT_EQ(match("(<year>) - <album>", "(2001) - Live"), (Values{"2001", "Live"}));
}

TEST(MatchMask, NamesThatDoNotFit) {
    EXPECT_EQ(match("<artist> - <title>", "NoDash"), (Values{"NoDash", ""}));
    EXPECT_EQ(match("<artist><title>", "Whole"), (Values{"", "Whole"}));
    EXPECT_EQ(match("<title> - <title>", "a - b"), (Values{"a - b"}));
    // The name ends right after a literal: no further value is captured.
    EXPECT_EQ(match("<artist> - <title>", "Band - "), (Values{"Band", ""}));
    // A missing leading literal still moves the pattern two characters on.
    EXPECT_EQ(match("(<year>) - <album>", "2001) - Live"), (Values{"2001) - Live", ""}));
    EXPECT_TRUE(match("<title>", "").empty());
    EXPECT_TRUE(match("no tokens", "no tokens").empty());
}

TEST(MatchMask, SkipConsumesTextWithoutAField) {
    const MaskPattern pattern("<number> - <skip> - <title>");
    EXPECT_EQ(pattern.slots(),
              (std::vector<NameField>{NameField::Number, NameField::Skip, NameField::Title}));
    EXPECT_EQ(MatchMask("07 - Band - Song", pattern), (Values{"07", "Band", "Song"}));
}

TEST(MatchMask, NeverYieldsMoreValuesThanSlots) {
    // The leading literal is missed, so one value more would come out than there are slots.
    EXPECT_EQ(match("abc<title>", "xyzabcQ").size(), 1u);
    const std::string longName(100000, 'x');
    EXPECT_EQ(match("<artist>x<title>", longName).size(), 2u);
}

}  // namespace
}  // namespace tw::rename
