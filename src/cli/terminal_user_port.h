// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <ostream>

#include "base/user_port.h"

namespace tw::cli {

// The UserPort of the command line. Progress and reports go to the error stream, so the
// standard output holds only a command's result. Questions are answered from the flags:
// with --yes every question is answered yes (overwrite: all), without it no (overwrite:
// skip all; save path: none, with --yes the suggested one). Progress labels are shown only on a
// terminal, where each one overwrites the previous line.
class TerminalUserPort final : public base::UserPort {
public:
    TerminalUserPort(std::ostream& err, bool assumeYes, bool interactive);

    void startProgress(std::string_view title, int total) override;
    void advanceProgress(std::string_view label) override;
    void finishProgress() override;

    Answer askYesNo(std::string_view text) override;
    Answer askYesNoCancel(std::string_view text) override;
    OverwriteChoice askOverwrite(std::string_view text) override;
    std::optional<std::string> askSavePath(std::string_view suggested, std::string_view filter,
                                           std::string_view defaultExtension) override;

    void showMessage(Severity severity, std::string_view text) override;
    void showFailedFiles(std::string_view title, std::string_view text,
                         const std::vector<std::string>& names) override;
    void showStatus(std::string_view text) override;
    void openDocument(std::string_view path) override;

private:
    void note(std::string_view question, std::string_view answer);

    std::ostream& err_;
    bool assumeYes_;
    bool interactive_;
    int step_ = 0;
    int total_ = 0;
};

}  // namespace tw::cli
