// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "base/user_port.h"

namespace tw::cli {

// A UserPort that hands every call on to another one; commands derive from it to answer one
// kind of question from their own flags. Refers to `inner`, which outlives it.
class ForwardingUserPort : public base::UserPort {
public:
    explicit ForwardingUserPort(base::UserPort& inner) : inner_(inner) {}

    void startProgress(std::string_view title, int total) override;
    void advanceProgress(std::string_view label) override;
    void finishProgress() override;
    Answer askYesNo(std::string_view text) override;
    Answer askYesNoCancel(std::string_view text) override;
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
    base::UserPort& inner_;
};

// The port of the export commands: with `open` set, a written document is also opened with
// the desktop's default handler ("xdg-open"), which is not waited for.
class DocumentPort final : public ForwardingUserPort {
public:
    DocumentPort(base::UserPort& inner, bool open) : ForwardingUserPort(inner), open_(open) {}
    void openDocument(std::string_view path) override;

private:
    bool open_;
};

}  // namespace tw::cli
