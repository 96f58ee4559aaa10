// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QApplication>

namespace tw::gui {

// The wait cursor for the time of a scope: long work on the interface thread (start-up,
// writing an export) shows it from its first step to its last, whatever way it ends.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The normal cursor for a window that asks or tells the user something while a WaitCursor
// is up (an export that fails reports it before its work ends); nothing otherwise.
class NormalCursor {
public:
    NormalCursor() : waiting_(QApplication::overrideCursor() != nullptr) {
        if (waiting_)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor() {
        if (waiting_)
            QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool waiting_;
};

}  // namespace tw::gui
