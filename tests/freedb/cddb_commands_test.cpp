// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>

#include "freedb/disc_id.h"
#include "freedb/local_album_database.h"
#include "freedb/xmcd_writer.h"
#include "net_fixture.h"
#include "support/fake_cddb_server.h"
#include "support/fake_http_server.h"
#include "support/file_text.h"
#include "support/strict_xmcd.h"
#include "support/temp_dir.h"

namespace tw::freedb::test {
namespace {

using ::tw::test::FakeCddbDatabase;
using ::tw::test::FakeCddbServer;
using ::tw::test::FakeHttpServer;
using ::tw::test::HttpFraming;

enum class Transport { Tcp, HttpLength, HttpChunked };

class CddbCommands : public ::testing::TestWithParam<Transport> {
protected:
    void SetUp() override {
        database.add(Album("rock", "0d01a202", "Band / First"));
        database.add(Album("misc", "0d01a202", "Band / First (misc)"));
        database.add(Album("jazz", "12345678", "Solo / Only", 3));
        if (GetParam() == Transport::Tcp) {
            tcp = std::make_unique<FakeCddbServer>(database);
        } else {
            ::tw::test::FakeHttpOptions options;
            options.framing = GetParam() == Transport::HttpChunked ? HttpFraming::Chunked
                                                                   : HttpFraming::ContentLength;
            http = std::make_unique<FakeHttpServer>(::tw::test::CddbHttpHandler(database), options);
        }
        client = std::make_unique<StoreUnderTest>(settings());
        ASSERT_TRUE(client->store->open());
        client->lines();
        client->logLines.clear();
    }
    void TearDown() override { client->store->close(); }

    FreeDbSettings settings() const {
        return LocalSettings(tcp ? tcp->port() : http->port(), GetParam() != Transport::Tcp);
    }

    // Adds the album's record to the server's database under `category`.
    void serve(const std::string& category, const AlbumInfo& album) {
        database.add({category, album.discId(), album.artist() + " / " + album.title(),
                      LinesOf(WriteXmcd(album))});
    }

    AlbumInfo read(const std::string& category, const std::string& discId, StoreUnderTest& from) {
        AlbumInfo album = AlbumKey(category, discId);
        EXPECT_TRUE(from.store->read(album)) << category << " " << discId;
        return album;
    }

    std::vector<AlbumInfo> query(const AlbumInfo& album, bool expected = true) {
        std::vector<AlbumInfo> found;
        EXPECT_EQ(client->store->query(album, [&](const AlbumInfo& a) { found.push_back(a); }),
                  expected);
        return found;
    }

    FakeCddbDatabase database;
    std::unique_ptr<FakeCddbServer> tcp;
    std::unique_ptr<FakeHttpServer> http;
    std::unique_ptr<StoreUnderTest> client;
};

TEST_P(CddbCommands, QuerySendsOffsetsAndListsSeveralOneOrNoMatches) {
    const std::vector<AlbumInfo> found = query(AlbumOfSeconds({180, 240}));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(Summary(found[0]), "rock 0d01a202 Band / First");
    EXPECT_EQ(found[0].trackCount(), 0u);
    EXPECT_EQ(found[1].title(), "First (misc)");
    EXPECT_EQ(database.commands().back(), "cddb query 0d01a202 2  150 13650 420");
    // One match and none are told apart in the log.
    database.add(Album("rock", "0200c601", "Single / Match"));
    EXPECT_EQ(query(AlbumOfSeconds({200})).size(), 1u);
    EXPECT_TRUE(query(AlbumOfSeconds({201})).empty());
    EXPECT_EQ(client->lines(),
              (std::vector<std::string>{
                  "     Retrieving albums list ... done.", "[INF]     Found 2 matches.",
                  "     Retrieving albums list ... done.", "[INF]     Found exact match",
                  "     Retrieving albums list ... done.", "[INF]     Nothing found."}));
}

TEST_P(CddbCommands, QuerySkipsResultLinesThatCannotBeUsed) {
    database.setScript(
        Answer("cddb query", {"211 close matches", "rock 0d01a20 seven characters",
                              "rock 0d01a2021 nine characters", "rock 0d01a2zz not hexadecimal",
                              "../etc 0d01a202 a path", "rock 0d01a202 Kept / Album", "."}));
    const std::vector<AlbumInfo> found = query(AlbumOfSeconds({180, 240}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].title(), "Album");
}

TEST_P(CddbCommands, QueryWithoutTracksSweepsTheCategoriesQuietly) {
    AlbumInfo known;
    known.setDiscId("0d01a202");
    const std::vector<AlbumInfo> found = query(known);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].category(), "misc");  // category order: misc before rock
    EXPECT_EQ(found[1].trackCount(), 2u);
    EXPECT_EQ(found[1].source(), AlbumSource::FreeDb);
    int reads = 0;
    for (const std::string& c : database.commands())
        reads += c.rfind("cddb read ", 0) == 0;
    EXPECT_EQ(reads, 11);
    // The nine categories that answer 401 leave no trace in the log.
    EXPECT_EQ(client->lines(), (std::vector<std::string>{"     Retrieving albums list ... "}));
}

