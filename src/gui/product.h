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

}  // namespace tw::gui
