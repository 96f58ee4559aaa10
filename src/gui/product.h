// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

namespace tw::gui {

// The program's own name and addresses: fixed texts that no language file translates.
inline QString productName() {
    return QStringLiteral("Tunewright");
}

inline QString productVersion() {
    return QStringLiteral(TW_VERSION);
}

inline QString productWebPage() {
    return QStringLiteral("https://tunewright.example.org/");
}

inline QString supportAddress() {
    return QStringLiteral("support@tunewright.example.org");
}

// The name of the installed desktop entry, icon and AppStream record (without ".desktop"),
// by which the desktop matches the running program with its entry.
inline QString desktopEntryId() {
    return QStringLiteral(TW_APP_ID);
}

}  // namespace tw::gui
