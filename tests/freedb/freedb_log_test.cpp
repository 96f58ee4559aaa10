// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "freedb/freedb_log.h"
#include "net_fixture.h"

namespace tw::freedb::test {
namespace {

TEST(FreeDbLog, AProgressTextAndItsEndMakeOneLineAndStoppingTurnsErrorsIntoUserBreak) {
    for (bool stopping : {false, true}) {
        LogLines lines;
        std::stop_source stop;
        FreeDbLog log(lines.output(), stop.get_token(), false);
        if (stopping)
            stop.request_stop();
        log.log("\tOpening connection ... ");
        EXPECT_TRUE(lines.lines().empty());
        log.log("failed.\r\n");
        log.log("[ERR]Error 101: Can't connect to remote server!\r\n");
        log.log("[INF]\tNothing found.\r\n");
        EXPECT_EQ(lines.lines(), (std::vector<std::string>{
                                     "     Opening connection ... failed.",
                                     stopping ? "[ERR]Error 105: User break."
                                              : "[ERR]Error 101: Can't connect to remote server!",
                                     "[INF]     Nothing found."}));
    }
}

TEST(FreeDbLog, LinesNeverRunTogetherAndTheLastIsPassedOnAtTheEnd) {
    LogLines lines;
    {
        FreeDbLog log(lines.output(), {}, true);
        // A whole line that comes while a progress text is held follows the finished line.
        log.log("\tRetrieving album info for (0d01a202) ... ");
        log.log("[INF]\tAlbum x is parsed as compilation with delimiter '-'\r\n");
        log.log("done.\r\n");
        // A progress text that nothing finished ends before the next one, and before an
        // error line that came without "failed.".
        log.log("\tRetrieving album info for (11111111) ... ");
        log.log("\tRetrieving album info for (22222222) ... ");
        log.log("[ERR]Error 141: Receiving timeout.\r\n");
        log.log("\tClosing connection ...");
        log.traceLine(ProtocolTrace::Direction::Sent, "quit");
    }
    EXPECT_EQ(lines.lines(), (std::vector<std::string>{
                                 "     Retrieving album info for (0d01a202) ... done.",
                                 "[INF]     Album x is parsed as compilation with delimiter '-'",
                                 "     Retrieving album info for (11111111) ... ",
                                 "     Retrieving album info for (22222222) ... ",
                                 "[ERR]Error 141: Receiving timeout.", "[DBG] -> quit",
                                 "     Closing connection ..."}));
}

TEST(FreeDbLog, FullLoggingPutsTheProtocolLinesBeforeTheLineTheyBelongTo) {
    for (bool full : {false, true}) {
        LogLines lines;
        FreeDbLog log(lines.output(), {}, full);
        log.log("\tSending handshake ... ");
        log.traceLine(ProtocolTrace::Direction::Sent, "cddb hello a b c d");
        log.traceLine(ProtocolTrace::Direction::Received, "200 hello");
        log.traceLine(ProtocolTrace::Direction::Note, "Close Socket");
        log.log("done.\r\n");
        std::vector<std::string> expected;
        if (full)
            expected = {"[DBG] -> cddb hello a b c d", "[DBG] <- 200 hello",
                        "[DBG]    Close Socket"};
        expected.push_back("     Sending handshake ... done.");
        EXPECT_EQ(lines.lines(), expected);
    }
}

TEST(FreeDbLog, HeldProtocolLinesAreBounded) {
    LogLines lines;
    FreeDbLog log(lines.output(), {}, true);
    const std::string line(1000, 'x');
    for (int i = 0; i < 1000; ++i)
        log.traceLine(ProtocolTrace::Direction::Received, line);
    // Long before the thousandth line, the held ones went out.
    EXPECT_GT(lines.lines().size(), 500u);
}

TEST(MakeLogEntry, SortsByPrefixAndStampsTheLocalTime) {
    std::tm time{};
    time.tm_mday = 6;
    time.tm_mon = 11;
    time.tm_year = 126;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 7;
    const LogEntry info = MakeLogEntry("[INF]     Found exact match", time);
    EXPECT_EQ(info.level, LogEntry::Info);
    EXPECT_EQ(info.text, "(06.12.2026, 09:05:07)      Found exact match");
    EXPECT_EQ(MakeLogEntry("[ERR]Error 101: x", time).level, LogEntry::Error);
    EXPECT_EQ(MakeLogEntry("     Opening", time).level, LogEntry::Plain);
}

}  // namespace
}  // namespace tw::freedb::test
