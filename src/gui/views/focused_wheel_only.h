// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace tw::gui {

// A tag field writes into every selected file the moment its value changes, and a combo box
// changes its value under a mouse wheel that merely scrolls past it. Fields guarded here take
// the wheel only once the user has given them the focus; until then the wheel goes on to the
// page around them.
//
// The guard is a child of the guarded widget and lives as long as it does.
void takeWheelOnlyWhenFocused(QWidget& widget);

}  // namespace tw::gui
