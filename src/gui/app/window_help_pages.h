// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gui/shell/help_pages.h"

namespace tw::gui {

// The windows that have a help page of its own, for the F1 key. A window not listed shows
// the page of the window it belongs to, so the mask editor shows the page of the window that
// opened it, and a small dialog of the CDDB window needs no entry; the main window shows the
// introduction.
WindowHelpPages windowHelpPages();

}  // namespace tw::gui
