// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <sys/resource.h>

#include "base/user_port.h"

namespace tw::bench {

// The UserPort of the benchmarks: shows nothing and declines every question (no, cancel, no
// path), so only the work itself is timed. A benchmark that must agree to something derives
// from it and overrides that answer.
class SilentPort : public base::UserPort {
public:
    void startProgress(std::string_view, int) override {}
    void advanceProgress(std::string_view) override {}
    void finishProgress() override {}
    Answer askYesNo(std::string_view) override { return Answer::No; }
    Answer askYesNoCancel(std::string_view) override { return Answer::Cancel; }
    OverwriteChoice askOverwrite(std::string_view) override { return OverwriteChoice::Cancel; }
    std::optional<std::string> askSavePath(std::string_view, std::string_view,
                                           std::string_view) override {
        return std::nullopt;
    }
    void showMessage(Severity, std::string_view) override {}
    void showFailedFiles(std::string_view, std::string_view,
                         const std::vector<std::string>&) override {}
    void showStatus(std::string_view) override {}
    void openDocument(std::string_view) override {}
};

// The most memory the process has held so far, in KiB.
inline long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace tw::bench
