// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/forwarding_user_port.h"

#include <spawn.h>
#include <sys/types.h>

#include <string>

extern char** environ;

namespace tw::cli {

void ForwardingUserPort::startProgress(std::string_view title, int total) {
    inner_.startProgress(title, total);
}

void ForwardingUserPort::advanceProgress(std::string_view label) {
    inner_.advanceProgress(label);
}

void ForwardingUserPort::finishProgress() {
    inner_.finishProgress();
}

base::UserPort::Answer ForwardingUserPort::askYesNo(std::string_view text) {
    return inner_.askYesNo(text);
}

base::UserPort::Answer ForwardingUserPort::askYesNoCancel(std::string_view text) {
    return inner_.askYesNoCancel(text);
}

base::UserPort::OverwriteChoice ForwardingUserPort::askOverwrite(std::string_view text) {
    return inner_.askOverwrite(text);
}

std::optional<std::string> ForwardingUserPort::askSavePath(std::string_view suggested,
                                                           std::string_view filter,
                                                           std::string_view defaultExtension) {
    return inner_.askSavePath(suggested, filter, defaultExtension);
}

std::optional<std::string> ForwardingUserPort::askOpenPath(std::string_view folder,
                                                           std::string_view filter) {
    return inner_.askOpenPath(folder, filter);
}

void ForwardingUserPort::showMessage(Severity severity, std::string_view text) {
    inner_.showMessage(severity, text);
}

void ForwardingUserPort::showFailedFiles(std::string_view title, std::string_view text,
                                         const std::vector<std::string>& names) {
    inner_.showFailedFiles(title, text, names);
}

void ForwardingUserPort::showStatus(std::string_view text) {
    inner_.showStatus(text);
}

void ForwardingUserPort::openDocument(std::string_view path) {
    inner_.openDocument(path);
}

void DocumentPort::openDocument(std::string_view path) {
    ForwardingUserPort::openDocument(path);
    if (!open_)
        return;
    // The outcome is not reported: a desktop without a handler simply shows nothing.
    std::string program = "xdg-open";
    std::string argument(path);
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    ::posix_spawnp(&child, argv[0], nullptr, nullptr, argv, environ);
}

}  // namespace tw::cli
