// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "core/tag_fields.h"

namespace tw::core {
namespace {

TEST(TagFields, TextSettersActOnlyOnAPresentTag) {
    TagFields tag;
    tag.setTitle("Song");
    EXPECT_EQ(tag.title, "");
    EXPECT_FALSE(tag.changed);
    tag.present = true;
    tag.setTitle("Song");
    EXPECT_EQ(tag.title, "Song");
    EXPECT_TRUE(tag.changed);
}

TEST(TagFields, TrackTextReadsNumberAndTotal) {
    TagFields tag;
    tag.assignTrackText("5/12", false);
    EXPECT_EQ(tag.track, 5);
    EXPECT_EQ(tag.trackTotal, 12);
    EXPECT_EQ(tag.trackText, "5");
    EXPECT_FALSE(tag.changed);
    tag.assignTrackText("x", true);
    EXPECT_EQ(tag.track, 0);
    EXPECT_EQ(tag.trackTotal, 0);
    EXPECT_TRUE(tag.changed && tag.present);
}

TEST(TagFields, LeadingNumberSaturates) {
    EXPECT_EQ(leadingNumber("  -12ab"), -12);
    EXPECT_EQ(leadingNumber("99999999999"), 2147483647);
    EXPECT_EQ(leadingNumber("abc"), 0);
}

}  // namespace
}  // namespace tw::core
