// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "freedb/http_text.h"
#include "freedb/line_socket.h"
#include "freedb/xmcd_writer.h"
#include "net_fixture.h"
#include "support/fake_http_server.h"
#include "support/strict_xmcd.h"

namespace tw::freedb::test {
namespace {

using ::tw::test::CddbHttpHandler;
using ::tw::test::FakeCddbDatabase;
using ::tw::test::FakeHttpOptions;
using ::tw::test::FakeHttpReply;
using ::tw::test::FakeHttpRequest;
using ::tw::test::FakeHttpServer;

CddbHttpConnection& http(StoreUnderTest& client) {
    return static_cast<CddbHttpConnection&>(*client.store);
}

// The fake stands in for the web servers in front of CDDB servers; it must refuse what they
// refuse, or the client's requests would prove nothing.
TEST(StrictHttpServer, RefusesWhatStrictServersRefuse) {
    FakeHttpServer server([](const FakeHttpRequest&) { return FakeHttpReply{200, "ok\n"}; });
    const std::string bad = "HTTP/1.1 400 Bad Request";
    const std::pair<const char*, std::string> cases[] = {
        {"GET / HTTP/1.1\r\nHost: a\r\n\r\n", "HTTP/1.1 200 OK"},
        {"GET / HTTP/1.1\r\nHost: a\n\r\n", bad},
        {"GET / HTTP/1.1\r\nHost: a\r\r\n\r\n", bad},
        {"GET  / HTTP/1.1\r\nHost: a\r\n\r\n", bad},
        {"GET / HTTP/1.1\r\n\r\n", bad},
        {"GET / HTTP/1.1\r\nHost: a\r\n X-Folded: b\r\n\r\n", bad},
        {"POST / HTTP/1.1\r\nHost: a\r\n\r\n", "HTTP/1.1 411 Length Required"},
    };
    for (const auto& [request, status] : cases) {
        LineSocket socket;
        socket.setTimeout(5);
        ASSERT_TRUE(socket.create() && socket.connect("127.0.0.1", server.port()));
        ASSERT_TRUE(socket.sendBytes(request));
        std::string line;
        ASSERT_TRUE(socket.receiveLine(line)) << request;
        EXPECT_EQ(line, status) << request;
    }
}

// The path is one the user typed, blank and all; the strict server must still take the request.
TEST(CddbOverHttp, EachCommandIsOneGetOfTheCgiPath) {
    FakeCddbDatabase database;
    database.add(Album("rock", "0d01a202", "Band / First"));
    FakeHttpServer server(CddbHttpHandler(database));
    FreeDbSettings settings = LocalSettings(server.port(), true);
    settings.remoteHttpPath = "/my cgi/cddb.cgi";
    StoreUnderTest client(settings);
    ASSERT_TRUE(client.store->open());
    AlbumInfo album = AlbumKey("rock", "0d01a202");
    ASSERT_TRUE(client.store->read(album));
    ASSERT_EQ(server.requests().size(), 1u);
    const FakeHttpRequest request = server.requests()[0];
    EXPECT_EQ(request.rejection, "");
    EXPECT_EQ(request.requestLine,
              "GET /my%20cgi/cddb.cgi?cmd=cddb+read+rock+0d01a202&hello=tester+example%2etest+"
              "Tunewright+" +
                  UrlEncode(TW_VERSION_TEXT) + "&proto=6 HTTP/1.1");
    EXPECT_EQ(request.header("Host"), "127.0.0.1:" + std::to_string(server.port()));
    EXPECT_FALSE(request.header("Proxy-Authorization"));
    // Opening logs where the commands go; nothing is sent before the first command.
    EXPECT_EQ(client.lines().front(),
              "[INF]Connecting to 127.0.0.1:" + std::to_string(server.port()) + ", timeout 3");
}

TEST(CddbOverHttp, ATypedPathNeverBreaksTheRequestLine) {
    const struct {
        const char* typed;
        const char* sent;
    } cases[] = {
        {"/~cddb/cddb.cgi", "/~cddb/cddb.cgi"},
        {"/my cgi/cddb.cgi", "/my%20cgi/cddb.cgi"},
        {"/a?b#c%zz%2F", "/a%3Fb%23c%25zz%2F"},
        {"cgi\tbin/\xc3\xa9", "/cgi%09bin/%C3%A9"},
        {"", "/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodeRequestPath(c.typed), c.sent) << c.typed;
}

// A real server checks the level before the command, and tells nothing about levels to a
// "proto" sent over HTTP: only an answer that names the level may lower it.
TEST(CddbOverHttp, OnlyARefusalOfTheLevelLowersIt) {
    const struct {
        const char* answer;
        bool lowered;
        const char* lastLine;
    } cases[] = {
        {"501 Invalid category", false,
         "[ERR]Error 146: The server answered \"501 Invalid category\""},
        {"500 Command syntax error", false,
         "[ERR]Error 146: The server answered \"500 Command syntax error\""},
        {"501 Illegal CDDB protocol level.", true,
         "[ERR]Error 146: The server answered \"501 Illegal CDDB protocol level.\""},
    };
    for (const auto& c : cases) {
        FakeCddbDatabase database;
        database.setScript([&](std::string_view command) {
            return std::optional<std::vector<std::string>>(
                command.rfind("proto", 0) == 0
                    ? std::vector<std::string>{"500 Unrecognized command."}
                    : std::vector<std::string>{c.answer});
        });
        FakeHttpServer server(CddbHttpHandler(database));
        StoreUnderTest client(LocalSettings(server.port(), true));
        ASSERT_TRUE(client.store->open());
        AlbumInfo album = AlbumKey("rock", "0d01a202");
        EXPECT_FALSE(client.store->read(album));
        EXPECT_EQ(http(client).protocolLevel(), c.lowered ? 1u : 6u) << c.answer;
        const std::vector<std::string> lines = client.lines();
        const std::string lowered =
            "[INF]     The server does not support protocol level 6; going on at level 1";
        EXPECT_EQ(std::count(lines.begin(), lines.end(), lowered), c.lowered ? 1 : 0) << c.answer;
        EXPECT_EQ(lines.back(), c.lastLine);
    }
}

// Settings for a CDDB server that is reached through the proxy at `proxyPort`.
FreeDbSettings throughProxy(unsigned proxyPort, const std::string& user) {
    FreeDbSettings settings = LocalSettings(8880, true);
    settings.remoteServer = "cddb.example.test";
    settings.proxyServer = "127.0.0.1";
    settings.proxyPort = std::to_string(proxyPort);
    settings.proxyUser = user;
    settings.options |= FreeDbSettings::kOptionProxy | FreeDbSettings::kOptionProxyAuth;
    return settings;
}

TEST(CddbOverHttp, ThroughAProxyTheRequestNamesTheServerAndCarriesTheCredentials) {
    FakeCddbDatabase database;
    database.add(Album("rock", "0d01a202", "Band / First"));
    FakeHttpOptions options;
    options.proxyAuthorization = "Basic " + Base64("proxy user:");
    options.framing = ::tw::test::HttpFraming::Chunked;
    FakeHttpServer proxy(CddbHttpHandler(database), options);
    StoreUnderTest client(throughProxy(proxy.port(), "proxy user"));
    ASSERT_TRUE(client.store->open());
    std::vector<AlbumInfo> found;
    ASSERT_TRUE(client.store->query(AlbumOfSeconds({180, 240}),
                                    [&](const AlbumInfo& a) { found.push_back(a); }));
    EXPECT_EQ(found.size(), 1u);
    const FakeHttpRequest request = proxy.requests().at(0);
    EXPECT_EQ(request.target.rfind("http://cddb.example.test:8880/~cddb/cddb.cgi?cmd=", 0), 0u)
        << request.target;
    EXPECT_EQ(request.header("Host"), "cddb.example.test:8880");
    EXPECT_EQ(client.lines()[1],
              "[INF]Connecting through proxy 127.0.0.1:" + std::to_string(proxy.port()));
}

// The password is asked once: as the first command opens when the settings say so, else when
// the proxy answers 407; a wrong answer is not asked for again.
TEST(CddbOverHttp, TheProxyPasswordIsAskedOnceAndAWrongOneFailsTheCommand) {
    FakeCddbDatabase database;
    FakeHttpOptions options;
    options.proxyAuthorization = "Basic " + Base64("asked:secret");
    FakeHttpServer proxy(CddbHttpHandler(database), options);
    int asked = 0;
    const auto answer = [&asked](const char* storedUser, const char* password) {
        return [&asked, storedUser, password](std::string& user, std::string& entered) {
            ++asked;
            EXPECT_EQ(user, storedUser);
            user = "asked";
            entered = password;
            return true;
        };
    };
    ServerStatistics stats;
    FreeDbSettings settings = throughProxy(proxy.port(), "stored");
    settings.options |= FreeDbSettings::kOptionAskProxyPassword;
    StoreUnderTest askFirst(settings);
    http(askFirst).setProxyCredentialsPrompt(answer("stored", "secret"));
    ASSERT_TRUE(askFirst.store->open());
    EXPECT_TRUE(askFirst.store->getStatistics(stats));
    EXPECT_TRUE(askFirst.store->open());  // asks no second time
    EXPECT_EQ(asked, 1);

    settings = throughProxy(proxy.port(), "");
    settings.setOption(FreeDbSettings::kOptionProxyAuth, false);
    StoreUnderTest on407(settings);
    http(on407).setProxyCredentialsPrompt(answer("", "secret"));
    const std::size_t before = proxy.requests().size();
    ASSERT_TRUE(on407.store->open());
    EXPECT_TRUE(on407.store->getStatistics(stats));
    EXPECT_TRUE(on407.store->getStatistics(stats));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(proxy.requests().size() - before, 3u);
    EXPECT_EQ(proxy.requests().back().header("Proxy-Authorization"),
              "Basic " + Base64("asked:secret"));

    StoreUnderTest wrong(settings);
    http(wrong).setProxyCredentialsPrompt(answer("", "wrong"));
    ASSERT_TRUE(wrong.store->open());
    EXPECT_FALSE(wrong.store->getStatistics(stats));
    EXPECT_FALSE(wrong.store->getStatistics(stats));
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(wrong.lines().back(),
              "[ERR]Error 180: The server answered \"HTTP/1.1 407 Proxy Authentication "
              "Required\"");
}

// A result page of the search site on `port`: two albums, a further category of the first,
// a hostile category, and a link past the end of the results.
std::string searchPage(unsigned port) {
    const std::string link =
        "<a href=\"http://127.0.0.1:" + std::to_string(port) + "/freedb_search_fmt.php?cat=";
    const auto row = [&](const std::string& prefix, const std::string& target) {
        return "<tr><td>" + prefix + link + target + "</a></td></tr>\n";
    };
    return "<html><body><table>\n" + row("", "rock&id=0d01a202\">Band / First") +
           row("<font size=-1>", "misc&id=0d01a203\">misc") +
           row("", "../..&id=0d01a204\">Bad / Category") +
           row("", "jazz&id=11111111\">Solo / Second") +
           "</table><table border=0 align=right valign=top width=250>\n" +
           row("", "blues&id=22222222\">After / The End") + "</html>\n";
}

TEST(CddbWebSearch, ScansTheResultPageForAlbums) {
    std::unique_ptr<FakeHttpServer> site;
    site = std::make_unique<FakeHttpServer>(
        [&](const FakeHttpRequest&) {
            return FakeHttpReply{200, searchPage(site->port())};
        },
        FakeHttpOptions{::tw::test::HttpFraming::Chunked, 11, {}, {}});
    StoreUnderTest client(LocalSettings(site->port(), true));
    std::vector<AlbumInfo> found;
    SearchFields fields;
    fields.trackExtras = true;
    ASSERT_TRUE(http(client).search("rock & roll", fields,
                                    [&](const AlbumInfo& a) { found.push_back(a); }));
    ASSERT_EQ(site->requests().size(), 1u);
    EXPECT_EQ(site->requests()[0].target,
              "/freedb_search.php?words=rock+%26+roll&allfields=NO&grouping=none"
              "&fields=artist&fields=title&fields=rest&allcats=YES");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(Summary(found[0]), "rock 0d01a202 Band / First");
    EXPECT_EQ(Summary(found[1]), "misc 0d01a203 Band / First");
    EXPECT_EQ(Summary(found[2]), "jazz 11111111 Solo / Second");
    EXPECT_EQ(client.lines(),
              (std::vector<std::string>{
                  "[INF]Connecting to 127.0.0.1:" + std::to_string(site->port()) + ", timeout 30",
                  "     Sending search query ... done.",
                  "     Receiving search results ... done.",
                  "[INF]     Found 3 matches.",
              }));
}

TEST(CddbWebSearch, ThroughAProxyTheLogNamesTheProxy) {
    FakeHttpOptions options;
    options.proxyAuthorization = "";
    FakeHttpServer proxy(
        [](const FakeHttpRequest&) {
            return FakeHttpReply{200, "</html>\n"};
        },
        options);
    FreeDbSettings settings = throughProxy(proxy.port(), "");
    settings.setOption(FreeDbSettings::kOptionProxyAuth, false);
    settings.webHost = "web.example.test";
    settings.webPort = 80;
    StoreUnderTest client(settings);
    ASSERT_TRUE(client.store->open());
    client.logLines.clear();
    ASSERT_TRUE(http(client).search("x", {}, [](const AlbumInfo&) {}));
    EXPECT_EQ(proxy.requests().at(0).target.rfind("http://web.example.test/freedb_search.php?", 0),
              0u);
    EXPECT_EQ(client.lines(),
              (std::vector<std::string>{
                  "[INF]Connecting to web.example.test:80, timeout 30",
                  "[INF]Connecting through proxy 127.0.0.1:" + std::to_string(proxy.port()),
                  "     Sending search query ... done.", "     Receiving search results ... done.",
                  "[INF]     Nothing found."}));
}

TEST(CddbSubmit, PostsTheRecordWithItsHeaders) {
    FakeHttpServer site([](const FakeHttpRequest&) {
        return FakeHttpReply{200, "200 OK, submission queued\n"};
    });
    FreeDbSettings settings = LocalSettings(site.port(), true);
    settings.submitEmailAddress = "me@example.test";
    StoreUnderTest client(settings);
    AlbumInfo album = AlbumOfSeconds({180, 240});
    album.setArtist("Björk");
    album.setTitle("Début");
    album.setCategory("misc");
    ASSERT_TRUE(http(client).submit(album));

    const FakeHttpRequest request = site.requests().at(0);
    EXPECT_EQ(request.requestLine, "POST /~cddb/submit.cgi HTTP/1.1");
    EXPECT_EQ(request.headers,
              (std::vector<std::string>{
                  "Host: 127.0.0.1:" + std::to_string(site.port()), "Category: misc",
                  "Discid: 0d01a202", "User-Email: me@example.test", "Submit-Mode: submit",
                  "Charset: UTF-8", "X-Cddbd-Note: Tunewright",
                  "Content-Length: " + std::to_string(WriteXmcd(album).size())}));
    EXPECT_EQ(request.body, WriteXmcd(album));
    EXPECT_EQ(tw::test::StrictXmcdProblems(request.body), std::vector<std::string>{});
    EXPECT_EQ(client.lines(),
              (std::vector<std::string>{"     Submitting album to server ... done."}));
}

TEST(CddbSubmit, ARefusalOrNoSiteFails) {
    FakeHttpServer site([](const FakeHttpRequest&) {
        return FakeHttpReply{200, "500 Missing header\n"};
    });
    StoreUnderTest client(LocalSettings(site.port(), true));
    AlbumInfo album = AlbumOfSeconds({100});
    album.setCategory("rock");
    EXPECT_FALSE(http(client).submit(album));
    EXPECT_EQ(client.lines().back(), "[ERR]Error 175: The server answered \"500 Missing header\"");

    const unsigned closedPort = ::tw::test::ClosedLoopbackPort();
    StoreUnderTest nowhere(LocalSettings(closedPort, true));
    EXPECT_FALSE(http(nowhere).submit(album));
    EXPECT_EQ(nowhere.lines().back(), "[ERR]Error 171: The connection to 127.0.0.1:" +
                                          std::to_string(closedPort) + " was refused.");
}

}  // namespace
}  // namespace tw::freedb::test
