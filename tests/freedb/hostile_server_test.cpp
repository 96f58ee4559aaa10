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

AlbumInfo rockAlbum() {
    AlbumInfo album;
    album.setCategory("rock");
    album.setDiscId("0d01a202");
    return album;
}

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
    AlbumInfo album = rockAlbum();
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
                  "complete."},
                 {Hostility::SlowTrickle, 1, "[ERR]Error 141: Receiving timeout."}};
    for (const auto& c : cases) {
        auto client = connect(c.hostility, "cddb read", c.timeout);
        AlbumInfo album = rockAlbum();
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
        AlbumInfo album = rockAlbum();
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
    AlbumInfo album;
    album.setCategory("misc");
    album.setDiscId("0d01a202");
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

class HostileHttpServer : public ::testing::TestWithParam<HttpHostility> {};

TEST_P(HostileHttpServer, BrokenResponsesFailTheCommandInTime) {
    FakeCddbDatabase database;
    database.add(Album("rock", "0d01a202", "Band / First"));
    ::tw::test::FakeHttpOptions options;
    options.hostility = GetParam();
    FakeHttpServer server(::tw::test::CddbHttpHandler(database), options);
    StoreUnderTest client(LocalSettings(server.port(), true, 30));
    ASSERT_TRUE(client.store->open());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.store->query(AlbumOfSeconds({180, 240}), [](const AlbumInfo&) {}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileHttpServer,
                         ::testing::Values(HttpHostility::HugeChunkSize,
                                           HttpHostility::BadChunkSize,
                                           HttpHostility::EndlessChunks,
                                           HttpHostility::EndlessHeaders,
                                           HttpHostility::NoStatusLine));

}  // namespace
}  // namespace tw::freedb::test
