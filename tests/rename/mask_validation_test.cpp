// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/mask_validation.h"

#include <gtest/gtest.h>

#include "base/string_ids.h"

namespace tw::rename {
namespace {

namespace ids = base::ids;

const TokenPermissions kRenaming = TokenPermissions::forRenaming(false);

void expectRefused(const MaskCheck& check, int messageId, std::string_view argument,
                   std::size_t start, std::size_t length) {
    EXPECT_FALSE(check.valid);
    EXPECT_EQ(check.messageId, messageId);
    EXPECT_EQ(check.argument, argument);
    EXPECT_EQ(check.start, start);
    EXPECT_EQ(check.length, length);
}

TEST(ValidateMask, AcceptsTheDefaultMasksAndFolders) {
    for (std::string_view mask : {"<number> - <title>", "<artist>\\<album>\\<number> <title>",
                                  "..\\..\\<album>\\<title>", "<unknown> x", ""})
        EXPECT_TRUE(ValidateMask(mask, kRenaming).valid) << mask;
}

TEST(ValidateMask, ForbiddenCharactersAreCheckedFirstInTheirOwnOrder) {
    expectRefused(ValidateMask("a|b", kRenaming), ids::kMaskForbiddenCharacter, "|", 1, 1);
    // "?" is looked for before ":", whatever comes first in the mask.
    expectRefused(ValidateMask("c:\\x?<skip>", kRenaming), ids::kMaskForbiddenCharacter, "?", 4, 1);
    expectRefused(ValidateMask("a/b", kRenaming), ids::kMaskForbiddenCharacter, "/", 1, 1);
    expectRefused(ValidateMask("say \"x\"", kRenaming), ids::kMaskForbiddenCharacter, "\"", 4, 1);
}

TEST(ValidateMask, FoldersNeedTheDirectoryRowToAllowThem) {
    const TokenPermissions fromName = TokenPermissions::forFilenameToTag();
    expectRefused(ValidateMask("<artist>\\x\\<title>", fromName), ids::kMaskTokenInFile, "\\", 10,
                  1);
    EXPECT_TRUE(ValidateMask("<artist> - <skip>", fromName).valid);
}

TEST(ValidateMask, UpLevelOnlyAtTheStart) {
    expectRefused(ValidateMask("x\\..\\y", kRenaming), ids::kMaskUpLevelNotAtStart, "..\\", 2, 3);
    expectRefused(ValidateMask("..\\..\\a\\..\\b", kRenaming), ids::kMaskUpLevelNotAtStart, "..\\",
                  8, 3);
}

TEST(ValidateMask, TokensForbiddenInEachPart) {
    expectRefused(ValidateMask("<title>\\<artist>", kRenaming), ids::kMaskTokenInDirectory,
                  "<title>", 0, 7);
    expectRefused(ValidateMask("<album>\\<skip>", kRenaming), ids::kMaskTokenInFile, "<skip>", 8,
                  6);
    expectRefused(ValidateMask("<play_time_all>", kRenaming), ids::kMaskTokenInFile,
                  "<play_time_all>", 0, 15);
    // Several artists: the artist may no longer name a folder.
    expectRefused(ValidateMask("<artist>\\<title>", TokenPermissions::forRenaming(true)),
                  ids::kMaskTokenInDirectory, "<artist>", 0, 8);
    // Table order decides which forbidden token is named, not the position in the mask.
    expectRefused(ValidateMask("<title> <number>\\x", kRenaming), ids::kMaskTokenInDirectory,
                  "<number>", 8, 8);
}

}  // namespace
}  // namespace tw::rename
