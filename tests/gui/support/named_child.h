// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QWidget>

namespace tw::test {

// The child of `window` with this object name; the test ends at once when there is none.
template <typename T>
T& child(QWidget& window, const char* name) {
    auto* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return *found;
}

}  // namespace tw::test
