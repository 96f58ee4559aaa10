// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/genre_table.h"

#include <gtest/gtest.h>

namespace tw::core {
namespace {

TEST(GenreTable, PositionsPointBackAtTheirEntries) {
    const auto entries = GenreTable::entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].number < 128) {
            EXPECT_EQ(GenreTable::positionOf(entries[i].number), i);
        }
    }
}

TEST(GenreTable, NumbersOutsideTheNamedRangeHaveNoText) {
    for (int number : {-1, 126, 127, 128, 254, 255}) {
        EXPECT_EQ(genreName(number), "") << number;
        EXPECT_EQ(genreText(number), "") << number;
    }
}

TEST(GenreTable, ParseGenreReadsNumbersThenNames) {
    EXPECT_EQ(parseGenre("(13)", -1), 13);
    EXPECT_EQ(parseGenre("(13)Pop", -1), 13);
    EXPECT_EQ(parseGenre("(17)Anything", -1), 17);
    EXPECT_EQ(parseGenre("( 7)", -1), 7);
    EXPECT_EQ(parseGenre("(-5)", 3), -1);
    EXPECT_EQ(parseGenre("Pop", -1), 13);
    EXPECT_EQ(parseGenre("Not Set", -1), 255);
    EXPECT_EQ(parseGenre("Data", -1), 254);
    EXPECT_EQ(parseGenre("pop", 4), 4);
    EXPECT_EQ(parseGenre("(x)Rock", 4), 4);
    EXPECT_EQ(parseGenre("", 4), 4);
}

TEST(GenreTable, GenreByNameIgnoresCaseWithinTheId3v1Range) {
    TagFields fields;
    fields.present = true;
    genreByName(fields, "rOCK");
    EXPECT_EQ(fields.genre, 17);
    EXPECT_FALSE(fields.changed);
    genreByName(fields, "Data");  // 254 lies outside 0..127
    EXPECT_EQ(fields.genre, -1);
    fields.genre = 5;
    genreByName(fields, "Polka Punk");
    EXPECT_EQ(fields.genre, -1);
}

}  // namespace
}  // namespace tw::core
