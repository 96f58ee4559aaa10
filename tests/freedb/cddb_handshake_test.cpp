// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "net_fixture.h"
#include "support/fake_cddb_server.h"

namespace tw::freedb::test {
namespace {

using ::tw::test::FakeCddbDatabase;
using ::tw::test::FakeCddbServer;

TEST(CddbHandshake, OpensWithGreetingHelloAndProtocolLevel) {
    FakeCddbDatabase database;
    FakeCddbServer server(database);
    StoreUnderTest client(LocalSettings(server.port(), false));
    ASSERT_TRUE(client.store->open());
    client.store->close();
    const std::vector<std::string> commands = database.commands();
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0], "cddb hello tester example.test Tunewright " TW_VERSION_TEXT);
    EXPECT_EQ(commands[1], "proto 6");
    EXPECT_EQ(commands[2], "quit");
    EXPECT_EQ(
        client.lines(),
        (std::vector<std::string>{
            "[INF]Connecting to 127.0.0.1:" + std::to_string(server.port()) + ", timeout 3",
            "     Opening connection ... done.", "     Sending handshake ... done.",
            "     Protocol level negotiations ... done.", "     Closing connection ...done."}));
}

TEST(CddbHandshake, HelloWordsNeverHoldBlanks) {
    FakeCddbDatabase database;
    FakeCddbServer server(database);
    FreeDbSettings settings = LocalSettings(server.port(), false);
    settings.emailAddress = "first last@my host";
    StoreUnderTest client(settings);
    ASSERT_TRUE(client.store->open());
    EXPECT_EQ(database.commands()[0], "cddb hello first_last my_host Tunewright " TW_VERSION_TEXT);

    // Without an address the system's names stand in; still four words.
    settings.emailAddress.clear();
    StoreUnderTest anonymous(settings);
    ASSERT_TRUE(anonymous.store->open());
    const std::string hello = database.commands().at(2);  // after the first client's two
    EXPECT_EQ(std::count(hello.begin(), hello.end(), ' '), 5) << hello;
}

TEST(CddbHandshake, EachRefusalFailsTheOpeningWithItsReason) {
    const struct {
        const char* greeting;
        const char* prefix;  // the command answered with `reply`
        const char* reply;
        bool opens;
        const char* lastLine;
    } cases[] = {
        {"432 No connections allowed", "", "", false, "[ERR]Error 103: Permission denied"},
        {"433 Too many users", "", "", false, "[ERR]Error 104: No more users allowed"},
        {"434 Load too high", "", "", false, "[ERR]Error 106: Remote server overloaded"},
        {"201 read-only server ready", "", "", true, "     Protocol level negotiations ... done."},
        {"201 ready", "cddb hello", "431 Handshake not successful", false,
         "[ERR]Error 112: The server answered \"431 Handshake not successful\""},
        // A server that refuses level 6 and names no level of its own is used at level 1.
        {"201 ready", "proto", "501 Illegal protocol level", true,
         "[INF]     The server does not support protocol level 6; going on at level 1"},
        {"201 ready", "proto", "200 CDDB protocol level: current 6, supported 6", true,
         "[INF]     Server supports more modern protocol"},
    };
    for (const auto& c : cases) {
        FakeCddbDatabase database;
        if (*c.prefix != '\0')
            database.setScript(Answer(c.prefix, {c.reply}));
        FakeCddbServer server(database, {}, c.greeting);
        StoreUnderTest client(LocalSettings(server.port(), false));
        EXPECT_EQ(client.store->open(), c.opens) << c.greeting << " " << c.reply;
        EXPECT_EQ(client.lines().back(), c.lastLine);
    }
}

TEST(CddbHandshake, NoGreetingIsAWelcomeTimeout) {
    FakeCddbDatabase database;
    FakeCddbServer silent(database, {::tw::test::Hostility::Silent, "", {}});
    StoreUnderTest waiting(LocalSettings(silent.port(), false, 1));
    EXPECT_FALSE(waiting.store->open());
    EXPECT_EQ(waiting.lines().back(), "[ERR]Error 102: Waiting for welcome timeout");
}

}  // namespace
}  // namespace tw::freedb::test
