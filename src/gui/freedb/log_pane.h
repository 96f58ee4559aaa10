// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QListWidget>
#include <QStringList>
#include <QTimer>

namespace tw::gui {

// The operation log of the album window, shown live: each finished line of the jobs gets
// the local time and its level ("[INF]", "[ERR]", "[DBG]", or none), which the pane shows by
// colour and icon. Lines are taken as they come and shown in batches, so a job that logs
// thousands of protocol lines does not repaint the window per line; the oldest lines go
// past kMaxLines.
//
// Owns its items and timer (Qt).
class LogPane : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 5000;
    static constexpr int kBatchIntervalMs = 50;
    // The item data role that holds a line's level (freedb::LogEntry::Level).
    static constexpr int kLevelRole = Qt::UserRole + 1;

    explicit LogPane(QWidget* parent = nullptr);

    // A finished log line as a store wrote it.
    void addLine(const QString& line);
    // Shows what has come in (the batch timer does this by itself).
    void flush();

    // The lines with their level prefixes, as the log had them, each ended by "\n".
    QString text() const;

private:
    QStringList pending_;
    QTimer batch_;
};

}  // namespace tw::gui
