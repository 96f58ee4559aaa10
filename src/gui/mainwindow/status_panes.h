// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

namespace tw::core {
class FileList;
}

namespace tw::gui {

// The panes of the main window's status bar: the message pane ("Ready", or what a command
// reports) and the counts of selected, changed and listed files. A command's prompt, shown
// while its menu item is highlighted, covers the message pane for that time (Qt's status
// tips).
//
// The labels are children of the bar, which owns them.
class StatusPanes : public QObject {
    Q_OBJECT
public:
    explicit StatusPanes(QStatusBar& bar);

    void showMessage(const QString& message);
    void showReady();
    // The three counts from the list.
    void showCounts(const core::FileList& list);

    QString message() const;
    QString countsText() const;  // the three panes, joined by " | " (for tests and logs)

    static constexpr int kCountPaneWidth = 70;

private:
    QLabel* message_;
    QLabel* selected_;
    QLabel* changed_;
    QLabel* files_;
};

}  // namespace tw::gui
