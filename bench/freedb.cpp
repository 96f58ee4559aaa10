// SPDX-License-Identifier: GPL-2.0-or-later
// Benchmarks of the CDDB client's record handling: writing and reading the xmcd record of a
// 99-track album, and finding records in the local database's range files. Prints records
// per second (items_per_second) and, at the end, the peak memory of the run.
//
//   freedb_bench [--benchmark_filter=REGEX]

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "bench_support.h"
#include "freedb/album_info.h"
#include "freedb/local_album_database.h"
#include "freedb/text_lines.h"
#include "freedb/xmcd_reader.h"
#include "freedb/xmcd_writer.h"

namespace {

using namespace tw::freedb;

// A full disc: 99 tracks with titles, extra texts and offsets, as a server would send it.
AlbumInfo bigAlbum() {
    AlbumInfo album;
    album.setArtist("Various Artists of the Benchmark Orchestra");
    album.setTitle("Ninety-Nine Pieces for a Full Compact Disc");
    album.setCategory("classical");
    album.setYear("2004");
    album.setExtendedData(std::string(600, 'e'));
    std::uint32_t offset = 150;
    for (std::size_t i = 0; i < 99; ++i) {
        AlbumTrack* track = album.trackAt(i);
        track->setFrameOffset(offset);
        track->setTitle("Movement " + std::to_string(i + 1) + ": Allegro ma non troppo", false);
        track->setExtraData("Recorded live, take " + std::to_string(i), false);
        offset += 3000 + static_cast<std::uint32_t>(i) * 7;
    }
    album.setDiscLengthSeconds(offset / 75 + 2);
    return album;
}

void BM_WriteXmcd99(benchmark::State& state) {
    const AlbumInfo album = bigAlbum();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteXmcd(album));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteXmcd99);

void BM_ReadXmcd99(benchmark::State& state) {
    const std::string text = WriteXmcd(bigAlbum());
    for (auto _ : state) {
        TextLines lines(text);
        AlbumInfo album;
        benchmark::DoNotOptimize(ReadXmcd(album, lines, nullptr));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadXmcd99);

// Reads the last of `range(0)` records of one Windows-mode range file: the cost of a
// database lookup grows with the records before the wanted one.
void BM_LocalDbReadFromRangeFile(benchmark::State& state) {
    const auto root = std::filesystem::temp_directory_path() / "tw_bench_freedb";
    std::filesystem::remove_all(root);
    LocalAlbumDatabase db(LocalDbSettings{root, LocalDbMode::Windows});
    AlbumInfo album = bigAlbum();
    const auto records = static_cast<unsigned>(state.range(0));
    for (unsigned i = 0; i < records; ++i) {
        char id[16];
        std::snprintf(id, sizeof id, "0d%06x", i & 0xFFFFFFu);
        album.setDiscId(id);
        if (!db.write(album)) {
            state.SkipWithError("cannot write the range file");
            return;
        }
    }
    for (auto _ : state) {
        AlbumInfo wanted;
        wanted.setCategory("classical");
        wanted.setDiscId(album.storedDiscId());
        benchmark::DoNotOptimize(db.read(wanted));
    }
    state.SetItemsProcessed(state.iterations());
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_LocalDbReadFromRangeFile)->Arg(10)->Arg(200);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak memory: %ld KiB\n", tw::bench::peakKilobytes());
    return 0;
}
