// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QIcon>

class QStyle;

namespace tw::gui {

// The image of a command on the toolbar and beside its menu item: the desktop theme's icon
// when it has one, else the style's, with a grey disabled look of its own; a null icon for
// commands without an image.
QIcon commandIcon(int commandId, const QStyle& style);

}  // namespace tw::gui
