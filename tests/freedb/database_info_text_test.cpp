#include "freedb/database_info_text.h"

#include <gtest/gtest.h>

#include "freedb/local_album_database.h"

namespace tw::freedb {
namespace {

TEST(DatabaseInfoText, SizesChangeUnitAtOneKilobyteAndOneMegabyte) {
    EXPECT_EQ(FormatDatabaseSize(0), "0 bytes");
    EXPECT_EQ(FormatDatabaseSize(1023), "1023 bytes");
    EXPECT_EQ(FormatDatabaseSize(1536), "1.50 Kbytes (1536 bytes)");
    EXPECT_EQ(FormatDatabaseSize(1048576), "1.00 Mbytes (1048576 bytes)");
    EXPECT_EQ(FormatDatabaseSize(6000000000ull), "5722.05 Mbytes (6000000000 bytes)");
}

TEST(DatabaseInfoText, LocalStatisticsListDataBeforeSoundtrack) {
    LocalDbStatistics stats;
    stats.albums[9] = 9;    // soundtrack
    stats.albums[10] = 10;  // data
    stats.totalAlbums = 19;
    stats.totalSize = 100;
    stats.spaceUsed = 4096;
    const std::string text = FormatLocalDbStatistics(stats);
    EXPECT_EQ(text.rfind("Total albums:\t\t19\r\n\tBlues:\t\t0\r\n", 0), 0u);
    EXPECT_NE(text.find("\tData:\t\t10\r\n\tSoundtrack:\t9\r\n"), std::string::npos);
    EXPECT_TRUE(
        text.ends_with("Total database size:\t\t100 bytes\r\nTotal space used on "
                       "disk:\t4.00 Kbytes (4096 bytes)"));

    EXPECT_EQ(FormatCdPlayerIniInfo("/x/CDPLAYER.INI", 10, 65535, 3),
              "Location:\t\t/x/CDPLAYER.INI\r\nFile Size:\t\t10 bytes\r\nMaximal File "
              "Size:\t64.00 Kbytes (65535 bytes)\r\nTracklists:\t3");
}

}  // namespace
}  // namespace tw::freedb
