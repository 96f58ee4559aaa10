// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

#include "freedb/cd_player_ini_store.h"
#include "freedb/local_album_database.h"
#include "freedb/lookup_job.h"
#include "freedb/retrieve_tracks_job.h"
#include "freedb/server_jobs.h"
#include "freedb/stored_album.h"
#include "net_fixture.h"
#include "support/fake_cddb_server.h"
#include "support/temp_dir.h"

namespace tw::freedb::test {
namespace {

using namespace std::chrono_literals;
using ::tw::test::FakeCddbDatabase;
using ::tw::test::FakeCddbServer;

// Records what a job reports. The job never calls two of these at once; the lock is for the
// test thread that reads them.
class RecordingObserver : public JobObserver {
public:
    std::vector<std::string> logLines, statuses, messages;
    std::vector<std::pair<FoundIn, AlbumInfo>> found;
    std::vector<AlbumInfo> updated;
    std::optional<bool> success;

    void onLogLine(std::string_view line) override {
        locked([&] { logLines.emplace_back(line); });
    }
    void onStatus(std::string_view text) override {
        locked([&] { statuses.emplace_back(text); });
    }
    void onAlbumFound(FoundIn where, const AlbumInfo& album) override {
        locked([&] { found.emplace_back(where, album); });
    }
    void onAlbumUpdated(const AlbumInfo& album) override {
        locked([&] { updated.push_back(album); });
    }
    void onMessage(Severity, std::string_view text) override {
        locked([&] { messages.emplace_back(text); });
    }
    void onFinished(bool result) override {
        locked([&] { success = result; });
    }

    std::size_t foundIn(FoundIn where) const {
        return std::count_if(found.begin(), found.end(),
                             [&](const auto& f) { return f.first == where; });
    }

private:
    template <typename F>
    void locked(F f) {
        const std::lock_guard lock(mutex_);
        f();
    }
    std::mutex mutex_;
};

class Jobs : public ::testing::Test {
protected:
    StoreConfig config(unsigned port) {
        StoreConfig c;
        c.freedb = LocalSettings(port, false);
        c.localDb.root = dir / "database";
        c.localDb.mode = LocalDbMode::Standard;
        c.cdPlayerIni = dir / "CDPLAYER.INI";
        return c;
    }

