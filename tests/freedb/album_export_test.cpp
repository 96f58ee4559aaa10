// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/album_export.h"

#include <gtest/gtest.h>

#include "freedb/album_info.h"
#include "freedb/database_info_text.h"
#include "freedb/local_album_database.h"
#include "freedb_fakes.h"
#include "support/temp_dir.h"

namespace tw::freedb {
namespace {

AlbumInfo sample() {
    AlbumInfo album = test::AlbumOfSeconds({180, 240});
    album.setArtist("Band");
    album.setTitle("Record");
    album.setYear("1999");
    album.setCategory("rock");
    album.setDiscId("0d01a202");
    album.setExtendedData("notes");
    album.track(0).setTitle("One", false);
    album.track(1).setTitle("Second song", false);
    album.track(1).setExtraData("live", false);
    return album;
}

TEST(AlbumExport, TextPadsLabelsAndColumns) {
    const std::string expected = std::string(
        "Artist:                       Band\r\n"
        "Title:                        Record\r\n"
        "Year:                         1999\r\n"
        "Disk ID:                      0d01a202\r\n"
        "Category:                     rock\r\n"
        "Disk Length:                  07:00\r\n"
        "Extra Info:                   notes\r\n"
        "\r\n\r\n"
        "----------------------------------------\r\n"
        "#  Title       Length Frames Extra Info \r\n"
        "----------------------------------------\r\n"
        "01 One         03:00  13500             \r\n"
        "02 Second song 03:58  17850  live       \r\n");
    EXPECT_EQ(ExportAlbum(sample(), AlbumExportFormat::Text), expected);
}

TEST(AlbumExport, CompilationsGetAnArtistColumnAndIniAlbumsLoseWhatTheIniLacks) {
    AlbumInfo compilation = sample();
    compilation.setTrackArtist(0, "Guest");
    const std::string text = ExportAlbum(compilation, AlbumExportFormat::Text);
    EXPECT_NE(text.find("Extra Info Artist \r\n"), std::string::npos);
    EXPECT_NE(text.find(" Guest  \r\n"), std::string::npos);
    EXPECT_EQ(ExportAlbum(sample(), AlbumExportFormat::Text).find("Artist \r\n"),
              std::string::npos);

    AlbumInfo fromIni = sample();
    fromIni.setSource(AlbumSource::CdPlayerIni);
    const std::string html = ExportAlbum(fromIni, AlbumExportFormat::Html);
    for (const char* label : {"Category:", "Disk Length:", "Extra Info:"})
        EXPECT_EQ(html.find(label), std::string::npos) << label;
    EXPECT_NE(html.find("<TR><TH>#</TH><TH>Title</TH><TH>Extra Info</TH></TR>\r\n"),
              std::string::npos);
    EXPECT_NE(html.find("<TR><TD>01</TD><TD>One</TD><TD>&nbsp;</TD></TR>\r\n"), std::string::npos);
}

TEST(AlbumExport, HtmlIsAsciiAndAlbumTextsCannotAddMarkup) {
    AlbumInfo album = sample();
    album.setArtist("<script>\"R&B\"</script> caf\xC3\xA9 \xF0\x9F\x8E\xB5");
    const std::string html = ExportAlbum(album, AlbumExportFormat::Html);
    EXPECT_EQ(html.rfind("<HTML>\r\n<TITLE>Album 0d01a202</TITLE>\r\n<BODY>\r\n", 0), 0u);
    EXPECT_NE(html.find("<TR><TD>Artist:</TD><TD><B>&lt;script&gt;&quot;R&amp;B&quot;&lt;/"
                        "script&gt; caf&#233; &#127925;</B></TD>\r\n"),
              std::string::npos);
    EXPECT_NE(html.find("<TD>02</TD><TD>Second song</TD><TD>03:58</TD><TD>17850</TD>"
                        "<TD>&nbsp;live</TD></TR>"),
              std::string::npos);
    EXPECT_TRUE(html.ends_with("</TABLE>\r\n</BODY>\r\n</HTML>"));
    for (char c : html)
        EXPECT_LT(static_cast<unsigned char>(c), 128u);
}

TEST(AlbumExport, RtfEscapesControlCharactersAndWritesUnicodeAsUnits) {
    AlbumInfo album = sample();
    album.setTitle("{\\b} caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x8E\xB5\nnext");
    const std::string rtf = ExportAlbum(album, AlbumExportFormat::Rtf);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\deff0{\\fonttbl", 0), 0u);
    EXPECT_NE(rtf.find("\\qc 0d01a202\\cf2\\i0\\par\\par\\fs20\r\n"), std::string::npos);
    EXPECT_NE(rtf.find("\\b \\{\\\\b\\} caf\\u233? \\u20013? \\u-10180?\\u-8267?\\line next \\b0"),
              std::string::npos);
    EXPECT_NE(rtf.find("\\pard\\intbl 02\\cell\\pard\\intbl Second song\\cell\\pard\\intbl "
                       "03:58\\cell\\pard\\intbl 17850\\cell\\pard\\intbl live\\cell\r\n"
                       "\\trowd\\trhdr\\trautofit1\\trgaph90\\trleft0\\trrh100"),
              std::string::npos);
    EXPECT_NE(rtf.find("\\cellx8000\\row\\pard\r\n"), std::string::npos);
    EXPECT_EQ(rtf.find("\\cellx8500"), std::string::npos);
    EXPECT_TRUE(rtf.ends_with("\\row\\pard\r\n\\par }"));
    for (char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 128u);
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

TEST(DatabaseInfoText, EachTabReadsItsStoreOrSaysItCannot) {
    tw::test::TempDir dir;
    EXPECT_FALSE(CdPlayerIniInfoText(dir / "CDPLAYER.INI"));
    const LocalDbSettings settings{dir / "database", LocalDbMode::Standard};
    ASSERT_TRUE(LocalAlbumDatabase(settings).write(sample()));
    const auto localText = LocalDbInfoText(settings, {});
    ASSERT_TRUE(localText);
    EXPECT_EQ(localText->rfind("Total albums:\t\t1\r\n", 0), 0u) << *localText;
    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(LocalDbInfoText(settings, stop.get_token()));
}

}  // namespace
}  // namespace tw::freedb
