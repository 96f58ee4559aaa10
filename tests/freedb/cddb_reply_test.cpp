// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "freedb/cddb_reply.h"
#include "freedb/http_text.h"
#include "freedb/search_page_scanner.h"
#include "freedb/server_jobs.h"

namespace tw::freedb {
namespace {

TEST(ReplyCode, ReadsTheFirstThreeCharactersAsANumber) {
    EXPECT_EQ(ReplyCode("210 OK"), 210u);
    EXPECT_EQ(ReplyCode("2101"), 210u);
    EXPECT_EQ(ReplyCode("20"), 20u);
    EXPECT_EQ(ReplyCode("HTTP/1.1 200"), 0u);
    EXPECT_EQ(ReplyCode(""), 0u);
}

TEST(ServerLine, CutsSixFieldsAndKeepsTheRestAsDescription) {
    const ServerRecord server =
        ParseServerLine("gnudb.gnudb.org http 80 /~cddb/cddb.cgi N000.00 W000.00 Random server");
    EXPECT_EQ(server.address, "/~cddb/cddb.cgi");
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
    for (const char* line : {"Database entries: 123456", "data:12", "    blues: 5", "jazz: many"})
        ApplyStatLine(stats, line);
    EXPECT_EQ(stats.counters[ServerStatistics::Total], 123456u);
    EXPECT_EQ(stats.counters[ServerStatistics::FirstCategory + 10], 12u);
    EXPECT_EQ(stats.counters[ServerStatistics::FirstCategory + 0], 0u);
    EXPECT_EQ(stats.counters[ServerStatistics::FirstCategory + 4], 0u);
    EXPECT_NE(FormatServerStatistics(stats).find("\tData:\t\t12\r\n"), std::string::npos);
}

TEST(SearchPageScanner, RejectsLinksThatAreCutShortOrPointElsewhere) {
    SearchPageScanner scanner("http://web.test/freedb_search_fmt.php?cat=");
    const std::string link = "<a href=\"http://web.test/freedb_search_fmt.php?cat=";
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

TEST(HttpText, UrlEncodingKeepsOnlyLettersAndDigitsAndBase64PadsEveryLength) {
    EXPECT_EQ(UrlEncode("rock & roll"), "rock+%26+roll");
    EXPECT_EQ(UrlEncode("\t\xE9"), "%09%e9");
    EXPECT_EQ(UrlEncode("a-b_c.d~"), "a%2db%5fc%2ed%7e");
    EXPECT_EQ(Base64(""), "");
    EXPECT_EQ(Base64("f"), "Zg==");
    EXPECT_EQ(Base64("fo"), "Zm8=");
    EXPECT_EQ(Base64("foo"), "Zm9v");
    EXPECT_EQ(Base64("\xFF\xFE\xFD"), "//79");
}

}  // namespace
}  // namespace tw::freedb
