// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "gui/freedb/freedb_window_context.h"

class QPlainTextEdit;
class QTabWidget;

namespace tw::gui {

class JobRunner;

// "Database Info": a tab each for the CD-player file, the CDDB server's statistics and the
// local database. A tab's text is gathered on a worker thread when the tab is first shown
// and again on "Refresh" ("Retrieving info ..." meanwhile, "Can't retrieve info!" when it
// fails); "Save..." writes the shown text to a file.
//
// Owns its widgets and jobs (stopped when the window closes).
class DatabaseInfoDialog : public QDialog {
    Q_OBJECT
public:
    enum Tab { CdPlayer, Server, LocalDatabase, TabCount };

    DatabaseInfoDialog(const FreeDbWindowContext& context, QWidget* parent = nullptr);
    ~DatabaseInfoDialog() override;

    QTabWidget& tabs() const { return *tabs_; }
    QString textOf(Tab tab) const;

    // Gathers the text of the tab shown.
    void refresh();
    void save();

private:
    void gather(Tab tab);
    void showText(Tab tab, const QString& text);

    FreeDbWindowContext context_;
    QTabWidget* tabs_;
    std::array<QPlainTextEdit*, TabCount> texts_{};
    std::array<bool, TabCount> gathered_{};
    std::array<int, TabCount> jobs_{};
    std::unique_ptr<JobRunner> runner_;
};

}  // namespace tw::gui
