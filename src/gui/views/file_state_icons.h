// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QIcon>

namespace tw::gui {

// The 18 x 18 icons that tell whether a file has unsaved changes, or could not be read at
// all: in the file list's rows and in the file selector of the file information window. Drawn, not
// loaded, so they need no data files. Each window makes its pair once and keeps it (icons must not
// outlive the application object, so there is no process-wide copy).
struct FileStateIcons {
    FileStateIcons();

    const QIcon& of(bool dirty) const { return dirty ? dirty_ : clean_; }
    const QIcon& unreadable() const { return unreadable_; }

private:
    QIcon clean_;
    QIcon dirty_;
    QIcon unreadable_;
};

}  // namespace tw::gui
