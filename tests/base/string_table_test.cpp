#include <gtest/gtest.h>

#include "base/string_ids.h"
#include "base/string_table.h"

namespace tw::base {
namespace {

TEST(StringTable, IdsAscendStrictlySoLookupsFindEveryText) {
    ASSERT_GT(builtinTextCount(), 500u);
    for (std::size_t n = 0; n < builtinTextCount(); ++n) {
        int id = builtinTextIdAt(n);
        if (n > 0) {
            EXPECT_LT(builtinTextIdAt(n - 1), id);
        }
        EXPECT_FALSE(builtinText(id).empty()) << id;
    }
}

TEST(StringTable, UnknownIdsGiveEmptyText) {
    EXPECT_TRUE(builtinText(0).empty());
    EXPECT_TRUE(builtinText(-1).empty());
    EXPECT_TRUE(builtinText(57701).empty());
    EXPECT_TRUE(builtinText(1 << 30).empty());
}

TEST(StringTable, TextsAreTheProgramsOwnBytes) {
    EXPECT_EQ(builtinText(ids::kProgressAddingFiles), "Adding audio file(s) into File List:");
    EXPECT_EQ(builtinText(57728), "Adding audio file(s) into File List:");
    EXPECT_EQ(builtinText(ids::kStatusCompletedSuccessfully), "Complited succesfully");
    EXPECT_EQ(builtinText(ids::kMenuChangeTitleCase), "Change \"&Title\" Case...");
    EXPECT_EQ(builtinText(ids::kLegendSubFolder), "SubFolder (\\)");
    EXPECT_EQ(builtinText(ids::kButtonDefault), "&Default");
    EXPECT_EQ(builtinText(ids::kCmdColumnTitle), "Show/hide \"Title\" column");
}

TEST(StringTable, EscapesAreRealControlCharacters) {
    EXPECT_EQ(builtinText(ids::kMsgConfirmClearV1),
              "Are you sure to delete all information in ID3v1 tag\nfor selected audio files?");
    EXPECT_EQ(builtinText(ids::kLogConnecting), "[INF]Connecting to %s:%s, timeout %u\r\n");
    EXPECT_EQ(builtinText(ids::kLogOpeningConnection), "\tOpening connection ... ");
    EXPECT_EQ(builtinText(ids::kMsgCreateOutputDirectory),
              "The output directory %s does not exist\n\rWoul you like to create it?");
    std::string_view info = builtinText(ids::kStreamInfoText);
    EXPECT_EQ(info.substr(0, 11), "Size:\t\t%s\r\n");
    EXPECT_EQ(info.substr(info.size() - 13), "No Header:\t%s");
}

TEST(StringTable, CddbErrorTextsAreFoundByCode) {
    EXPECT_EQ(builtinText(ids::kCddbErrorTextBase + 105), "User break.");
    EXPECT_EQ(builtinText(ids::kCddbErrorTextBase + 144), "Database entry is corrupt.");
    EXPECT_EQ(builtinText(ids::kCddbErrorTextBase + 175), "Server rejects submission.");
    EXPECT_EQ(builtinText(ids::kCddbErrorTextBase + 182), "Server statistics not retrieved!");
}

}  // namespace
}  // namespace tw::base