TEST_P(CddbCommands, ReadFillsTheAlbumFromTheRecord) {
    AlbumInfo album = AlbumKey("jazz", "12345678");
    ASSERT_TRUE(client->store->read(album));
    EXPECT_EQ(database.commands().back(), "cddb read jazz 12345678");
    EXPECT_EQ(Summary(album), "jazz 12345678 Solo / Only");
    ASSERT_EQ(album.trackCount(), 3u);
    EXPECT_EQ(album.track(1).frameOffset(), 15150u);
    EXPECT_EQ(album.source(), AlbumSource::FreeDb);
    EXPECT_EQ(client->lines(),
              (std::vector<std::string>{"     Retrieving album info for (12345678) ... done."}));
    // Reading again replaces the record instead of adding to its titles.
    ASSERT_TRUE(client->store->read(album));
    EXPECT_EQ(album.trackCount(), 3u);
    EXPECT_EQ(album.track(2).title(), "Track 3");
}

TEST_P(CddbCommands, ReadReportsTheServersRefusals) {
    const std::pair<const char*, const char*> refusals[] = {
        {"401 no such entry", "[ERR]Error 142: Album not found."},
        {"403 corrupt", "[ERR]Error 144: Database entry is corrupt."},
        {"409 no handshake", "[ERR]Error 145: No handshake."},
    };
    for (const auto& [reply, error] : refusals) {
        database.setScript(Answer("cddb read", {reply}));
        AlbumInfo album = AlbumKey("rock", "0d01a202");
        EXPECT_FALSE(client->store->read(album));
        const std::vector<std::string> lines = client->lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], "     Retrieving album info for (0d01a202) ... failed.");
        EXPECT_EQ(lines.back(), error);
    }
}

TEST_P(CddbCommands, ReadRefusesWordsThatWouldBreakTheCommandLine) {
    AlbumInfo album = AlbumKey("rock\r\nquit", "0d01a202");
    EXPECT_FALSE(client->store->read(album));
    album.setCategory("rock");
    album.setDiscId("0d01a202 x");
    EXPECT_FALSE(client->store->read(album));
    for (const std::string& c : database.commands())
        EXPECT_NE(c, "quit");
    EXPECT_EQ(client->lines().back(), "[ERR]Error 140: Sending query failed.");
}

TEST_P(CddbCommands, RepliesWithTheWrongCodeFail) {
    database.setScript([](std::string_view command) -> std::optional<std::vector<std::string>> {
        if (command.rfind("cddb hello", 0) == 0 || command.rfind("proto", 0) == 0)
            return std::nullopt;
        return std::vector<std::string>{"500 Command unimplemented"};
    });
    // Each failure names the server's own answer.
    const std::string answer = "The server answered \"500 Command unimplemented\"";
    EXPECT_TRUE(query(AlbumOfSeconds({180, 240}), false).empty());
    EXPECT_EQ(client->lines().back(), "[ERR]Error 133: " + answer);
    EXPECT_FALSE(client->store->getSites([](const ServerRecord&) {}));
    EXPECT_EQ(client->lines().back(), "[ERR]Error 152: " + answer);
    ServerStatistics stats;
    EXPECT_FALSE(client->store->getStatistics(stats));
    EXPECT_EQ(client->lines().back(), "[ERR]Error 182: " + answer);
    AlbumInfo album = AlbumKey("rock", "0d01a202");
    EXPECT_FALSE(client->store->read(album));
    EXPECT_EQ(client->lines().back(), "[ERR]Error 146: " + answer);
}

TEST_P(CddbCommands, AMultiLineReplyOfAnUnexpectedKindIsSkippedWhole) {
    // A stray multi-line reply must not be read as the reply to the next command.
    database.setScript(Answer("stat", {"211 odd", "rock 11111111 X", "."}));
    ServerStatistics stats;
    EXPECT_FALSE(client->store->getStatistics(stats));
    database.setScript({});
    EXPECT_EQ(query(AlbumOfSeconds({180, 240})).size(), 2u);
}

