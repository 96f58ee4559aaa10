#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <thread>

#include "base/memory_settings_store.h"
#include "freedb/cd_player_ini_store.h"
#include "freedb/local_album_database.h"
#include "freedb/lookup_job.h"
#include "freedb/retrieve_tracks_job.h"
#include "freedb/server_jobs.h"
#include "net_fixture.h"
#include "support/fake_cddb_server.h"
#include "support/fake_http_server.h"
#include "support/temp_dir.h"

namespace tw::freedb::test {
namespace {

using namespace std::chrono_literals;
using ::tw::test::FakeCddbDatabase;
using ::tw::test::FakeCddbServer;
using ::tw::test::FakeHttpServer;

// Records what a job reports. The job never calls two of these at once; the lock is for the
// test thread that reads them.
class RecordingObserver : public JobObserver {
public:
    std::vector<std::string> logLines, statuses, messages;
    std::vector<std::pair<FoundIn, AlbumInfo>> found;
    std::vector<AlbumInfo> updated;
    std::vector<ServerRecord> servers;
    std::optional<ServerStatistics> statistics;
    std::optional<bool> success;

    void onLogLine(std::string_view line) override { add(logLines, line); }
    void onStatus(std::string_view text) override { add(statuses, text); }
    void onAlbumFound(FoundIn where, const AlbumInfo& album) override {
        const std::lock_guard lock(mutex_);
        found.emplace_back(where, album);
    }
    void onAlbumUpdated(const AlbumInfo& album) override {
        const std::lock_guard lock(mutex_);
        updated.push_back(album);
    }
    void onMessage(Severity, std::string_view text) override { add(messages, text); }
    void onServerList(const std::vector<ServerRecord>& list) override { servers = list; }
    void onServerStatistics(const ServerStatistics& stats) override { statistics = stats; }
    void onFinished(bool result) override {
        const std::lock_guard lock(mutex_);
        success = result;
        finished_.notify_all();
    }

    std::size_t foundIn(FoundIn where) const {
        std::size_t n = 0;
        for (const auto& [w, album] : found)
            n += w == where;
        return n;
    }

private:
    void add(std::vector<std::string>& list, std::string_view text) {
        const std::lock_guard lock(mutex_);
        list.emplace_back(text);
    }
    std::mutex mutex_;
    std::condition_variable finished_;
};

class Jobs : public ::testing::Test {
protected:
    StoreConfig config(unsigned port, bool http = false) {
        StoreConfig c;
        c.freedb = LocalSettings(port, http);
        c.localDb.root = dir / "database";
        c.localDb.mode = LocalDbMode::Standard;
        c.cdPlayerIni = dir / "CDPLAYER.INI";
        return c;
    }

