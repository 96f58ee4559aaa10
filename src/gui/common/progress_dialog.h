// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

class QLabel;
class QProgressBar;

namespace tw::gui {

// The small progress window of long commands (folder scan, saving, renaming): the
// operation's title, the current file's name and a bar.
//
// It keeps the program alive while the command runs on the user-interface thread: it lets
// the event loop paint and handle the window system now and then, but no user input, and it
// blocks the other windows while it shows, so nothing can start work on a list that is being
// rebuilt. When it closes, the window that was active before gets the activation back.
// Painting is throttled, so a folder of many thousand files is not slowed down by
// the window that reports on it. There is no cancel: commands run to their end.
//
// Owns its widgets.
class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProgressDialog(QWidget* parent = nullptr);

    // Range 0 to `total`, position 0; shows the window.
    void start(const QString& title, int total);
    // One step; a non-empty label replaces the file name shown.
    void advance(const QString& label);
    void finish();

    int position() const { return position_; }
    QString title() const;
    QString label() const;

    // The longest time between two repaints while steps come in.
    static constexpr int kRepaintIntervalMs = 40;

private:
    void repaintNow();

    QLabel* title_;
    QLabel* label_;
    QProgressBar* bar_;
    QString pendingLabel_;
    int position_ = 0;
    int total_ = 0;
    QElapsedTimer sinceRepaint_;
    QPointer<QWidget> previous_;  // the window that was active before it showed
};

}  // namespace tw::gui
