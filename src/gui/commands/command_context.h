// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include "gui/gui_context.h"

namespace tw::core {
class ListSession;
}

namespace tw::gui {

class MainWindow;
class ShellPort;
struct DesktopContext;

// What the command handlers work on. The application object fills it once and owns all of
// it; the handlers borrow it for the whole run.
struct CommandContext {
    GuiContext& gui;
    core::ListSession& session;
    ShellPort& shell;
    MainWindow& window;
    // Asks for a new instance of the program once this one has ended (a language change).
    std::function<void()> requestRestart;
    // The player, file manager, browser and notification area of the desktop.
    DesktopContext& desktop;
};

}  // namespace tw::gui