    ::tw::test::TempDir dir;
    FakeCddbDatabase database;
    RecordingObserver observer;
};

TEST_F(Jobs, LookupAsksAllThreeSourcesAndStoresWhatItRetrieved) {
    database.add(Album("rock", "0d01a202", "Band / First"));
    database.add(Album("misc", "0d01a202", "Band / First (misc)"));
    FakeCddbServer server(database);
    StoreConfig c = config(server.port());
    c.freedb.storeRetrievedInCdPlayer = true;
    {
        CdPlayerIniStore ini(c.cdPlayerIni);
        AlbumInfo known = AlbumOfSeconds({180, 240});
        known.setArtist("Player");
        known.setTitle("Known");
        known.track(0).setTitle("One", false);
        known.track(1).setTitle("Two", false);
        ASSERT_TRUE(ini.write(known));
    }
    LookupJob(c, observer, AlbumOfSeconds({180, 240})).Wait();

    EXPECT_EQ(observer.success, true);
    EXPECT_EQ(observer.foundIn(FoundIn::FreeDb), 2u);
    EXPECT_EQ(observer.updated.size(), 2u);
    EXPECT_EQ(observer.updated[0].trackCount(), 2u);
    // The CD-player file's own album, then the two retrieved ones stored in it and in the
    // local database and read back from there.
    EXPECT_EQ(observer.foundIn(FoundIn::CdPlayerIni), 3u);
    EXPECT_EQ(observer.foundIn(FoundIn::LocalDatabase), 2u);
    EXPECT_TRUE(std::filesystem::exists(dir / "database" / "rock" / "0d01a202"));
    EXPECT_EQ(observer.statuses.front(), "Retrieving albums list...");
    EXPECT_EQ(observer.statuses.back(), "Done. 3 album(s) found, 2 retrieved.");
    EXPECT_TRUE(std::count(observer.logLines.begin(), observer.logLines.end(),
                           "[INF]     Found 2 matches.") == 1);
}

TEST_F(Jobs, LookupWithoutAnyServerOrMatchFails) {
    unsigned closedPort = 0;
    {
        FakeCddbServer gone(database);
        closedPort = gone.port();
    }
    LookupJob(config(closedPort), observer, AlbumOfSeconds({180})).Wait();
    EXPECT_EQ(observer.success, false);
    EXPECT_EQ(observer.statuses.back(), "Error occurs. Operation failed");
    EXPECT_EQ(observer.logLines.back(), "[ERR]Error 101: Can't connect to remote server!");
}

TEST_F(Jobs, WorkerCountFollowsTheTransportAndTheLimit) {
    EXPECT_EQ(RetrievalWorkerCount(10, StoreKind::CddbTcp, 5), 3u);
    EXPECT_EQ(RetrievalWorkerCount(10, StoreKind::CddbHttp, 5), 5u);
    EXPECT_EQ(RetrievalWorkerCount(2, StoreKind::CddbTcp, 5), 1u);
    EXPECT_EQ(RetrievalWorkerCount(0, StoreKind::CddbHttp, 5), 1u);
    FreeDbSettings s;
    s.maxThreadsCount = 25;
    EXPECT_EQ(RetrievalWorkerCount(10, StoreKind::CddbHttp, s.threadLimit()), 1u);
}

std::vector<AlbumInfo> manyMatches(FakeCddbDatabase& database, int count) {
    std::vector<AlbumInfo> matches;
    for (int i = 0; i < count; ++i) {
        char id[9];
        std::snprintf(id, sizeof id, "%08x", 0x10000000 + i);
        database.add(Album("rock", id, "Artist " + std::to_string(i) + " / Album"));
        AlbumInfo match;
        match.setCategory("rock");
        match.setDiscId(id);
        matches.push_back(match);
    }
    return matches;
}

TEST_F(Jobs, FiveWorkersRetrieveEachOfThirtyRecordsExactlyOnce) {
    const std::vector<AlbumInfo> matches = manyMatches(database, 30);
    FakeCddbServer server(database);
    StoreConfig c = config(server.port());
    // All thirty disc ids begin with the same byte: every record goes to one range file.
    c.localDb.mode = LocalDbMode::Windows;
    RetrieveTracksJob(c, observer, matches).Wait();

    EXPECT_EQ(observer.success, true);
    ASSERT_EQ(observer.updated.size(), 30u);
    for (const AlbumInfo& match : matches)
        EXPECT_EQ(database.readCount("rock", match.discId()), 1);
    // Five connections: the job's and four more.
    EXPECT_EQ(server.connectionsAccepted(), 5);
    EXPECT_EQ(observer.statuses.back(), "Done. 30 album(s) found, 30 retrieved.");
    EXPECT_NE(std::find(observer.statuses.begin(), observer.statuses.end(),
                        "Retrieving album tracks (30 of 30)..."),
              observer.statuses.end());
    // No worker's record was lost to another's.
    std::size_t stored = 0;
    LocalAlbumDatabase(c.localDb).listAll([&](const AlbumInfo&) { ++stored; });
    EXPECT_EQ(stored, 30u);
    EXPECT_EQ(observer.foundIn(FoundIn::LocalDatabase), 30u);
}

TEST_F(Jobs, StopEndsEveryWorkerWithinASecond) {
    const std::vector<AlbumInfo> matches = manyMatches(database, 30);
    // Every read is answered with silence, so the workers wait in the network.
    FakeCddbServer server(database, {::tw::test::Hostility::Silent, "cddb read", {}});
    StoreConfig c = config(server.port());
    c.freedb.timeout = 60;
    auto job = std::make_unique<RetrieveTracksJob>(c, observer, matches);
    // Wait until all five workers have sent their first read.
    for (int i = 0; i < 200 && server.connectionsAccepted() < 5; ++i)
        std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(server.connectionsAccepted(), 5);
    const auto start = std::chrono::steady_clock::now();
    job->Stop();
    job->Wait();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(observer.statuses.back(), "Operation canceled by user");
    EXPECT_NE(std::find(observer.statuses.begin(), observer.statuses.end(),
                        "Stopping started threads ..."),
              observer.statuses.end());
}

TEST_F(Jobs, ServerListStatisticsAndSubmit) {
    database.setSites({"a.test cddbp 8880 - N000.00 W000.00 First",
                       "a.test http 80 /~cddb/cddb.cgi N000.00 W000.00 Second"});
    database.setStatLines({"Database entries: 12", "rock: 12"});
    FakeCddbServer server(database);
    GetServerListJob(config(server.port()), observer, "127.0.0.1", std::to_string(server.port()))
        .Wait();
    EXPECT_EQ(observer.success, true);
    ASSERT_EQ(observer.servers.size(), 2u);
    EXPECT_EQ(observer.servers[1].description, "Second");
    EXPECT_EQ(observer.statuses.back(), "Total 2 server(s) retrieved");

    RecordingObserver stats;
    StatisticsJob(config(server.port()), stats).Wait();
    ASSERT_TRUE(stats.statistics);
    EXPECT_EQ(stats.statistics->counters[ServerStatistics::Total], 12u);
    const std::string text = FormatServerStatistics(*stats.statistics);
    EXPECT_EQ(text.substr(0, 18), "Total albums:\t\t12\r");
    EXPECT_NE(text.find("\tRock:\t\t12\r\n"), std::string::npos);

    FakeHttpServer site([](const ::tw::test::FakeHttpRequest&) {
        return ::tw::test::FakeHttpReply{200, "200 OK\n"};
    });
    RecordingObserver submitted;
    AlbumInfo album = AlbumOfSeconds({100, 200});
    album.setCategory("rock");
    album.setArtist("A");
    SubmitJob(config(site.port()), submitted, album).Wait();
    EXPECT_EQ(submitted.success, true);
    EXPECT_EQ(submitted.statuses.back(), "Album submitted successfully");
    EXPECT_EQ(site.requests().at(0).requestLine, "POST /~cddb/submit.cgi HTTP/1.1");
}

TEST_F(Jobs, AnExceptionInAJobEndsItWithTheMessage) {
    FreeDbJob job(config(1), observer,
                  [](JobContext&) -> bool { throw std::runtime_error("unexpected"); });
    job.Wait();
    EXPECT_EQ(observer.success, false);
    EXPECT_EQ(observer.messages,
              (std::vector<std::string>{"Exception occurs during FreeDB operation!"}));
}

TEST_F(Jobs, ListingTheLocalStores) {
    FakeCddbServer server(database);
    StoreConfig c = config(server.port());
    LocalAlbumDatabase local(c.localDb);
    for (const char* id : {"11111111", "22222222"}) {
        AlbumInfo album = AlbumOfSeconds({100});
        album.setDiscId(id);
        album.setCategory("jazz");
        album.setArtist("X");
        ASSERT_TRUE(local.write(album));
    }
    ListAllJob(c, observer, StoreKind::LocalDatabase).Wait();
    EXPECT_EQ(observer.success, true);
    EXPECT_EQ(observer.foundIn(FoundIn::LocalDatabase), 2u);
}

}  // namespace
}  // namespace tw::freedb::test
