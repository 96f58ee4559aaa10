// SPDX-License-Identifier: GPL-2.0-or-later
// Runs the built tunewright-cli against fake CDDB servers on this machine: looking albums up,
// reading, storing and applying them, over cddbp and over HTTP.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli_harness.h"
#include "core/audio_file.h"
#include "core/mpeg_info.h"
#include "support/fake_cddb_server.h"
#include "support/fake_http_server.h"
#include "support/file_text.h"
#include "support/mp3_file.h"

namespace tw::cli {
namespace {

// An MP3 file of about `seconds` seconds: a Xing frame that counts the frames, then a few.
std::string writeMp3OfSeconds(const test::TempDir& dir, const std::string& name, int seconds) {
    const test::FrameSpec spec = test::defaultFrameSpec();
    const auto frames = static_cast<std::uint32_t>(seconds * spec.sampleRate / 1152 + 1);
    test::Mp3Parts parts;
    parts.audio = test::join({test::xingFrame(spec, {.frames = frames, .bytes = frames * 417}),
                              test::mpegFrames(spec, 10)});
    return test::writeMp3(dir, name, parts);
}

class FreeDbCli : public ::testing::Test {
protected:
    test::CliOutcome run(const std::vector<std::string>& args) {
        return test::runProgram(args,
                                {{"HOME", home.path().string()},
                                 {"XDG_CONFIG_HOME", (home / "config").string()},
                                 {"XDG_DATA_HOME", (home / "data").string()}},
                                home.path());
    }

    // Two files and the disc id the program gives them.
    void makeAlbumFiles() {
        files = {writeMp3OfSeconds(music, "01.mp3", 180), writeMp3OfSeconds(music, "02.mp3", 240)};
        const test::CliOutcome ids = run({"discid", files[0], files[1]});
        ASSERT_EQ(ids.status, 0) << ids.err;
        discId = ids.out.substr(0, ids.out.find('\n'));
        ASSERT_EQ(discId.size(), 8u) << ids.out;
        database.add(
            {"rock", discId, "Band / Album", test::MakeFakeXmcd(discId, "Band / Album", 2)});
    }

    core::AudioFile reread(const std::string& path) {
        core::MpegInfo mpeg;
        auto record = core::AudioFile::create(path, path.rfind('/') + 1, mpeg);
        return record ? *record : core::AudioFile{};
    }

    void expectApplied() {
        for (int i = 0; i < 2; ++i) {
            const core::AudioFile file = reread(files[static_cast<std::size_t>(i)]);
            EXPECT_EQ(file.id3v2.title, "Track " + std::to_string(i + 1));
            EXPECT_EQ(file.id3v2.artist, "Band");
            EXPECT_EQ(file.id3v2.album, "Album");
            EXPECT_EQ(file.id3v2.track, i + 1);
            EXPECT_EQ(file.id3v2.trackTotal, 2);
            EXPECT_EQ(file.id3v1.title, "Track " + std::to_string(i + 1));
            EXPECT_EQ(file.id3v1.year, 1999);
        }
    }

    // The lines of `err` that name `reason`: exactly one, an error line, and no line of the
    // log ran into another.
    void expectOneErrorLine(const std::string& err, const std::string& reason) {
        std::istringstream lines(err);
        std::string line;
        int naming = 0;
        while (std::getline(lines, line)) {
            if (line.find(reason) != std::string::npos) {
                ++naming;
                EXPECT_EQ(line.rfind("[ERR]", 0), 0u) << line;
            }
            EXPECT_LE(std::count(line.begin(), line.end(), '['), 1) << line;
            EXPECT_EQ(line.find("... ", line.find("... ") + 1), std::string::npos) << line;
        }
        EXPECT_EQ(naming, 1) << err;
    }

