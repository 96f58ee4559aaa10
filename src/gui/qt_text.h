// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "base/language.h"

namespace tw::gui {

// The engines keep every text as UTF-8 in std::string; Qt wants QString. These are the
// crossing points, so no window converts by hand.
inline QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string utf8(const QString& text) {
    return text.toStdString();
}

// The text of a string-table id in the active language (LangString::Load).
inline QString text(int id) {
    return qs(base::tr(id));
}

// The text of an id formatted with arguments (LangString::LoadFormat).
template <typename... Args>
QString textf(int id, const Args&... args) {
    return qs(base::trf(id, args...));
}

}  // namespace tw::gui
