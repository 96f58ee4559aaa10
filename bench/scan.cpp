// SPDX-License-Identifier: GPL-2.0-or-later
// Scans a folder into the file list the way Open Folder does (stream facts, ID3v1,
// ID3v2, lyrics and times of every *.mp3) and prints files per second and peak memory.
//
//   scan DIR [--repeat N]
//
// --repeat scans the folder N times and reports the fastest pass.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench_support.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/list_session.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scan DIR [--repeat N]\n");
        return 2;
    }
    const std::string folder = argv[1];
    int repeat = 1;
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));

    tw::core::FileList list;
    tw::bench::SilentPort port;
    tw::core::ListSession session(list, tw::core::options(), port);
    double best = 0;
    for (int pass = 0; pass < repeat; ++pass) {
        const auto start = std::chrono::steady_clock::now();
        if (!session.scanFolder(folder, false)) {
            std::fprintf(stderr, "scan: cannot read %s\n", folder.c_str());
            return 1;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = pass == 0 ? took.count() : std::min(best, took.count());
    }

    const int files = list.size();
    std::printf("files: %d\n", files);
    std::printf("seconds: %.4f\n", best);
    std::printf("files_per_second: %.0f\n", best > 0 ? static_cast<double>(files) / best : 0.0);
    std::printf("peak_rss_mb: %.1f\n", static_cast<double>(tw::bench::peakKilobytes()) / 1024.0);
    return 0;
}
