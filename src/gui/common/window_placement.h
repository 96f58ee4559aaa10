// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string_view>

class QWidget;

namespace tw::base {
class SettingsStore;
}

namespace tw::gui {

// The main window's place on the screen, kept in settings section "Window": "Max", and
// "x", "y", "cx", "cy" of the normal window.

// Shows the window maximised when "Max" is set, else at the stored place and size. Stored
// values that would put the window off every screen, or make it smaller than its minimum
// or larger than the screen, are brought back within the screen. Without a stored place
// (first start), the window is centred at about 1100 by 720, at most 80% of the screen.
void restoreWindowPlacement(QWidget& window, const base::SettingsStore& store);

// "Save Window Position and Size": a maximised window stores "Max" = 1 and keeps the stored
// place; otherwise "Max" = 0 and the window's place and size.
void saveWindowPlacement(const QWidget& window, base::SettingsStore& store);

// A dialog's place and size, kept as "x", "y", "cx", "cy" in the dialog's own section.
// Without a stored place the dialog keeps the place and size it was given; a stored place
// is brought back within the screen as the main window's is.
void restoreDialogPlacement(QWidget& dialog, const base::SettingsStore& store,
                            std::string_view section);
// Brings a shown window back within the screen that holds most of it: no larger than that
// screen (yet not below its minimum), and placed on it, so its close button is in reach.
void fitWithinScreen(QWidget& window);

void saveDialogPlacement(const QWidget& dialog, base::SettingsStore& store,
                         std::string_view section);

}  // namespace tw::gui
