// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <chrono>

#include "net_fixture.h"
#include "support/fake_cddb_server.h"
#include "support/fake_http_server.h"

namespace tw::freedb::test {
namespace {

using namespace std::chrono_literals;
using ::tw::test::FakeCddbDatabase;
using ::tw::test::FakeCddbServer;
using ::tw::test::FakeHttpServer;
using ::tw::test::Hostility;
using ::tw::test::HttpHostility;

class HostileCddbServer : public ::testing::Test {
protected:
    HostileCddbServer() { database.add(Album("rock", "0d01a202", "Band / First", 12)); }

    // Opens a client on a server that misbehaves on commands starting with `trigger`.
    std::unique_ptr<StoreUnderTest> connect(Hostility hostility, const char* trigger,
                                            unsigned timeout = 2) {
        server = std::make_unique<FakeCddbServer>(
            database, ::tw::test::FakeServerMisbehaviour{hostility, trigger, 20ms});
        auto client =
            std::make_unique<StoreUnderTest>(LocalSettings(server->port(), false, timeout));
        EXPECT_TRUE(client->store->open());
        return client;
    }

    // Runs `action` and checks that it ended within the time-out and a second.
    template <typename Action>
    void boundedInTime(unsigned timeout, Action action) {
        const auto start = std::chrono::steady_clock::now();
        action();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(timeout + 1));
    }

