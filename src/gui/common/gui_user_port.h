// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "base/user_port.h"

namespace tw::gui {

class ProgressDialog;

// The UserPort of the running program: message boxes, the progress dialog, the failed-files
// window and file dialogs, all over the main window. Every text arrives final from the
// caller; only the buttons that are the program's own (OK, Cancel, the overwrite choices)
// are looked up here.
//
// Owns the progress dialog; holds a guarded pointer to the parent window and a status sink,
// both set once the main window exists.
class DesktopPort;

class GuiUserPort : public base::UserPort {
public:
    GuiUserPort();
    ~GuiUserPort() override;

    void setParentWindow(QWidget* parent);
    // Where showStatus() puts its text (the main window's message pane).
    void setStatusSink(std::function<void(const QString&)> sink) { statusSink_ = std::move(sink); }
    // What openDocument() hands documents to; it must outlive this port.
    void setDesktopPort(DesktopPort* desktop) { desktop_ = desktop; }

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
    void showFailedFilesIn(std::string_view title, std::string_view text, std::string_view folder,
                           const std::vector<std::string>& names) override;
    void showStatus(std::string_view text) override;
    void openDocument(std::string_view path) override;

    // The progress dialog while an operation runs (null before the first one).
    ProgressDialog* progressDialog() const { return progress_.get(); }

private:
    QPointer<QWidget> parent_;
    std::unique_ptr<ProgressDialog> progress_;
    std::function<void(const QString&)> statusSink_;
    DesktopPort* desktop_ = nullptr;
};

}  // namespace tw::gui