TEST_P(CddbCommands, RecordsKeepEveryBlankAtTheWritersSplitPoints) {
    std::uint32_t id = 0x10000000;
    for (const SplitValueCase& c : BlanksAtSplitPoints()) {
        AlbumInfo sent = AlbumWithValue(c);
        sent.setDiscId(DiscIdText(++id));
        serve("blues", sent);
        const AlbumInfo got = read("blues", sent.discId(), *client);
        EXPECT_EQ(ValueOf(got, c.key), c.value) << c.name;
    }
}

TEST_P(CddbCommands, AnOldServerIsUsedAtTheLevelItSupportsAndReadAsEightBitText) {
    // "Ã©" is two Latin-1 characters whose bytes happen to be the UTF-8 of "é": an old
    // server's text must be decoded as 8-bit text even where it looks like UTF-8.
    AlbumInfo record = AlbumOfSeconds({180, 240});
    record.setArtist("Band");
    record.setTitle("\xC3\x83\xC2\xA9");
    record.track(0).setTitle("Bj\xC3\xB6rk", false);
    record.setCategory("blues");
    record.setDiscId("0f00000f");
    serve("blues", record);
    for (const int highest : {5, 1}) {
        database.setHighestProtocolLevel(highest);
        StoreUnderTest old(settings());
        ASSERT_TRUE(old.store->open());
        const AlbumInfo got = read("blues", record.discId(), old);
        EXPECT_EQ(Summary(got), Summary(record)) << highest;
        EXPECT_EQ(got.track(0).title(), record.track(0).title()) << highest;
        const std::vector<std::string> lines = old.lines();
        const std::string note =
            "[INF]     The server does not support protocol level 6; going "
            "on at level " +
            std::to_string(highest);
        EXPECT_NE(std::find(lines.begin(), lines.end(), note), lines.end()) << highest;
        if (GetParam() == Transport::Tcp) {
            const std::vector<std::string> commands = database.commands();
            EXPECT_EQ(
                std::count(commands.begin(), commands.end(), "proto " + std::to_string(highest)),
                highest > 1 ? 1 : 0);
        } else {
            EXPECT_NE(
                http->requests().back().requestLine.find("&proto=" + std::to_string(highest) + " "),
                std::string::npos);
        }
    }
}

TEST_P(CddbCommands, ControlCharactersFromTheServerNeverReachTheStores) {
    database.add({"rock",
                  "0badc0de",
                  "Bad / Bytes",
                  {"# xmcd", "# Track frame offsets:", "#\t150", "#", "# Disc length: 200 seconds",
                   "# Revision: 2", std::string("DTITLE=Nul\0 / Esc\x1b[2J", 21), "DGENRE=Bell\a",
                   "TTITLE0=Back\bspace\x7f\xC2\x85", "EXTD=Tab\tkept\r", "EXTT0=", "PLAYORDER="}});
    const AlbumInfo got = read("rock", "0badc0de", *client);
    EXPECT_EQ(got.artist() + "|" + got.title() + "|" + got.genre() + "|" + got.track(0).title() +
                  "|" + got.extendedData(),
              "Nul|Esc[2J|Bell|Backspace|Tab\tkept");

    const tw::test::TempDir dir;
    for (const LocalDbMode mode : {LocalDbMode::Standard, LocalDbMode::Windows}) {
        LocalAlbumDatabase db(LocalDbSettings{dir / "db", mode});
        ASSERT_TRUE(db.write(got));
        std::string text = tw::test::fileText(
            dir / "db" / "rock" / (mode == LocalDbMode::Windows ? "0bto0b" : "0badc0de"));
        if (mode == LocalDbMode::Windows)
            text.erase(0, text.find('\n') + 1);
        EXPECT_EQ(tw::test::StrictXmcdProblems(text), std::vector<std::string>{});
    }
}

INSTANTIATE_TEST_SUITE_P(Transports, CddbCommands,
                         ::testing::Values(Transport::Tcp, Transport::HttpLength,
                                           Transport::HttpChunked),
                         [](const auto& param) {
                             return std::string(
                                 std::array{"Tcp", "HttpLength",
                                            "HttpChunked"}[static_cast<int>(param.param)]);
                         });

}  // namespace
}  // namespace tw::freedb::test