    FakeCddbDatabase database;
    std::unique_ptr<FakeCddbServer> server;
};

TEST_F(HostileCddbServer, AnEndlessListOfMatchesStopsAtTheBound) {
    auto client = connect(Hostility::EndlessReply, "cddb query", 30);
    std::size_t delivered = 0;
    boundedInTime(30, [&] {
        EXPECT_FALSE(client->store->query(AlbumOfSeconds({180, 240}),
                                          [&](const AlbumInfo&) { ++delivered; }));
    });
    EXPECT_EQ(delivered, 0u);
    EXPECT_EQ(client->lines().back(), "[ERR]Error 131: The server's reply is too large.");
    // The connection that was out of step is gone; the next command fails at once.
    AlbumInfo album = AlbumKey("rock", "0d01a202");
    EXPECT_FALSE(client->store->read(album));
}

TEST_F(HostileCddbServer, BrokenRecordsFailTheReadWithinTheTimeOut) {
    const struct {
        Hostility hostility;
        unsigned timeout;
        const char* error;  // when the kind of failure is worth telling the user
    } cases[] = {{Hostility::EndlessReply, 30, nullptr},
                 {Hostility::EndlessLine, 30, "[ERR]Error 141: The server's reply is too large."},
                 {Hostility::CloseMidLine, 2,
                  "[ERR]Error 141: The server closed the connection before the reply was "
                  "complete."}};
    for (const auto& c : cases) {
        auto client = connect(c.hostility, "cddb read", c.timeout);
        AlbumInfo album = AlbumKey("rock", "0d01a202");
        boundedInTime(c.timeout, [&] { EXPECT_FALSE(client->store->read(album)); });
        if (c.error != nullptr) {
            EXPECT_EQ(client->lines().back(), c.error);
        }
    }
}

TEST_F(HostileCddbServer, GarbageAndWrongCodesFailTheCommand) {
    {
        auto client = connect(Hostility::Garbage, "cddb query");
        EXPECT_FALSE(client->store->query(AlbumOfSeconds({180, 240}), [](const AlbumInfo&) {}));
    }
    {
        auto client = connect(Hostility::WrongCode, "cddb read");
        AlbumInfo album = AlbumKey("rock", "0d01a202");
        EXPECT_FALSE(client->store->read(album));
        // A reply code the command does not know is no reason to drop the connection.
        std::vector<AlbumInfo> found;
        EXPECT_TRUE(client->store->query(AlbumOfSeconds({180, 240}),
                                         [&](const AlbumInfo& a) { found.push_back(a); }));
    }
}

TEST_F(HostileCddbServer, EightBitTextArrivesAsUtf8) {
    // The server sends every "e" as the windows-1252 byte of "é".
    database.add(Album("misc", "0d01a202", "Bela / Title"));
    auto client = connect(Hostility::InvalidUtf8, "cddb read");
    AlbumInfo album = AlbumKey("misc", "0d01a202");
    ASSERT_TRUE(client->store->read(album));
    EXPECT_EQ(album.artist(), "B\xC3\xA9la");
    EXPECT_EQ(album.title(), "Titl\xC3\xA9");
    EXPECT_EQ(album.track(0).title(), "Track 1");
}

TEST_F(HostileCddbServer, SilenceAfterTheCommandEndsAtTheTimeOut) {
    auto client = connect(Hostility::Silent, "stat", 1);
    ServerStatistics stats;
    boundedInTime(1, [&] { EXPECT_FALSE(client->store->getStatistics(stats)); });
    EXPECT_EQ(client->lines().back(), "[ERR]Error 181: Receiving timeout.");
}

// A failed command names what went wrong, whichever step it went wrong in: that the request
// was sent but its answer broke is no "Sending query failed".
TEST(FailureCauses, AClosedPortIsARefusedConnection) {
    const unsigned port = ::tw::test::ClosedLoopbackPort();
    const std::string refused =
        "The connection to 127.0.0.1:" + std::to_string(port) + " was refused.";
    for (const bool http : {false, true}) {
        StoreUnderTest client(LocalSettings(port, http));
        EXPECT_FALSE(client.store->open() &&
                     client.store->query(AlbumOfSeconds({180, 240}), [](const AlbumInfo&) {}));
        EXPECT_EQ(client.lines().back(),
                  (http ? "[ERR]Error 130: " : "[ERR]Error 101: ") + refused);
    }
}

TEST(FailureCauses, ACddbServerThatMisbehavesIsNamedForWhatItDid) {
    const struct {
        Hostility hostility;
        const char* trigger;  // empty: the greeting
        const char* error;
    } cases[] = {
        {Hostility::Reset, "cddb query", "[ERR]Error 131: The server reset the connection."},
        {Hostility::EndlessLine, "", "[ERR]Error 102: The server's reply is too large."},
        {Hostility::Reset, "", "[ERR]Error 102: The server reset the connection."},
    };
    for (const auto& c : cases) {
        FakeCddbDatabase database;
        FakeCddbServer server(database, {c.hostility, c.trigger, {}});
        StoreUnderTest client(LocalSettings(server.port(), false, 3));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(client.store->open() &&
                     client.store->query(AlbumOfSeconds({180, 240}), [](const AlbumInfo&) {}));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << c.error;
        EXPECT_EQ(client.lines().back(), c.error);
    }
}

TEST(FailureCauses, AnHttpAnswerThatBreaksIsNamedForHowItBroke) {
    const std::string malformed = "[ERR]Error 131: The server's reply is malformed: ";
    const struct {
        HttpHostility hostility;
        std::string error;
    } cases[] = {
        {HttpHostility::BadChunkSize, malformed + "bad chunk size."},
        {HttpHostility::HugeChunkSize, malformed + "bad chunk size."},
        {HttpHostility::EndlessHeaders, malformed + "too many header lines."},
        {HttpHostility::NoStatusLine, malformed + "no HTTP status line."},
        {HttpHostility::GzipBody,
         "[ERR]Error 131: The server's reply uses the unsupported content encoding \"gzip\"."},
        {HttpHostility::Reset, "[ERR]Error 131: The server reset the connection."},
        {HttpHostility::EndlessChunks, "[ERR]Error 133: The server answered \"rock 0a0b0c0d X\""},
    };
    for (const auto& c : cases) {
        FakeCddbDatabase database;
        database.add(Album("rock", "0d01a202", "Band / First"));
        ::tw::test::FakeHttpOptions options;
        options.hostility = c.hostility;
        FakeHttpServer server(::tw::test::CddbHttpHandler(database), options);
        StoreUnderTest client(LocalSettings(server.port(), true, 3));
        ASSERT_TRUE(client.store->open());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(client.store->query(AlbumOfSeconds({180, 240}), [](const AlbumInfo&) {}));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << c.error;
        EXPECT_EQ(client.lines().back(), c.error);
    }
}

// The time-out is for a silent server, not for a slow one: a reply that keeps coming, byte by
// byte, completes however long it takes in all.
class IdleTimeOut : public ::testing::TestWithParam<bool> {};

TEST_P(IdleTimeOut, AReplyTricklingInFasterThanTheLimitCompletes) {
    constexpr auto kPause = 10ms;  // 100 bytes a second
    constexpr unsigned kTimeout = 1;
    const bool overHttp = GetParam();
    // Over HTTP the head trickles in too, so a single match makes the reply long enough.
    FakeCddbDatabase database;
    database.add(Album("rock", "0d01a202", "Band / First"));
    if (!overHttp)
        database.add(Album("jazz", "0d01a202", "Band / Second"));
    ::tw::test::FakeHttpOptions options;
    options.hostility = HttpHostility::Trickle;
    options.tricklePause = kPause;
    std::unique_ptr<FakeCddbServer> cddbp;
    std::unique_ptr<FakeHttpServer> http;
    if (overHttp) {
        http = std::make_unique<FakeHttpServer>(::tw::test::CddbHttpHandler(database), options);
    } else {
        cddbp = std::make_unique<FakeCddbServer>(
            database,
            ::tw::test::FakeServerMisbehaviour{Hostility::SlowTrickle, "cddb query", kPause});
    }
    StoreUnderTest client(
        LocalSettings(overHttp ? http->port() : cddbp->port(), overHttp, kTimeout));
    ASSERT_TRUE(client.store->open());
    std::size_t found = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(client.store->query(AlbumOfSeconds({180, 240}), [&](const AlbumInfo&) { ++found; }))
        << client.lines().back();
    // Longer in all than the time-out, or the test would prove nothing.
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::seconds(kTimeout));
    EXPECT_EQ(found, overHttp ? 1u : 2u);
}

INSTANTIATE_TEST_SUITE_P(Transports, IdleTimeOut, ::testing::Values(false, true));

}  // namespace
}  // namespace tw::freedb::test
