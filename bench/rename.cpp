// SPDX-License-Identifier: GPL-2.0-or-later
// The renaming and filename-to-tag previews over records held in memory, the way the
// dialogs fill them: every default mask over every record, with the symbol table read from
// the settings store for each file. Prints expansions (and fills) per second and peak memory.
//
//   rename [--records N] [--repeat N] [--folder DIR]
//
// With --folder, also the renaming command's own preview over the files of a real folder (a
// make-corpus folder): expansion plus the plan that checks every new name and folder against
// the disk. Its time is wall time, since the plan waits for the file system.
//
// Times are CPU seconds. Each figure is the fastest of the repeats. "read per file" reads the
// symbol table from the store for every file; "read once" reads it once per preview, as the
// commands do.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "base/memory_settings_store.h"
#include "bench_support.h"
#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "core/list_session.h"
#include "rename/filename_to_tag.h"
#include "rename/mask_expansion.h"
#include "rename/mask_list.h"
#include "rename/renaming_command.h"
#include "rename/symbol_table.h"

namespace {

using tw::core::AudioFile;
namespace rn = tw::rename;

std::vector<AudioFile> makeRecords(int count) {
    static const char* const kArtists[] = {"The_Band", "Élan Vital", "AC/DC", "Sigur Rós",
                                           "nobody"};
    std::vector<AudioFile> records(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        AudioFile& file = records[static_cast<std::size_t>(i)];
        const std::string n = std::to_string(i);
        file.id3v2.artist = kArtists[i % 5];
        file.id3v2.title = "song number " + n + " (live?)";
        file.id3v1.album = "Album " + std::to_string(i / 12);
        file.id3v1.yearText = std::to_string(1960 + i % 60);
        file.id3v1.track = i % 12 + 1;
        file.id3v1.present = file.id3v2.present = true;
        file.baseName = std::to_string(i % 12 + 1) + " - " + file.id3v2.artist + " - Song_" + n +
                        " (" + file.id3v1.yearText + ")";
        file.fileName = file.baseName + ".mp3";
    }
    return records;
}

// CPU time of this process, so a busy machine disturbs the figures less than wall time.
double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The fastest of `repeat` runs of `work`, in CPU seconds.
double fastest(int repeat, const std::function<void()>& work) {
    double best = 1e30;
    for (int r = 0; r < repeat; ++r) {
        const double start = cpuSeconds();
        work();
        best = std::min(best, cpuSeconds() - start);
    }
    return best;
}

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The renaming command's preview of every file of `folder` with each default mask, the
// plan included; the fastest repeat in wall seconds and the number of rows it made.
std::pair<double, std::size_t> commandPreview(const std::string& folder, int repeat) {
    tw::core::FileList list;
    tw::bench::SilentPort port;
    tw::core::ListSession session(list, tw::core::options(), port);
    if (!session.scanFolder(folder, false))
        return {0.0, 0};
    list.selectAll();
    tw::base::MemorySettingsStore store;
    rn::RenamingCommand command(list, store);
    command.setCreateFolders(true);
    std::size_t rows = 0;
    double best = 1e30;
    for (int r = 0; r < repeat; ++r) {
        rows = 0;
        const double start = wallSeconds();
        for (std::string_view mask : rn::renamingDefaultMasks()) {
            command.maskList().setCurrentMask(mask);
            rows += command.preview().size();
        }
        command.maskList().setCurrentMask("<artist>\\<album>\\<number> - <title>");
        rows += command.preview().size();
        best = std::min(best, wallSeconds() - start);
    }
    return {best, rows};
}

void report(const char* what, std::size_t operations, double seconds, const char* clock = "CPU") {
    std::printf("%-46s %7zu in %6.3f s %-4s %9.0f per second\n", what, operations, seconds, clock,
                static_cast<double>(operations) / seconds);
}

}  // namespace

int main(int argc, char** argv) {
    int count = 10000;
    int repeat = 3;
    std::string folder;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--records") == 0)
            count = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--repeat") == 0)
            repeat = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--folder") == 0)
            folder = argv[i + 1];
    }
    const std::vector<AudioFile> records = makeRecords(count);
    tw::base::MemorySettingsStore store;
    // A stored table, so every read finds its values (the defaults, as saved by the editor).
    rn::SymbolTable::defaults().save(store, rn::kTagToFilenameTable);
    rn::SymbolTable::defaults().save(store, rn::kFilenameToTagTable);
    const rn::CounterSettings counter{0, 2};
    const rn::CaseMode mode = rn::CaseMode::UpperAllFirstLetters;

    const std::vector<std::string_view>& renameMasks = rn::renamingDefaultMasks();
    std::size_t sink = 0;
    const std::size_t expansions = renameMasks.size() * records.size();
    report("rename preview, table read per file", expansions, fastest(repeat, [&] {
               for (std::string_view mask : renameMasks)
                   for (std::size_t i = 0; i < records.size(); ++i)
                       sink += rn::ExpandMask(records[i], mask,
                                              {static_cast<int>(i), static_cast<int>(i) + 1},
                                              counter, mode, store)
                                   .size();
           }));
    const rn::SymbolTable table = rn::SymbolTable::load(store, rn::kTagToFilenameTable);
    report("rename preview, table read once", expansions, fastest(repeat, [&] {
               for (std::string_view mask : renameMasks)
                   for (std::size_t i = 0; i < records.size(); ++i)
                       sink += rn::ExpandMask(records[i], mask,
                                              {static_cast<int>(i), static_cast<int>(i) + 1},
                                              counter, mode, table)
                                   .size();
           }));

    const std::vector<std::string_view>& fillMasks = rn::filenameToTagDefaultMasks();
    const rn::FillOptions options{true, true, true, mode};
    const std::size_t fills = fillMasks.size() * records.size();
    report("filename-to-tag preview, table read per file", fills, fastest(repeat, [&] {
               for (std::string_view mask : fillMasks)
                   for (const AudioFile& record : records) {
                       AudioFile copy = record;
                       sink += rn::FillTagsFromName(copy, mask, options, store) ? 1 : 0;
                   }
           }));
    const rn::SymbolTable fillTable = rn::SymbolTable::load(store, rn::kFilenameToTagTable);
    report("filename-to-tag preview, table read once", fills, fastest(repeat, [&] {
               for (std::string_view mask : fillMasks)
                   for (const AudioFile& record : records) {
                       AudioFile copy = record;
                       sink += rn::FillTagsFromName(copy, mask, options, fillTable) ? 1 : 0;
                   }
           }));

    if (!folder.empty()) {
        if (folder.back() != '/')
            folder += '/';
        const auto [seconds, rows] = commandPreview(folder, repeat);
        report("renaming command preview with its plan", rows, seconds, "wall");
    }

    std::printf("records %d, peak memory %ld KiB (checksum %zu)\n", count,
                tw::bench::peakKilobytes(), sink);
    return 0;
}
