// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

namespace tw::gui {

// The program's own icon: a white tag with a note on a blue tile. Drawn in code, so the
// window, the notification area and the installed icon files (made from it at build time)
// show one picture at every size.

// The icon at `size` x `size` pixels. Needs no running application.
QImage productIconImage(int size);

// The icon at the sizes desktops ask for.
QIcon productIcon();

// The sizes the installed icon files come in.
inline constexpr int kProductIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};

}  // namespace tw::gui
