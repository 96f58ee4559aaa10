// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/terminal_user_port.h"

namespace tw::cli {

TerminalUserPort::TerminalUserPort(std::ostream& err, bool assumeYes, bool interactive)
    : err_(err), assumeYes_(assumeYes), interactive_(interactive) {}

void TerminalUserPort::startProgress(std::string_view title, int total) {
    step_ = 0;
    total_ = total;
    if (interactive_)
        err_ << title << '\n';
}

void TerminalUserPort::advanceProgress(std::string_view label) {
    ++step_;
    if (interactive_ && !label.empty())
        err_ << "\r\x1b[K[" << step_ << '/' << total_ << "] " << label << std::flush;
}

void TerminalUserPort::finishProgress() {
    if (interactive_ && step_ > 0)
        err_ << "\r\x1b[K" << std::flush;
}

void TerminalUserPort::note(std::string_view question, std::string_view answer) {
    err_ << question << "\n-> " << answer << '\n';
}

TerminalUserPort::Answer TerminalUserPort::askYesNo(std::string_view text) {
    note(text, assumeYes_ ? "yes (--yes)" : "no (give --yes to agree)");
    return assumeYes_ ? Answer::Yes : Answer::No;
}

TerminalUserPort::Answer TerminalUserPort::askYesNoCancel(std::string_view text) {
    note(text, assumeYes_ ? "yes (--yes)" : "cancel (give --yes to agree)");
    return assumeYes_ ? Answer::Yes : Answer::Cancel;
}

TerminalUserPort::OverwriteChoice TerminalUserPort::askOverwrite(std::string_view text) {
    note(text, assumeYes_ ? "overwrite all (--yes)" : "skip all (give --yes to overwrite)");
    return assumeYes_ ? OverwriteChoice::OverwriteAll : OverwriteChoice::SkipAll;
}

std::optional<std::string> TerminalUserPort::askSavePath(std::string_view suggested,
                                                         std::string_view, std::string_view) {
    if (!assumeYes_)
        return std::nullopt;
    return std::string(suggested);
}

void TerminalUserPort::showMessage(Severity severity, std::string_view text) {
    const char* prefix = severity == Severity::Error     ? "error: "
                         : severity == Severity::Warning ? "warning: "
                                                         : "";
    err_ << prefix << text << '\n';
}

void TerminalUserPort::showFailedFiles(std::string_view title, std::string_view text,
                                       const std::vector<std::string>& names) {
    err_ << title << '\n' << text << '\n';
    for (const std::string& name : names)
        err_ << "  " << name << '\n';
}

void TerminalUserPort::showStatus(std::string_view text) {
    err_ << text << '\n';
}

void TerminalUserPort::openDocument(std::string_view path) {
    err_ << "written: " << path << '\n';
}

}  // namespace tw::cli
