// SPDX-License-Identifier: GPL-2.0-or-later
// Benchmark of the CDDB client's retrieval: the records of 50 matches fetched from a fake
// cddbp server on this machine by 1 and by 5 workers, without and with a simulated network
// round trip of 5 ms per reply. Prints albums per second (items_per_second); the speed-up
// is the ratio of the 5-worker and 1-worker figures.
//
//   freedb_retrieval_bench [--benchmark_filter=REGEX]

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "freedb/retrieve_tracks_job.h"
#include "support/fake_cddb_server.h"

namespace {

using namespace tw::freedb;

constexpr int kAlbums = 50;

class QuietObserver final : public JobObserver {
public:
    std::size_t updated = 0;
    void onLogLine(std::string_view) override {}
    void onStatus(std::string_view) override {}
    void onAlbumFound(FoundIn, const AlbumInfo&) override {}
    void onAlbumUpdated(const AlbumInfo&) override { ++updated; }
    void onMessage(Severity, std::string_view) override {}
    void onFinished(bool) override {}
};

void BM_Retrieve50(benchmark::State& state) {
    const int workers = static_cast<int>(state.range(0));
    const auto delay = std::chrono::milliseconds(state.range(1));
    tw::test::FakeCddbDatabase database;
    std::vector<AlbumInfo> matches;
    for (int i = 0; i < kAlbums; ++i) {
        char id[9];
        std::snprintf(id, sizeof id, "%08x", 0x20000000 + i);
        database.add({"rock", id, "Artist / Album " + std::to_string(i),
                      tw::test::MakeFakeXmcd(id, "Artist / Album " + std::to_string(i), 12)});
        AlbumInfo match;
        match.setCategory("rock");
        match.setDiscId(id);
        matches.push_back(match);
    }
    tw::test::FakeCddbServer server(database);
    server.setReplyDelay(delay);

    StoreConfig config;
    config.freedb.remoteServer = "127.0.0.1";
    config.freedb.remotePort = std::to_string(server.port());
    config.freedb.maxThreadsCount = workers;
    config.freedb.storeRetrievedInLocalDb = false;
    config.cdPlayerIni = std::filesystem::temp_directory_path() / "tw-bench-CDPLAYER.INI";

    for (auto _ : state) {
        QuietObserver observer;
        RetrieveTracksJob(config, observer, matches).Wait();
        if (observer.updated != kAlbums)
            state.SkipWithError("not every record was retrieved");
    }
    state.SetItemsProcessed(state.iterations() * kAlbums);
}
BENCHMARK(BM_Retrieve50)
    ->ArgNames({"workers", "delay_ms"})
    ->Args({1, 0})
    ->Args({5, 0})
    ->Args({1, 5})
    ->Args({5, 5})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