    ::tw::test::TempDir dir;
    FakeCddbDatabase database;
    RecordingObserver observer;
};

TEST_F(Jobs, LookupAsksTheSourcesInTheSettingsOrderAndOnlyThoseUsed) {
    database.add(Album("rock", "0d01a202", "Band / First"));
    FakeCddbServer server(database);
    StoreConfig c = config(server.port());
    c.freedb.storeRetrievedInLocalDb = false;
    {
        AlbumInfo known = AlbumOfSeconds({180, 240});
        known.setArtist("Known");
        ASSERT_TRUE(CdPlayerIniStore(c.cdPlayerIni).write(known));
        known.setCategory("misc");
        ASSERT_TRUE(LocalAlbumDatabase(c.localDb).write(known));
    }
    c.freedb.retrievingOrder = {{{2, true}, {1, true}, {0, false}}};
    LookupJob(c, observer, AlbumOfSeconds({180, 240})).Wait();
    EXPECT_EQ(observer.success, true);
    ASSERT_EQ(observer.found.size(), 2u);
    EXPECT_EQ(observer.found[0].first, FoundIn::FreeDb);
    EXPECT_EQ(observer.found[1].first, FoundIn::LocalDatabase);
    EXPECT_EQ(observer.statuses.back(), "Done. 2 album(s) found, 1 retrieved.");

    // Without the server among the sources, nothing can fail and no connection is made.
    const int connections = server.connectionsAccepted();
    c.freedb.retrievingOrder = {{{0, true}, {0, true}, {7, true}}};
    RecordingObserver local;
    LookupJob(c, local, AlbumOfSeconds({180, 240})).Wait();
    EXPECT_EQ(local.success, true);
    EXPECT_EQ(local.foundIn(FoundIn::CdPlayerIni), 1u);
    EXPECT_EQ(local.found.size(), 1u);
    EXPECT_EQ(server.connectionsAccepted(), connections);
}

TEST_F(Jobs, RetrievingKeepsALocalCopyThatHoldsTheUsersEdits) {
    database.add(Album("rock", "0d01a202", "Band / First"));
    FakeCddbServer server(database);
    const StoreConfig c = config(server.port());
    LocalAlbumDatabase local(c.localDb);
    AlbumInfo edited = AlbumOfSeconds({200, 200});
    edited.setDiscId("0d01a202");
    edited.setCategory("rock");
    edited.setArtist("Band");
    edited.setRevision(3);
    edited.markAsRead();
    edited.track(0).setTitle("Mine", false);
    ASSERT_TRUE(ReplaceStoredAlbum(local, edited));

    AlbumInfo match = AlbumKey("rock", "0d01a202");
    RetrieveTracksJob(c, observer, {match}).Wait();
    EXPECT_EQ(observer.updated.size(), 1u);
    EXPECT_EQ(observer.foundIn(FoundIn::LocalDatabase), 0u);
    AlbumInfo kept = match;
    ASSERT_TRUE(local.read(kept));
    EXPECT_EQ(kept.track(0).title(), "Mine");

    // A copy without edits of its own is replaced by the record retrieved.
    edited.track(0).setTitle("Track 1", false);
    edited.markAsRead();
    ASSERT_TRUE(ReplaceStoredAlbum(local, edited));
    RecordingObserver again;
    RetrieveTracksJob(c, again, {match}).Wait();
    EXPECT_EQ(again.foundIn(FoundIn::LocalDatabase), 1u);
    ASSERT_TRUE(local.read(kept));
    EXPECT_EQ(kept.discLengthSeconds(), 402u);
}

TEST_F(Jobs, TheSelectedAlbumIsKeptWhereTheSettingsAsk) {
    StoreConfig c = config(1);
    AlbumInfo chosen = AlbumOfSeconds({180, 240});
    chosen.setCategory("rock");
    chosen.setArtist("Band");
    EXPECT_EQ(StoreSelectedAlbum(StoreFactory(c, {}, {}), chosen), std::vector<StoreKind>{});
    AlbumInfo copy = chosen;
    EXPECT_TRUE(LocalAlbumDatabase(c.localDb).read(copy));
    CdPlayerIniStore ini(c.cdPlayerIni);
    EXPECT_TRUE(ini.open() && ini.read(copy));

    // An album of the CD-player file has no track starts for a record; a store that cannot
    // be written is reported.
    AlbumInfo fromIni;
    fromIni.setDiscId("11111111");
    fromIni.setArtist("Player");
    fromIni.trackAt(0)->setTitle("One", false);
    c.cdPlayerIni = dir.path();
    EXPECT_EQ(StoreSelectedAlbum(StoreFactory(c, {}, {}), fromIni),
              std::vector<StoreKind>{StoreKind::CdPlayerIni});
    std::size_t stored = 0;
    EXPECT_TRUE(LocalAlbumDatabase(c.localDb).listAll([&](const AlbumInfo&) { ++stored; }));
    EXPECT_EQ(stored, 1u);
}

std::vector<AlbumInfo> manyMatches(FakeCddbDatabase& database, int count) {
    std::vector<AlbumInfo> matches;
    for (int i = 0; i < count; ++i) {
        char id[9];
        std::snprintf(id, sizeof id, "%08x", 0x10000000 + i);
        database.add(Album("rock", id, "Artist " + std::to_string(i) + " / Album"));
        matches.push_back(AlbumKey("rock", id));
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
    // No worker's record was lost to another's.
    std::size_t stored = 0;
    EXPECT_TRUE(LocalAlbumDatabase(c.localDb).listAll([&](const AlbumInfo&) { ++stored; }));
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
}

TEST_F(Jobs, AnExceptionInAJobEndsItWithTheMessage) {
    FreeDbJob job(config(1), observer,
                  [](JobContext&) -> bool { throw std::runtime_error("unexpected"); });
    job.Wait();
    EXPECT_EQ(observer.success, false);
    EXPECT_EQ(observer.messages,
              (std::vector<std::string>{"Exception occurs during FreeDB operation!"}));
}

}  // namespace
}  // namespace tw::freedb::test
