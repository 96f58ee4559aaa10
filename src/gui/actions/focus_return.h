// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

namespace tw::gui {

// Gives the keyboard back to the main window after work that may have opened and closed
// windows (progress, questions, dialogs) or hidden, disabled or deleted the widget that had
// the focus. A window that closes hands the activation back to nobody by itself: after the
// progress window of a save, which has no parent, the window system left the focus on
// nothing, so arrow keys, hot keys and menu keys went nowhere until the user clicked.
//
// Made before the work, it remembers the focused widget; when it goes and the main window
// shows, it activates the main window unless another window of the program is active (one
// the work opened and left open keeps the keyboard), and gives the focus back to that widget,
// or to `fallback` when it is gone, unless the work moved the focus to another widget that
// can take it (Alt+1 to the file list).
//
// Borrows both widgets; they may go while it lives.
class FocusReturn {
public:
    FocusReturn(QWidget& window, QWidget* fallback);
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> fallback_;
    QPointer<QWidget> focus_;
};

}  // namespace tw::gui