    test::TempDir home;
    test::TempDir music;
    test::FakeCddbDatabase database;
    std::vector<std::string> files;
    std::string discId;
};

TEST_F(FreeDbCli, DiscIdOfPlayTimes) {
    const test::CliOutcome result = run({"discid", "--seconds", "180,240"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "0d01a202\ncddb query 0d01a202 2  150 13650 420\n");
    EXPECT_EQ(run({"discid", "--seconds", "180,x"}).status, 2);
}

TEST_F(FreeDbCli, LookUpStoreAndApplyOverCddbp) {
    makeAlbumFiles();
    test::FakeCddbServer server(database);
    const std::string address = "127.0.0.1:" + std::to_string(server.port());

    const test::CliOutcome lookup =
        run({"freedb", "lookup", files[0], files[1], "--server", address});
    EXPECT_EQ(lookup.status, 0) << lookup.err;
    EXPECT_EQ(lookup.out, "1\tfreedb\trock\t" + discId + "\tBand\tAlbum\t2\n");
    EXPECT_NE(lookup.err.find("Found exact match"), std::string::npos) << lookup.err;
    // The retrieved record went to the local database; a second lookup finds it there too.
    const test::CliOutcome listed = run({"localdb", "list"});
    EXPECT_EQ(listed.out, "1\tlocaldb\trock\t" + discId + "\tBand\tAlbum\t2\n");

    const test::CliOutcome applied =
        run({"freedb", "lookup", files[0], files[1], "--server", address, "--apply", "2"});
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, "1\tlocaldb\trock\t" + discId + "\tBand\tAlbum\t2\n" +
                               "2\tfreedb\trock\t" + discId + "\tBand\tAlbum\t2\n");
    expectApplied();
    // The selected album was stored in the CD-player file as well.
    const test::CliOutcome player = run({"cdplayer", "list"});
    EXPECT_EQ(player.out, "1\tcdplayer\t-----\t" + discId + "\tBand\tAlbum\t2\n");
}

TEST_F(FreeDbCli, LookUpReadAndApplyOverHttp) {
    makeAlbumFiles();
    test::FakeHttpServer server(test::CddbHttpHandler(database),
                                {test::HttpFraming::Chunked, 5, {}, {}});
    const std::string address = "127.0.0.1:" + std::to_string(server.port());

    const test::CliOutcome read =
        run({"freedb", "read", "rock", discId, "--http", "--server", address});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_NE(read.out.find("DTITLE=Band / Album\n"), std::string::npos) << read.out;
    EXPECT_NE(read.out.find("TTITLE1=Track 2\n"), std::string::npos);

    const test::CliOutcome applied = run({"freedb", "lookup", files[0], files[1], "--http",
                                          "--server", address, "--apply", "2", "--log", "full"});
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_NE(applied.err.find("[DBG] -> GET /~cddb/cddb.cgi?cmd=cddb+query+" + discId),
              std::string::npos)
        << applied.err;
    expectApplied();
    EXPECT_FALSE(server.requests().empty());
}

TEST_F(FreeDbCli, AFailedLookupLeavesTheFilesAlone) {
    makeAlbumFiles();
    const unsigned closedPort = test::ClosedLoopbackPort();
    const std::string before = test::fileText(files[0]);
    const test::CliOutcome result =
        run({"freedb", "lookup", files[0], files[1], "--server",
             "127.0.0.1:" + std::to_string(closedPort), "--apply", "1"});
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.err.find("[ERR]Error 101: The connection to 127.0.0.1:" +
                              std::to_string(closedPort) + " was refused."),
              std::string::npos)
        << result.err;
    EXPECT_EQ(test::fileText(files[0]), before);
}

TEST_F(FreeDbCli, ServersStatisticsAndTheLocalDatabase) {
    database.setSites({"a.test cddbp 8880 - N000.00 W000.00 First"});
    database.setStatLines({"Database entries: 7", "jazz: 7"});
    database.add(
        {"jazz", "12345678", "Solo / Only", test::MakeFakeXmcd("12345678", "Solo / Only", 1)});
    test::FakeCddbServer server(database);
    const std::string address = "127.0.0.1:" + std::to_string(server.port());

    const test::CliOutcome sites = run({"freedb", "sites", "--server", address});
    EXPECT_EQ(sites.out, "a.test cddbp 8880 - N000.00 W000.00 First\n");
    test::FakeHttpServer web(test::CddbHttpHandler(database));
    const test::CliOutcome httpSites =
        run({"freedb", "sites", "--http", "--server", "127.0.0.1:" + std::to_string(web.port())});
    EXPECT_EQ(httpSites.out, sites.out);
    EXPECT_NE(web.requests().at(0).target.find("cmd=sites"), std::string::npos);
    const test::CliOutcome stat = run({"freedb", "stat", "--server", address});
    EXPECT_EQ(stat.out.substr(0, 17), "Total albums:\t\t7\n");

    ASSERT_EQ(run({"freedb", "read", "jazz", "12345678", "--server", address}).status, 0);
    EXPECT_NE(run({"localdb", "stats"}).out.find("Jazz:\t\t1\n"), std::string::npos);
    EXPECT_EQ(run({"localdb", "delete", "jazz", "12345678"}).status, 0);
    EXPECT_EQ(run({"localdb", "list"}).out, "");
    EXPECT_EQ(run({"localdb", "delete", "jazz", "12345678"}).status, 1);
    EXPECT_EQ(run({"freedb", "read", "../x", "12345678"}).status, 2);
    EXPECT_EQ(run({"freedb", "sites", "--server", "nohost"}).status, 2);
}

TEST_F(FreeDbCli, EveryFailedCommandExitsWithOneLineThatSaysWhy) {
    makeAlbumFiles();
    database.setScript([](std::string_view command) -> std::optional<std::vector<std::string>> {
        if (command.rfind("cddb query", 0) == 0)
            return std::vector<std::string>{"500 Internal server error"};
        if (command.rfind("cddb read foo", 0) == 0)
            return std::vector<std::string>{"501 Invalid category: foo"};
        return std::nullopt;
    });
    test::FakeCddbServer server(database);
    test::FakeCddbServer endless(database, {test::Hostility::EndlessReply, "cddb query", {}});
    test::FakeHttpServer moved([](const test::FakeHttpRequest&) {
        return test::FakeHttpReply{302, "", {"Location: http://new.example.test/cddb.cgi"}};
    });
    test::FakeHttpServer missing([](const test::FakeHttpRequest&) {
        return test::FakeHttpReply{404, "<html>gone</html>\n"};
    });
    const auto at = [](unsigned port) { return "127.0.0.1:" + std::to_string(port); };
    const struct {
        std::vector<std::string> words;
        std::string reason;
    } cases[] = {
        {{"lookup", files[0], files[1], "--server", at(server.port())},
         "The server answered \"500 Internal server error\""},
        {{"lookup", files[0], files[1], "--server", at(endless.port())},
         "The server's reply is too large."},
        {{"lookup", files[0], files[1], "--http", "--server", at(moved.port())},
         "The server redirected to http://new.example.test/cddb.cgi"},
        {{"lookup", files[0], files[1], "--http", "--server", at(missing.port())},
         "The server answered \"HTTP/1.1 404 Not Found\""},
        {{"read", "foo", "0d01a202", "--server", at(server.port())},
         "The server answered \"501 Invalid category: foo\""},
        {{"stat", "--http", "--server", at(missing.port())},
         "The server answered \"HTTP/1.1 404 Not Found\""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"freedb"};
        args.insert(args.end(), c.words.begin(), c.words.end());
        const test::CliOutcome result = run(args);
        EXPECT_EQ(result.status, 1) << c.reason << "\n" << result.err;
        expectOneErrorLine(result.err, c.reason);
    }
}

TEST_F(FreeDbCli, RecordsKeepTheirDiscIdRevisionAndGenreFromReadToSubmission) {
    std::vector<std::string> xmcd = test::MakeFakeXmcd("8e0acf0a", "Band / Album", 2);
    xmcd.insert(xmcd.begin() + 7, "# Revision: 3");
    std::replace(xmcd.begin(), xmcd.end(), std::string("DGENRE=Rock"),
                 std::string("DGENRE=Synthpop"));
    database.add({"rock", "8e0acf0a", "Band / Album", xmcd});
    test::FakeCddbServer server(database);
    test::FakeHttpServer site([](const test::FakeHttpRequest&) {
        return test::FakeHttpReply{200, "200 OK, queued\n"};
    });
    const std::string web = "127.0.0.1:" + std::to_string(site.port());

    // The user's upper-case id reads and stores the record under the lower-case one.
    const test::CliOutcome read = run({"freedb", "read", "rock", "8E0ACF0A", "--server",
                                       "127.0.0.1:" + std::to_string(server.port())});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(database.commands().at(2), "cddb read rock 8e0acf0a");
    for (const char* kept : {"\n# Revision: 3\n", "\nDISCID=8e0acf0a\n", "\nDGENRE=Synthpop\n"})
        EXPECT_NE(read.out.find(kept), std::string::npos) << kept << read.out;
    EXPECT_EQ(run({"localdb", "list"}).out, "1\tlocaldb\trock\t8e0acf0a\tBand\tAlbum\t2\n");

    // Sent back as it was read, the record keeps its revision; edited, it is the next one.
    const std::string record = (music / "album.xmcd").string();
    std::ofstream(record) << read.out;
    ASSERT_EQ(run({"freedb", "submit", record, "--category", "rock", "--web", web}).status, 0);
    EXPECT_NE(site.requests().back().body.find("\n# Revision: 3\n"), std::string::npos);
    std::string edited = read.out;
    edited.replace(edited.find("TTITLE0=Track 1"), 15, "TTITLE0=Intro");
    std::ofstream(record) << edited;
    ASSERT_EQ(run({"freedb", "submit", record, "--category", "rock", "--web", web}).status, 0);
    const test::FakeHttpRequest posted = site.requests().back();
    EXPECT_NE(posted.body.find("\n# Revision: 4\n"), std::string::npos) << posted.body;
    EXPECT_NE(posted.body.find("\nDGENRE=Synthpop\n"), std::string::npos);
    EXPECT_EQ(posted.header("Discid"), "8e0acf0a");
    // DGENRE is no category, so the category must be given.
    EXPECT_EQ(run({"freedb", "submit", record, "--web", web}).status, 2);
}

TEST_F(FreeDbCli, SearchAndSubmitGoToTheWebSite) {
    std::unique_ptr<test::FakeHttpServer> site;
    site = std::make_unique<test::FakeHttpServer>([&](const test::FakeHttpRequest& request) {
        if (request.method == "POST")
            return test::FakeHttpReply{200, "200 OK, queued\n"};
        const std::string link = "<a href=\"http://127.0.0.1:" + std::to_string(site->port()) +
                                 "/freedb_search_fmt.php?cat=";
        return test::FakeHttpReply{200,
                                   "<table>\n" + link + "jazz&id=12345678\">Solo / Only</a>\n"};
    });
    database.add(
        {"jazz", "12345678", "Solo / Only", test::MakeFakeXmcd("12345678", "Solo / Only", 1)});
    test::FakeCddbServer server(database);
    const std::string web = "127.0.0.1:" + std::to_string(site->port());
    const std::string cddb = "127.0.0.1:" + std::to_string(server.port());

    const test::CliOutcome search = run({"freedb", "search", "solo", "only", "--fields",
                                         "artist,track", "--web", web, "--server", cddb});
    EXPECT_EQ(search.status, 0) << search.err;
    EXPECT_EQ(search.out, "1\tsearch\tjazz\t12345678\tSolo\tOnly\t1\n");
    EXPECT_EQ(site->requests().at(0).target,
              "/freedb_search.php?words=solo+only&allfields=NO&grouping=none&fields=artist"
              "&fields=track&allcats=YES");

    const std::string record = (music / "album.xmcd").string();
    {
        std::ofstream out(record);
        for (const std::string& line : test::MakeFakeXmcd("12345678", "Solo / Only", 1))
            out << line << '\n';
    }
    const test::CliOutcome submit = run({"freedb", "submit", record, "--web", web});
    EXPECT_EQ(submit.status, 0) << submit.err;
    const test::FakeHttpRequest posted = site->requests().back();
    EXPECT_EQ(posted.header("Category"), "rock");  // from the record's DGENRE
    EXPECT_EQ(posted.header("Discid"), "12345678");
    EXPECT_NE(posted.body.find("DTITLE=Solo / Only\n"), std::string::npos);
    EXPECT_EQ(run({"freedb", "submit", record, "--category", "nonsense", "--web", web}).status, 2);
}

// A new user has neither a local database nor a CD-player file yet.
TEST_F(FreeDbCli, ANewUsersStoresGiveZerosOrNameTheFileLookedFor) {
    const test::CliOutcome stats = run({"localdb", "stats"});
    EXPECT_EQ(stats.status, 0) << stats.err;
    EXPECT_EQ(stats.out.substr(0, 17), "Total albums:\t\t0\n") << stats.out;
    EXPECT_EQ(stats.out.find_first_of("123456789"), std::string::npos) << stats.out;

    const test::CliOutcome player = run({"cdplayer", "list"});
    EXPECT_EQ(player.status, 1);
    EXPECT_NE(player.err.find("File CDPlayer.ini not found: " + (home / "config").string()),
              std::string::npos)
        << player.err;
    EXPECT_NE(player.err.find("CDPLAYER.INI\n"), std::string::npos) << player.err;
}

}  // namespace
}  // namespace tw::cli
