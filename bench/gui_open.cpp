// SPDX-License-Identifier: GPL-2.0-or-later
// Opens a folder in the main window, offscreen, the way the program starts on it, and
// prints how long it takes until the file list is filled, next to the time the engines
// alone need for the same folder, and the peak memory.
//
//   gui-open DIR [--rounds N] [--recursive]
//
// Each round is timed: the engines' scan (a list session without windows), and the whole
// start of the program on DIR (window, scan with the progress dialog, rows, first paint).
// The best round of each is printed, and their difference: the cost of the window.
// With --recursive both list DIR's whole tree (the option "Include sub-folders").

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/app_paths.h"
#include "base/memory_settings_store.h"
#include "bench_support.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/list_session.h"
#include "gui/app/application.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool recursive = false;

double engineScan(const std::string& folder, int& files) {
    tw::core::FileList list;
    tw::core::AppOptions options;
    options.includeSubfolders = recursive;
    tw::bench::SilentPort port;
    tw::core::ListSession session(list, options, port);
    const auto start = Clock::now();
    if (!session.scanFolder(folder, false)) {
        std::fprintf(stderr, "gui-open: cannot read %s\n", folder.c_str());
        std::exit(1);
    }
    const double elapsed = seconds(start);
    files = list.size();
    return elapsed;
}

double windowOpen(const std::string& folder, int& files) {
    tw::base::MemorySettingsStore store;
    store.setString("Settings", "D", folder);
    store.setInt("Settings", "IncludeSubfolders", recursive);
    const auto start = Clock::now();
    tw::gui::Application app(store);
    if (!app.initInstance({}))
        return -1;
    QApplication::processEvents();
    const double elapsed = seconds(start);
    files = app.list().size();
    return elapsed;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gui-open DIR [--rounds N] [--recursive]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/')
        folder += '/';
    int rounds = 3;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[i + 1]));
        recursive = recursive || std::strcmp(argv[i], "--recursive") == 0;
    }

    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication qtApp(argc, argv);
    tw::base::initAppPaths(argv[0]);

    int files = 0;
    engineScan(folder, files);  // warms the page cache
    double engineBest = 1e9;
    double windowBest = 1e9;
    int windowFiles = 0;
    for (int round = 0; round < rounds; ++round) {
        engineBest = std::min(engineBest, engineScan(folder, files));
        const double window = windowOpen(folder, windowFiles);
        if (window < 0) {
            std::fprintf(stderr, "gui-open: the program did not start on %s\n", folder.c_str());
            return 1;
        }
        windowBest = std::min(windowBest, window);
    }
    std::printf("folder           %s\n", folder.c_str());
    std::printf("files            %d (window: %d)\n", files, windowFiles);
    std::printf("engine scan      %.3f s\n", engineBest);
    std::printf("window filled    %.3f s\n", windowBest);
    std::printf("window overhead  %.3f s\n", windowBest - engineBest);
    std::printf("peak memory      %ld MB\n", tw::bench::peakKilobytes() / 1024);
    return 0;
}
