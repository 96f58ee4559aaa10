// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/fake_user_port.h"

#include <gtest/gtest.h>

namespace tw::test {

void FakeUserPort::startProgress(std::string_view title, int total) {
    log.push_back("progress-start:" + std::string(title) + ":" + std::to_string(total));
}

void FakeUserPort::advanceProgress(std::string_view label) {
    log.push_back("progress:" + std::string(label));
}

void FakeUserPort::finishProgress() {
    log.push_back("progress-finish");
}

FakeUserPort::Answer FakeUserPort::nextAnswer(std::string_view text) {
    log.push_back("ask:" + std::string(text));
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return Answer::No;
    }
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

FakeUserPort::Answer FakeUserPort::askYesNo(std::string_view text) {
    return nextAnswer(text);
}

FakeUserPort::Answer FakeUserPort::askYesNoCancel(std::string_view text) {
    return nextAnswer(text);
}

FakeUserPort::Answer FakeUserPort::askYesNoSilenceable(std::string_view text, bool& dontAskAgain) {
    dontAskAgain = !silence.empty() && silence.front();
    if (!silence.empty())
        silence.pop_front();
    return nextAnswer(text);
}

FakeUserPort::OverwriteChoice FakeUserPort::askOverwrite(std::string_view text) {
    log.push_back("overwrite:" + std::string(text));
    if (overwriteAnswers.empty()) {
        ADD_FAILURE() << "unexpected overwrite question: " << text;
        return OverwriteChoice::Cancel;
    }
    OverwriteChoice c = overwriteAnswers.front();
    overwriteAnswers.pop_front();
    return c;
}

std::optional<std::string> FakeUserPort::askSavePath(std::string_view suggested,
                                                     std::string_view filter,
                                                     std::string_view defaultExtension) {
    log.push_back("save-path:" + std::string(suggested) + ":" + std::string(filter) + ":" +
                  std::string(defaultExtension));
    if (savePaths.empty()) {
        ADD_FAILURE() << "unexpected save-path question";
        return std::nullopt;
    }
    auto p = savePaths.front();
    savePaths.pop_front();
    return p;
}

std::optional<std::string> FakeUserPort::askOpenPath(std::string_view folder,
                                                     std::string_view filter) {
    log.push_back("open-path:" + std::string(folder) + ":" + std::string(filter));
    if (openPaths.empty()) {
        ADD_FAILURE() << "unexpected open-path question";
        return std::nullopt;
    }
    auto p = openPaths.front();
    openPaths.pop_front();
    return p;
}

void FakeUserPort::showMessage(Severity, std::string_view text) {
    log.push_back("message:" + std::string(text));
    messages.emplace_back(text);
}

void FakeUserPort::showFailedFiles(std::string_view title, std::string_view text,
                                   const std::vector<std::string>& names) {
    log.push_back("failed:" + std::string(title) + ":" + std::string(text));
    failedFiles = names;
    ++failedReports;
}

void FakeUserPort::showStatus(std::string_view text) {
    log.push_back("status:" + std::string(text));
}

void FakeUserPort::openDocument(std::string_view path) {
    log.push_back("open:" + std::string(path));
    opened.emplace_back(path);
}

}  // namespace tw::test
