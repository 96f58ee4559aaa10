// SPDX-License-Identifier: GPL-2.0-or-later
// The memory and time of the history of unsaved edits, for a large list edited at once.
//
//   edit-history DIR [--files N]
//
// Reads the MP3 files of DIR and copies their records round robin until the list holds N
// (default 10,000), all selected. Then one "Set Album" of every file, ten keystrokes into
// the title of every file (one step), undo and redo of both, and as many further album
// edits as the history keeps. Prints the history's own count of its bytes, the growth of
// the resident set, and the times.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "core/app_options.h"
#include "core/edit_history.h"
#include "core/file_list.h"
#include "core/list_session.h"

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The resident set now, in bytes (peak figures cannot show memory given back).
long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

double mib(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

std::vector<tw::core::AudioFile*> everyRecord(tw::core::FileList& list) {
    std::vector<tw::core::AudioFile*> records;
    for (int i = 0; i < list.size(); ++i)
        records.push_back(&list.at(i));
    return records;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: edit-history DIR [--files N]\n");
        return 2;
    }
    int wanted = 10000;
    if (argc >= 4 && std::strcmp(argv[2], "--files") == 0)
        wanted = std::atoi(argv[3]);

    tw::core::FileList read;
    tw::core::AppOptions options;
    tw::bench::SilentPort port;
    if (!tw::core::ListSession(read, options, port).scanFolder(argv[1], false) || read.empty()) {
        std::fprintf(stderr, "no MP3 files in %s\n", argv[1]);
        return 1;
    }
    tw::core::FileList list;
    read.selectAll();
    while (list.size() < wanted)
        read.copySelected(list, wanted - list.size());
    list.selectAll();
    const std::vector<tw::core::AudioFile*> records = everyRecord(list);

    tw::core::EditHistory history;
    const long before = residentBytes();
    auto start = Clock::now();
    history.push(tw::core::captureEdit("Set Album", records,
                                       [&] { list.setAlbumAll("A new album for every file"); }));
    const double albumMs = milliseconds(start);
    const long afterAlbum = residentBytes();
    const std::size_t albumBytes = history.bytes();

    start = Clock::now();
    std::string typed;
    for (const char letter : std::string("Fresh Name")) {
        typed += letter;
        history.push(tw::core::captureEdit(
            "Set Title", records, [&] { list.setTitleAll(typed); }, 1));
    }
    const double typingMs = milliseconds(start);

    start = Clock::now();
    history.undo();
    history.undo();
    const double undoMs = milliseconds(start);
    start = Clock::now();
    history.redo();
    history.redo();
    const double redoMs = milliseconds(start);

    int steps = 2;
    while (history.loss() == tw::core::EditHistory::Loss::None) {
        const std::string album = "Album " + std::to_string(steps);
        history.push(tw::core::captureEdit("Set Album", records, [&] { list.setAlbumAll(album); }));
        ++steps;
    }
    std::printf("%d files, %d steps of every file until the %.0f MiB budget\n", list.size(), steps,
                mib(static_cast<double>(history.budget())));
    std::printf("one Set Album step: %.1f MiB counted, %.1f MiB resident, %.0f ms\n",
                mib(static_cast<double>(albumBytes)), mib(static_cast<double>(afterAlbum - before)),
                albumMs);
    std::printf("ten keystrokes into every title (one step): %.0f ms, %.1f ms a keystroke\n",
                typingMs, typingMs / 10);
    std::printf("undo of both steps: %.0f ms, redo: %.0f ms\n", undoMs, redoMs);
    std::printf("history at its bound: %.1f MiB counted, %.1f MiB resident growth\n",
                mib(static_cast<double>(history.bytes())),
                mib(static_cast<double>(residentBytes() - before)));
    return 0;
}
