// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/user_port.h"

namespace tw::test {

// A UserPort for tests: records every call as a line in `log` and answers questions from
// queues the test fills beforehand. An unexpected question fails the test.
class FakeUserPort : public base::UserPort {
public:
    std::vector<std::string> log;  // "progress-start:<title>:<total>", "ask:<text>", ...
    std::deque<Answer> answers;
    // Whether the user ticks "Do not ask about this in the future." in the next silenceable
    // questions (unticked when empty).
    std::deque<bool> silence;
    std::deque<OverwriteChoice> overwriteAnswers;
    std::deque<std::optional<std::string>> savePaths;
    std::deque<std::optional<std::string>> openPaths;

    // The names of the last failed-files report, and its count.
    std::vector<std::string> failedFiles;
    int failedReports = 0;
    std::vector<std::string> messages;
    std::vector<std::string> opened;

    void startProgress(std::string_view title, int total) override;
    void advanceProgress(std::string_view label) override;
    void finishProgress() override;
    Answer askYesNo(std::string_view text) override;
    Answer askYesNoCancel(std::string_view text) override;
    Answer askYesNoSilenceable(std::string_view text, bool& dontAskAgain) override;
    OverwriteChoice askOverwrite(std::string_view text) override;
    std::optional<std::string> askSavePath(std::string_view suggested, std::string_view filter,
                                           std::string_view defaultExtension) override;
    std::optional<std::string> askOpenPath(std::string_view folder,
                                           std::string_view filter) override;
    void showMessage(Severity severity, std::string_view text) override;
    void showFailedFiles(std::string_view title, std::string_view text,
                         const std::vector<std::string>& names) override;
    void showStatus(std::string_view text) override;
    void openDocument(std::string_view path) override;

private:
    Answer nextAnswer(std::string_view text);
};

}  // namespace tw::test
