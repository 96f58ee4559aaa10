#include <gtest/gtest.h>

#include "freedb/cddb_reply.h"
#include "freedb/search_page_scanner.h"

namespace tw::freedb {
namespace {

TEST(ReplyCode, ReadsTheFirstThreeCharactersAsANumber) {
    EXPECT_EQ(ReplyCode("210 OK"), 210u);
    EXPECT_EQ(ReplyCode("2101"), 210u);
    EXPECT_EQ(ReplyCode("20"), 20u);
    EXPECT_EQ(ReplyCode("HTTP/1.1 200"), 0u);
    EXPECT_EQ(ReplyCode(""), 0u);
    EXPECT_EQ(ReplyCode("<html>"), 0u);
}

TEST(ParseQueryResultLine, SplitsCategoryDiscIdAndDiscTitle) {
    auto match = ParseQueryResultLine("rock 0d01a202 Some Artist / Some / Title");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->category, "rock");
    EXPECT_EQ(match->discId, "0d01a202");
    EXPECT_EQ(match->artist, "Some Artist");
    EXPECT_EQ(match->title, "Some / Title");

    match = ParseQueryResultLine("misc 0d01a202 Untitled");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->artist, "Untitled");
    EXPECT_EQ(match->title, "Untitled");
}

TEST(ParseQueryResultLine, RejectsDiscIdsThatAreNotEightCharactersLong) {
    EXPECT_FALSE(ParseQueryResultLine("rock 0d01a20 A / B"));
    EXPECT_FALSE(ParseQueryResultLine("rock 0d01a2021 A / B"));
    EXPECT_FALSE(ParseQueryResultLine("rock"));
    EXPECT_FALSE(ParseQueryResultLine("rock 0d01a202"));
}

TEST(ServerLine, CutsSixFieldsAndKeepsTheRestAsDescription) {
    const ServerRecord server =
        ParseServerLine("gnudb.gnudb.org http 80 /~cddb/cddb.cgi N000.00 W000.00 Random server");
    EXPECT_EQ(server.site, "gnudb.gnudb.org");
    EXPECT_EQ(server.protocol, "http");
    EXPECT_EQ(server.port, "80");
    EXPECT_EQ(server.address, "/~cddb/cddb.cgi");
    EXPECT_EQ(server.latitude, "N000.00");
    EXPECT_EQ(server.longitude, "W000.00");
    EXPECT_EQ(server.description, "Random server");
    EXPECT_EQ(ParseServerLine(FormatServerLine(server)), server);

    const ServerRecord shortLine = ParseServerLine("host cddbp");
    EXPECT_EQ(shortLine.protocol, "cddbp");
    EXPECT_TRUE(shortLine.port.empty());
    EXPECT_TRUE(shortLine.description.empty());
}

TEST(ApplyStatLine, ReadsEachCounterOnlyWhenItsKeyStartsTheLine) {
    ServerStatistics stats;
    ApplyStatLine(stats, "Database entries: 123456");
    ApplyStatLine(stats, "rock: 77");
    ApplyStatLine(stats, "data:12");
    ApplyStatLine(stats, "current users: 3");
    ApplyStatLine(stats, "max users: 100");
    ApplyStatLine(stats, "    blues: 5");  // not at the start: ignored
    ApplyStatLine(stats, "jazz: many");
    EXPECT_EQ(stats.counters[ServerStatistics::Total], 123456u);
    EXPECT_EQ(stats.counters[ServerStatistics::FirstCategory + 8], 77u);
    EXPECT_EQ(stats.counters[ServerStatistics::FirstCategory + 10], 12u);
    EXPECT_EQ(stats.counters[ServerStatistics::FirstCategory + 0], 0u);
    EXPECT_EQ(stats.counters[ServerStatistics::FirstCategory + 4], 0u);
    EXPECT_EQ(stats.counters[ServerStatistics::CurrentUsers], 3u);
    EXPECT_EQ(stats.counters[ServerStatistics::MaxUsers], 100u);
}

TEST(SearchPageScanner, FindsAlbumLinksAndCarriesTitlesToFurtherCategories) {
    SearchPageScanner scanner("http://web.test/freedb_search_fmt.php?cat=");
    const std::string link = "<a href=\"http://web.test/freedb_search_fmt.php?cat=";
    auto first = scanner.ScanLine("<tr><td>" + link + "rock&id=0d01a202\">Band / Album</a>");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->category, "rock");
    EXPECT_EQ(first->discId, "0d01a202");
    EXPECT_EQ(first->artist, "Band");
    EXPECT_EQ(first->title, "Album");

    auto further = scanner.ScanLine("<font size=-1>" + link + "misc&id=0d01a203\">misc</a>");
    ASSERT_TRUE(further);
    EXPECT_EQ(further->category, "misc");
    EXPECT_EQ(further->discId, "0d01a203");
    EXPECT_EQ(further->artist, "Band");
    EXPECT_EQ(further->title, "Album");

    auto noTitle = scanner.ScanLine(link + "jazz&id=11111111\">Solo / </a>");
    ASSERT_TRUE(noTitle);
    EXPECT_EQ(noTitle->title, "Solo");

    EXPECT_FALSE(scanner.ScanLine(link + "rock\">no id</a>"));
    EXPECT_FALSE(scanner.ScanLine(link + "rock&id=0d01a202>no quote</a>"));
    EXPECT_FALSE(scanner.ScanLine(link + "rock&id=0d01a202\">no end"));
    EXPECT_FALSE(
        scanner.ScanLine("<a href=\"http://other.test/freedb_search_fmt.php?cat=rock"
                         "&id=0d01a202\">Elsewhere</a>"));
    EXPECT_TRUE(SearchPageScanner::IsEndLine("</html>"));
    EXPECT_FALSE(SearchPageScanner::IsEndLine(" </html>"));
}

}  // namespace
}  // namespace tw::freedb
